// The splash window's fade-in and its early close.

#include "shell/splash_window.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

class ShellSplashTest : public QObject
{
    Q_OBJECT
private slots:
    void fadesInByStepsAndClosesAfterTheTwentyFifthTick();
    void aClickOrAKeyClosesItEarly_data();
    void aClickOrAKeyClosesItEarly();
    void execReturnsWhenTheTimerCloses();
};

void ShellSplashTest::fadesInByStepsAndClosesAfterTheTwentyFifthTick()
{
    SplashWindow splash;
    QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash.size(), SplashWindow::picture().size());
    splash.show();
    QCOMPARE(int(std::lround(splash.windowOpacity() * 255)), 5);
    const int expectedOpacity[] = {45, 85, 125, 165, 205, 245};
    for (int tick = 1; tick <= 6; ++tick) {
        splash.tick();
        QCOMPARE(int(std::lround(splash.windowOpacity() * 255)), expectedOpacity[tick - 1]);
    }
    // Past 255 the opacity stays at the last value set.
    for (int tick = 7; tick <= 24; ++tick) {
        splash.tick();
        QVERIFY2(splash.isVisible(), qPrintable(QString::number(tick)));
    }
    QCOMPARE(int(std::lround(splash.windowOpacity() * 255)), 245);
    QCOMPARE(splash.counter(), 5 + 24 * 40);
    splash.tick(); // 1005 > 1000
    QVERIFY(!splash.isVisible());
}

void ShellSplashTest::aClickOrAKeyClosesItEarly_data()
{
    QTest::addColumn<bool>("click");
    QTest::newRow("click") << true;
    QTest::newRow("key") << false;
}

void ShellSplashTest::aClickOrAKeyClosesItEarly()
{
    QFETCH(bool, click);
    SplashWindow splash;
    QSignalSpy finished(&splash, &SplashWindow::finished);
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    splash.tick();
    if (click)
        QTest::mouseClick(&splash, Qt::LeftButton);
    else
        QTest::keyClick(&splash, Qt::Key_Space);
    QVERIFY(!splash.isVisible());
    QCOMPARE(finished.count(), 1);
}

void ShellSplashTest::execReturnsWhenTheTimerCloses()
{
    SplashWindow splash;
    QElapsedTimer clock;
    clock.start();
    splash.exec();
    // 25 ticks of 100 ms.
    QVERIFY2(clock.elapsed() >= 2400, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(clock.elapsed() < 10000);
    QVERIFY(!splash.isVisible());
}

#include "app_test.h"
APP_TEST(ShellSplashTest)
#include "shell_splash_test.moc"
