// The picture tab: its form and defaults, loading a picture or taking the
// current frame into the preview, and a run from the confirm button.

#include "editor_context.h"
#include "language_test_support.h"
#include "pattern_page_test_support.h"
#include "patterns/auto_pattern_dialog.h"
#include "patterns/picture_pattern_page.h"
#include "settings/language.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int kPictureTab = 6;

// A picture file: left half red, right half blue.
QString writeHalvesPicture(const QTemporaryDir &dir)
{
    QImage image(80, 40, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < 40; ++y)
        for (int x = 40; x < 80; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    const QString path = dir.filePath(QStringLiteral("halves.png"));
    image.save(path);
    return path;
}

// How many preview pixels are not black.
int previewLitPixels(const QLabel *preview)
{
    const QImage shown = preview->pixmap().toImage();
    int lit = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            lit += (shown.pixel(x, y) & 0xFFFFFF) != 0;
    return lit;
}

} // namespace

class PicturePatternPageTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { useShippedChineseTexts(); }

    void showsItsFormWithTheDefaults()
    {
        EditorContext e(8, 16);
        AutoPatternDialog dialog(e.ctx);
        PicturePatternPage *page = openPatternPage<PicturePatternPage>(dialog, kPictureTab);
        QVERIFY(page);
        QCOMPARE(page->entranceEdit()->text(), QStringLiteral("20"));
        QCOMPARE(page->waitEdit()->text(), QStringLiteral("10"));
        QCOMPARE(page->exitEdit()->text(), QStringLiteral("0"));
        QCOMPARE(page->effectBox()->count(), 54);
        QCOMPARE(page->effectBox()->currentText(), QStringLiteral("左移"));
        QCOMPARE(page->effectBox()->itemText(53), QStringLiteral("随机"));
        QCOMPARE(page->loadButton()->text(), QStringLiteral("装入图片"));
        QCOMPARE(page->currentFrameButton()->text(), QStringLiteral("取当前帧"));
        QVERIFY(page->findChild<QGroupBox *>(QStringLiteral("colourGroup"))->isHidden());
        QCOMPARE(previewLitPixels(page->previewLabel()), 0);

        Language::setCode(Language::English);
        Language::reload();
        AutoPatternDialog english(e.ctx);
        page = openPatternPage<PicturePatternPage>(english, kPictureTab);
        QCOMPARE(page->effectBox()->currentText(), QStringLiteral("Move left"));
        QCOMPARE(page->loadButton()->text(), QStringLiteral("Load Picture"));
    }

    void confirmWithoutAPictureDoesNothing()
    {
        EditorContext e(8, 16);
        AutoPatternDialog dialog(e.ctx);
        PicturePatternPage *page = openPatternPage<PicturePatternPage>(dialog, kPictureTab);
        QTest::mouseClick(page->confirmButton(), Qt::LeftButton);
        QCOMPARE(e.doc.frameCount(), 1);
        QVERIFY(e.prompt.shown.empty());
    }

    void aLoadedPictureRunsWithTheCountsOfTheForm()
    {
        QTemporaryDir dir;
        EditorContext e(8, 16);
        e.ctx.editing.addMode = AddMode::Overwrite; // the picture page inserts all the same
        AutoPatternDialog dialog(e.ctx);
        PicturePatternPage *page = openPatternPage<PicturePatternPage>(dialog, kPictureTab);
        e.prompt.files.push_back(writeHalvesPicture(dir));
        QTest::mouseClick(page->loadButton(), Qt::LeftButton);
        QCOMPARE(e.prompt.fileDialogTitles, QStringList(QStringLiteral("装入图片")));
        QVERIFY(e.prompt.fileDialogFilters.front().contains(QStringLiteral("*.bmp")));
        QCOMPARE(page->picture().size(), QSize(16, 8));
        QVERIFY(previewLitPixels(page->previewLabel()) > 0);

        page->entranceEdit()->setText(QStringLiteral("4"));
        page->waitEdit()->setText(QStringLiteral("2"));
        page->exitEdit()->setText(QStringLiteral("3"));
        QTest::mouseClick(page->confirmButton(), Qt::LeftButton);
        QCOMPARE(e.doc.frameCount(), 1 + 9);
        // The finished entrance: red on the left half, blue on the right.
        const Frame &shown = e.doc.frames().at(4);
        QCOMPARE(shown.at(0, 0, 16), ColorValue(0x0000FF));
        QCOMPARE(shown.at(15, 7, 16), ColorValue(0xFF0000));
        QCOMPARE(e.doc.frames().at(6), shown);
        // Moving left, the last exit frame is empty.
        QCOMPARE(e.doc.frames().at(9), Frame(128, 0));
    }

    void aFileThatCannotBeReadKeepsTheOldPicture()
    {
        QTemporaryDir dir;
        EditorContext e(8, 16);
        AutoPatternDialog dialog(e.ctx);
        PicturePatternPage *page = openPatternPage<PicturePatternPage>(dialog, kPictureTab);
        e.prompt.files.push_back(writeHalvesPicture(dir));
        QVERIFY(page->loadPicture());
        const QImage before = page->picture();

        const QString junk = dir.filePath(QStringLiteral("junk.jpg"));
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a picture at all");
        f.close();
        e.prompt.files.push_back(junk);
        QVERIFY(!page->loadPicture());
        QCOMPARE(e.prompt.lastText(), QStringLiteral("图片文件无法打开"));
        QCOMPARE(page->picture(), before);
    }

    void theCurrentFrameBecomesThePicture()
    {
        EditorContext e(4, 6);
        Frame painted(24, 0);
        for (size_t i = 0; i < painted.size(); ++i)
            painted[i] = ColorValue(0x10 * (i % 7) + 0x0F);
        e.doc.storeFrame(painted);
        AutoPatternDialog dialog(e.ctx);
        PicturePatternPage *page = openPatternPage<PicturePatternPage>(dialog, kPictureTab);
        QTest::mouseClick(page->currentFrameButton(), Qt::LeftButton);
        QVERIFY(previewLitPixels(page->previewLabel()) > 0);
        page->entranceEdit()->setText(QStringLiteral("0"));
        page->waitEdit()->setText(QStringLiteral("0"));
        page->effectBox()->setCurrentIndex(38); // fade: the finished step is the frame itself
        QTest::mouseClick(page->confirmButton(), Qt::LeftButton);
        QCOMPARE(e.doc.frameCount(), 2);
        QCOMPARE(e.doc.frames().at(1), painted);
    }
};

#include "app_test.h"
APP_TEST(PicturePatternPageTest)
#include "picture_pattern_page_test.moc"
