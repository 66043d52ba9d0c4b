// The gather dialog and the video import form: the size-change question
// and its No, OK without a grid, OK turning samples into frames with the
// size kept in the settings; sampling the screen into samples on a real X
// display (the marker never in them); a video imported through the form
// with its previews.

#include "capture/gather_dialog.h"
#include "capture/gather_texts.h"
#include "capture/gather_window.h"
#include "capture/movie_import_dialog.h"
#include "capture/video_file.h"
#include "editor_context.h"
#include "settings/language.h"
#include "settings/profile_file.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage gatherTestPicture(int w, int h, QColor c)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

// A top-level window of one colour at a known place.
class ColourWindow : public QWidget
{
public:
    explicit ColourWindow(QColor c) : m_colour(c)
    {
        setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    }
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), m_colour);
    }

private:
    QColor m_colour;
};

} // namespace

class CaptureGatherTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        settingsPath = dir.filePath(QStringLiteral("Brightloom.ini"));
    }

    void sizeChangeNoPutsTheOldSizeBack()
    {
        EditorContext e(4, 6);
        GatherDialog dialog(e.ctx, settingsPath);
        QCOMPARE(dialog.widthEdit()->value(), 150);
        QCOMPARE(dialog.heightEdit()->value(), 100);
        QCOMPARE(dialog.xEdit()->value(), 250);
        QCOMPARE(dialog.marker()->sampledRect(), QRect(250, 120, 150, 100));
        QVERIFY(dialog.samples().append(gatherTestPicture(150, 100, Qt::red)));

        e.prompt.answers = {PromptAnswer::No};
        dialog.widthEdit()->setValue(200);
        QCOMPARE(e.prompt.texts(), QStringList{GatherText::sizeChangeQuestion()});
        QCOMPARE(dialog.widthEdit()->value(), 150);
        QCOMPARE(dialog.samples().count(), 1);
        QCOMPARE(dialog.marker()->sampledRect().width(), 150);

        e.prompt.answers = {PromptAnswer::Yes};
        dialog.heightEdit()->setValue(80);
        QCOMPARE(dialog.samples().count(), 0);
        QCOMPARE(dialog.samples().size(), QSize(150, 80));
        QCOMPARE(dialog.marker()->sampledRect(), QRect(250, 120, 150, 80));

        // X at or beyond the screen's width becomes 0 at once.
        const int screenWidth = QGuiApplication::primaryScreen()->virtualSize().width();
        dialog.xEdit()->setValue(screenWidth);
        QCOMPARE(dialog.xEdit()->value(), 0);
        QCOMPARE(dialog.marker()->sampledRect().x(), 0);
    }

    void okWithoutAGridKeepsTheDialogAndTheSamples()
    {
        EditorContext e(4, 6, 0);
        GatherDialog dialog(e.ctx, settingsPath);
        dialog.show();
        QVERIFY(dialog.samples().append(gatherTestPicture(150, 100, Qt::red)));
        dialog.convertAndClose();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), 0);
        QCOMPARE(dialog.samples().count(), 1);
        QCOMPARE(e.prompt.lastText(), GatherText::gridFirst());
        QCOMPARE(e.doc.frameCount(), 0);
    }

    void okTurnsSamplesIntoFramesAndKeepsTheSize()
    {
        EditorContext e(4, 6, 1);
        ProfileFile seed;
        seed.write(QStringLiteral("Gather"), QStringLiteral("m_wid"), QStringLiteral("6"));
        seed.write(QStringLiteral("Gather"), QStringLiteral("m_hei"), QStringLiteral("4"));
        QVERIFY(seed.save(settingsPath));
        GatherDialog dialog(e.ctx, settingsPath);
        QCOMPARE(dialog.samples().size(), QSize(6, 4));
        e.prompt.answers = {PromptAnswer::Yes};
        dialog.widthEdit()->setValue(3);
        QCOMPARE(dialog.samples().size(), QSize(3, 4));
        QVERIFY(dialog.samples().append(gatherTestPicture(3, 4, Qt::blue)));
        QVERIFY(dialog.samples().append(gatherTestPicture(3, 4, Qt::green)));
        dialog.convertAndClose();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(e.doc.frameCount(), 3);
        QCOMPARE(e.doc.frames().at(1).at(5, 3, 6), makeColor(0, 0, 255));
        QCOMPARE(e.doc.frames().at(2).at(0, 0, 6), makeColor(0, 255, 0));
        const ProfileFile saved = ProfileFile::load(settingsPath);
        QCOMPARE(saved.readInt(QStringLiteral("Gather"), QStringLiteral("m_wid"), 0), 3);
        QCOMPARE(saved.readInt(QStringLiteral("Gather"), QStringLiteral("m_hei"), 0), 4);
    }

    void sliderTipAndDeleteFollowTheSamples()
    {
        EditorContext e(4, 6, 1);
        GatherDialog dialog(e.ctx, settingsPath);
        e.prompt.answers = {PromptAnswer::Yes};
        dialog.widthEdit()->setValue(2);
        for (int i = 0; i < 5; ++i)
            QVERIFY(dialog.samples().append(gatherTestPicture(2, 100, QColor(i * 40, 0, 0))));
        dialog.slider()->setRange(1, 5);
        dialog.slider()->setValue(2);
        QCOMPARE(dialog.slider()->toolTip(), QStringLiteral("2Th,5 in total"));
        dialog.deleteEdit()->setValue(2);
        e.prompt.answers = {PromptAnswer::Yes};
        dialog.deleteSamples();
        QCOMPARE(e.prompt.lastText(), QStringLiteral("Are you sure it will start from 2th frame, and delete 2th frame?"));
        QCOMPARE(dialog.samples().count(), 3);
        QCOMPARE(dialog.slider()->maximum(), 3);
    }

    // Needs a real X display: the offscreen platform has no screen pixels.
    void samplesTheScreenWithoutTheMarker()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("Screen sampling needs an X display; run under xvfb-run with QT_QPA_PLATFORM=xcb.");
        ColourWindow target(QColor(0, 0, 255));
        target.setGeometry(300, 200, 200, 150);
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));
        QTest::qWait(200);

        EditorContext e(4, 6, 1);
        GatherDialog dialog(e.ctx, settingsPath);
        dialog.move(900, 500);
        dialog.show();
        e.prompt.answers = {PromptAnswer::Yes, PromptAnswer::Yes};
        dialog.widthEdit()->setValue(40);
        dialog.heightEdit()->setValue(30);
        dialog.xEdit()->setValue(350);
        dialog.yEdit()->setValue(240);
        QVERIFY(QTest::qWaitForWindowExposed(dialog.marker()));
        QTest::qWait(200);
        // The marker covers the rectangle: without the mask its red would
        // be what is sampled.
        QCOMPARE(dialog.marker()->sampledRect(), QRect(350, 240, 40, 30));
        dialog.rateEdit()->setValue(20);
        dialog.countEdit()->setValue(3);
        dialog.startSampling();
        QCOMPARE(dialog.state(), GatherDialog::State::Sampling);
        QTRY_COMPARE_WITH_TIMEOUT(dialog.state(), GatherDialog::State::Idle, 5000);
        QCOMPARE(dialog.samples().count(), 3);
        for (int i = 0; i < 3; ++i) {
            const QImage &s = dialog.samples().at(i);
            QCOMPARE(s.size(), QSize(40, 30));
            QCOMPARE(QColor(s.pixel(0, 0)), QColor(0, 0, 255));
            QCOMPARE(QColor(s.pixel(20, 15)), QColor(0, 0, 255));
            QCOMPARE(QColor(s.pixel(39, 29)), QColor(0, 0, 255));
        }
        QVERIFY(!dialog.marker()->isSampling());
        dialog.convertAndClose();
        QCOMPARE(e.doc.frameCount(), 4);
        QCOMPARE(e.doc.frames().at(1).at(2, 2, 6), makeColor(0, 0, 255));
    }

    void videoFormPreviewsAndImports()
    {
        const QString path = dir.filePath(QStringLiteral("clip.avi"));
        VideoWriter writer;
        QVERIFY(writer.open(path, 16, 16, 10));
        for (int i = 0; i < 10; ++i)
            QVERIFY(writer.write(gatherTestPicture(16, 16, i < 5 ? Qt::red : Qt::green)));
        QVERIFY(writer.finish());

        EditorContext e(4, 4, 1);
        MovieImportDialog dialog(e.ctx, false);
        QVERIFY(dialog.load(path));
        QCOMPARE(dialog.toEdit()->value(), 1.0);
        const QImage first = dialog.firstPreview()->pixmap().toImage();
        const QImage last = dialog.lastPreview()->pixmap().toImage();
        QVERIFY(!first.isNull());
        QVERIFY(qRed(first.pixel(first.width() / 2, first.height() / 2)) > 200);
        QVERIFY(qGreen(last.pixel(last.width() / 2, last.height() / 2)) > 200);
        dialog.rateEdit()->setValue(4);
        QCOMPARE(dialog.importFrames(), 4);
        QCOMPARE(e.doc.frameCount(), 5);

        // Every button speaks the editor's language, Qt's Cancel too.
        Language::setCode(Language::Chinese);
        MovieImportDialog chinese(e.ctx, false);
        Language::setCode(Language::English);
        auto *box = chinese.findChild<QDialogButtonBox *>();
        QVERIFY(box);
        QCOMPARE(box->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
        QCOMPARE(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->text(),
                 QStringLiteral("Cancel"));

        MovieImportDialog refused(e.ctx, true);
        QVERIFY(!refused.load(dir.filePath(QStringLiteral("missing.gif"))));
        QVERIFY(e.prompt.lastText().startsWith(GatherText::movieUnreadable(QString()).left(5)));
    }

private:
    QTemporaryDir dir;
    QString settingsPath;
};

#include "app_test.h"
APP_TEST(CaptureGatherTest)
#include "capture_gather_test.moc"
