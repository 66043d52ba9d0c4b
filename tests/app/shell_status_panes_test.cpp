// The status bar's panes: wide enough for their longest texts in every
// language, all in view on the " Line " page, and in the new language as
// soon as the language changes.

#include "shell_test_support.h"

#include "canvas/canvas_view.h"
#include "common/command_ids.h"

#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

namespace {

// A pane shows `text` whole when its own layout needs no more room.
bool fitsWhole(QLabel *pane, const QString &text)
{
    const QString before = pane->text();
    pane->setText(text);
    const bool fits = pane->sizeHint().width() <= pane->width();
    pane->setText(before);
    return fits;
}

void moveOverCell(CanvasView &view, int column, int row)
{
    const QPoint p = view.canvasGeometry().cellCentre(column, row);
    QMouseEvent move(QEvent::MouseMove, QPointF(p), view.mapToGlobal(QPointF(p)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &move);
}

} // namespace

class ShellStatusPanesTest : public QObject
{
    Q_OBJECT
private slots:
    void panesFitTheirLongestTexts_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QStringList>("longest"); // panes 1, 2 and 3
        QTest::newRow("English") << int(Cmd::LanguageEnglish)
                                 << QStringList{"Row: 32767, Column: 32767", "Red: 255, Green: 255, Blue: 255",
                                                "Total frames: 9999999"};
        QTest::newRow("Chinese") << int(Cmd::LanguageChinese)
                                 << QStringList{"行:32767,列:32767", "红:255,绿:255,蓝:255", "总帧数:9999999"};
        QTest::newRow("traditional") << int(Cmd::LanguageTraditional)
                                     << QStringList{"行:32767,列:32767", "紅:255,綠:255,藍:255", "總幀數:9999999"};
    }

    void panesFitTheirLongestTexts()
    {
        QFETCH(int, command);
        QFETCH(QStringList, longest);
        TestEditor e;
        e.makeFrames(4, 4, 1);
        // From another language first, so that the widths are made again.
        e.commands().trigger(command == Cmd::LanguageChinese ? int(Cmd::LanguageEnglish)
                                                             : int(Cmd::LanguageChinese));
        e.commands().trigger(command);
        for (int pane = 1; pane <= 3; ++pane)
            QVERIFY2(fitsWhole(e.window().statusPane(pane), longest[pane - 1]), qPrintable(longest[pane - 1]));
        // The last pane also lends itself to the port and pixel on the
        // " Line " page.
        const QString assignment =
            command == Cmd::LanguageEnglish ? QStringLiteral("Port 1024, pixel 99999") : QStringLiteral("第1024口,第99999像素");
        QVERIFY(fitsWhole(e.window().statusPane(3), assignment));
        // And they stay as narrow as their texts allow: not the old fixed
        // 120/180/250 pixels whatever the language.
        QVERIFY(!fitsWhole(e.window().statusPane(1), longest[0] + QStringLiteral("00000")));
    }

    void everyPaneStaysInViewOnTheLinePage()
    {
        TestEditor e;
        e.makeFrames(24, 40, 1);
        MainWindow &w = e.window();
        w.resize(1100, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.toolTabs()->setCurrentIndex(2);
        // The wiring page's long hint is in the first pane now.
        QVERIFY(w.statusPane(0)->text().startsWith(QStringLiteral("Control mode")));
        w.statusPane(0)->setText(w.statusPane(0)->text().repeated(4));
        QStatusBar *bar = w.statusBar();
        bar->layout()->activate();
        for (int pane = 1; pane <= 3; ++pane) {
            QLabel *label = w.statusPane(pane);
            QVERIFY(label->isVisible());
            const QRect inBar(label->mapTo(bar, QPoint(0, 0)), label->size());
            QVERIFY2(bar->rect().contains(inBar), qPrintable(QString::number(pane)));
        }
        QVERIFY(fitsWhole(w.statusPane(3), QStringLiteral("Total frames: 1")));
    }

    void panesTakeTheNewLanguageAtOnce()
    {
        TestEditor e;
        e.makeFrames(3, 5, 2);
        e.doc().frames().at(0).set(2, 1, 5, 0x030201);
        CanvasView &view = *e.window().canvas();
        moveOverCell(view, 2, 1);
        QCOMPARE(e.window().statusPane(1)->text(), QStringLiteral("Row: 2, Column: 3"));
        QCOMPARE(e.window().statusPane(2)->text(), QStringLiteral("Red:   1, Green:   2, Blue:   3"));
        // No mouse move after the switch.
        e.commands().trigger(Cmd::LanguageChinese);
        QCOMPARE(e.window().statusPane(1)->text(), QStringLiteral("行:2,列:3"));
        QCOMPARE(e.window().statusPane(2)->text(), QStringLiteral("红:  1,绿:  2,蓝:  3"));
        QCOMPARE(e.window().statusPane(3)->text(), QStringLiteral("总帧数:2"));
        e.commands().trigger(Cmd::LanguageTraditional);
        QCOMPARE(e.window().statusPane(2)->text(), QStringLiteral("紅:  1,綠:  2,藍:  3"));
        QCOMPARE(e.window().statusPane(3)->text(), QStringLiteral("總幀數:2"));
    }
};

#include "app_test.h"
APP_TEST(ShellStatusPanesTest)
#include "shell_status_panes_test.moc"
