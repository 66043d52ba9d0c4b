// The screen gather's samples: how they become frames, how they are saved
// as a project and opened back, and the dialog's rules for them (rate,
// position, size change, delete, memory budget).
#include "capture_test_support.h"

#include "capture/gather_texts.h"
#include "document/project_file.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

using Letters = std::vector<std::string>;

class SampleFrames : public CaptureTest
{
protected:
    int convert(Document &doc, const SampleList &samples, DisplayMode mode, bool zoom = true,
                BlockArea area = BlockArea(), int addMode = 0)
    {
        PatternTarget target(doc, addMode, area);
        return convertSamples(target, samples, mode, zoom, prompt);
    }
};

TEST_F(SampleFrames, SameSizeCopiesPixelsOneToOneWithBlueAndRedSwapped)
{
    auto doc = documentOf(3, 4);
    SampleList samples(4, 3);
    // A pure blue pixel has byte 0 = 255: it must become the lamp colour
    // blue, not red.
    QImage sample = captureSample(4, 3, Qt::blue, QRect(1, 1, 2, 1), Qt::red);
    sample.setPixel(3, 0, qRgb(0x12, 0x34, 0x56));
    ASSERT_TRUE(samples.append(sample));
    EXPECT_EQ(uint8_t(*samples.at(0).constBits()), 0xFF) << "a blue sample's first byte is blue";

    EXPECT_EQ(convert(*doc, samples, DisplayMode::Centre), 1);
    ASSERT_EQ(doc->frameCount(), 2);
    const Frame &f = doc->frames().at(1);
    EXPECT_EQ(captureLetters(f, 3, 4), (Letters{"BBB?", "B##B", "BBBB"}));
    EXPECT_EQ(f.at(3, 0, 4), makeColor(0x12, 0x34, 0x56));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(SampleFrames, EachDisplayModeScalesIntoTheGrid)
{
    SampleList samples(2, 1);
    ASSERT_TRUE(samples.append(captureSample(2, 1, Qt::red, QRect(1, 0, 1, 1), Qt::green)));

    // Scaling is smooth: the two middle columns blend red and green.
    auto stretch = documentOf(4, 4);
    convert(*stretch, samples, DisplayMode::Stretch);
    EXPECT_EQ(captureLetters(stretch->frames().at(1), 4, 4), (Letters{"#??G", "#??G", "#??G", "#??G"}));

    auto fit = documentOf(4, 4);
    convert(*fit, samples, DisplayMode::Fit);
    EXPECT_EQ(captureLetters(fit->frames().at(1), 4, 4), (Letters{"....", "#??G", "#??G", "...."}));

    auto centre = documentOf(4, 4);
    convert(*centre, samples, DisplayMode::Centre);
    EXPECT_EQ(captureLetters(centre->frames().at(1), 4, 4), (Letters{"....", ".#G.", "....", "...."}));

    // Without vector zoom the display mode is not used: a plain stretch.
    auto plain = documentOf(4, 4);
    convert(*plain, samples, DisplayMode::Centre, false);
    EXPECT_EQ(captureLetters(plain->frames().at(1), 4, 4), (Letters{"#??G", "#??G", "#??G", "#??G"}));
}

TEST_F(SampleFrames, DefinedAreaGetsThePictureAndTheRestOfTheFrameIsBlack)
{
    auto doc = documentOf(4, 5);
    // The current frame is white: the new frame must not copy it.
    std::fill(doc->currentFrame()->pixels().begin(), doc->currentFrame()->pixels().end(), kWhite);
    SampleList samples(2, 2);
    ASSERT_TRUE(samples.append(captureSample(2, 2, Qt::blue, QRect(0, 0, 1, 2), Qt::red)));
    ASSERT_TRUE(samples.append(captureSample(6, 6, Qt::green)));

    EXPECT_EQ(convert(*doc, samples, DisplayMode::Stretch, true, drawnArea(2, 1, 3, 2)), 2);
    ASSERT_EQ(doc->frameCount(), 3);
    EXPECT_EQ(captureLetters(doc->frames().at(1), 4, 5), (Letters{".....", "..#B.", "..#B.", "....."}));
    // The second sample was cut to the list's 2 x 2 when it was added.
    EXPECT_EQ(captureLetters(doc->frames().at(2), 4, 5), (Letters{".....", "..GG.", "..GG.", "....."}));
}

TEST_F(SampleFrames, FramesEnterByTheAddMode)
{
    SampleList samples(2, 2);
    for (QColor c : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)})
        ASSERT_TRUE(samples.append(captureSample(2, 2, c)));

    auto inserted = documentOf(2, 2, 2);
    EXPECT_EQ(convert(*inserted, samples, DisplayMode::Stretch, true, BlockArea(), 0), 3);
    EXPECT_EQ(inserted->frameCount(), 5);
    EXPECT_EQ(captureLetters(inserted->frames().at(1), 2, 2), (Letters{"##", "##"}));
    EXPECT_EQ(captureLetters(inserted->frames().at(3), 2, 2), (Letters{"BB", "BB"}));
    EXPECT_EQ(captureLetters(inserted->frames().at(4), 2, 2), (Letters{"..", ".."}));

    auto current = documentOf(2, 2, 2);
    convert(*current, samples, DisplayMode::Stretch, true, BlockArea(), 2);
    EXPECT_EQ(current->frameCount(), 2) << "current-frame mode writes every sample into frame 0";
    EXPECT_EQ(captureLetters(current->frames().at(0), 2, 2), (Letters{"BB", "BB"}));
}

TEST_F(SampleFrames, NoFrameInTheDocumentKeepsTheSamplesAndSaysSo)
{
    Document doc(gridOf(2, 2));
    SampleList samples(2, 2);
    ASSERT_TRUE(samples.append(captureSample(2, 2, Qt::red)));
    EXPECT_EQ(convert(doc, samples, DisplayMode::Stretch), -1);
    EXPECT_EQ(doc.frameCount(), 0);
    EXPECT_EQ(samples.count(), 1);
    EXPECT_EQ(prompt.texts(), QStringList{GatherText::gridFirst()});
}

class SampleListRules : public CaptureTest
{
};

TEST_F(SampleListRules, RateBelowTwoSamplesOncePerSecond)
{
    EXPECT_EQ(samplePeriodMs(0), 1000);
    EXPECT_EQ(samplePeriodMs(1), 1000);
    EXPECT_EQ(samplePeriodMs(-5), 1000);
    EXPECT_EQ(samplePeriodMs(2), 500);
    EXPECT_EQ(samplePeriodMs(20), 50);
}

TEST_F(SampleListRules, PositionAtOrBeyondTheScreenEdgeBecomesZero)
{
    EXPECT_EQ(positionOnScreen(1599, 1600), 1599);
    EXPECT_EQ(positionOnScreen(1600, 1600), 0);
    EXPECT_EQ(positionOnScreen(99999, 1600), 0);
    EXPECT_EQ(positionOnScreen(-1, 1600), 0);
}

TEST_F(SampleListRules, DeleteAsksThenRemovesFromThePositionUpToTheEnd)
{
    SampleList samples(1, 1);
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(samples.append(captureSample(1, 1, QColor(i, 0, 0))));

    prompt.answers = {PromptAnswer::No, PromptAnswer::Yes, PromptAnswer::Yes};
    EXPECT_EQ(deleteSamples(samples, 3, 2, prompt), 0);
    EXPECT_EQ(samples.count(), 10);
    EXPECT_EQ(deleteSamples(samples, 3, 2, prompt), 2);
    ASSERT_EQ(samples.count(), 8);
    EXPECT_EQ(qRed(samples.at(2).pixel(0, 0)), 4) << "samples 3 and 4 went";
    // Fewer go when the list ends first.
    EXPECT_EQ(deleteSamples(samples, 7, 5, prompt), 2);
    EXPECT_EQ(samples.count(), 6);
    EXPECT_EQ(prompt.texts().at(0), QStringLiteral("确实要从第3帧开始,删除2帧吗?"));
    EXPECT_EQ(prompt.texts().at(2), QStringLiteral("确实要从第7帧开始,删除5帧吗?"));
}

TEST_F(SampleListRules, SizeChangeQuestionOnlyWithSamplesAndResizeDropsThem)
{
    SampleList samples(3, 2);
    EXPECT_TRUE(confirmSizeChange(samples, prompt));
    EXPECT_TRUE(prompt.shown.empty());
    ASSERT_TRUE(samples.append(captureSample(3, 2, Qt::red)));

    prompt.answers = {PromptAnswer::No, PromptAnswer::Yes};
    EXPECT_FALSE(confirmSizeChange(samples, prompt));
    EXPECT_EQ(samples.count(), 1);
    EXPECT_TRUE(confirmSizeChange(samples, prompt));
    EXPECT_EQ(prompt.lastText(), GatherText::sizeChangeQuestion());
    samples.resize(5, 4);
    EXPECT_TRUE(samples.empty());
    EXPECT_EQ(samples.size(), QSize(5, 4));
}

TEST_F(SampleListRules, BudgetRefusesTheSampleThatWouldPassIt)
{
    SampleList samples(10, 10, sampleBytes(10, 10) * 3);
    EXPECT_TRUE(samples.fits(3));
    EXPECT_FALSE(samples.fits(4));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(samples.append(captureSample(10, 10, Qt::red)));
    EXPECT_FALSE(samples.append(captureSample(10, 10, Qt::red)));
    EXPECT_EQ(samples.count(), 3);
    EXPECT_LE(sampleMemoryBudget(), int64_t(2) << 30);
    EXPECT_GT(sampleMemoryBudget(), 0);
}

TEST_F(SampleListRules, SampleTextsInTheThreeLanguages)
{
    EXPECT_EQ(GatherText::sliderTip(3, 200), QStringLiteral("第3帧,共200帧"));
    EXPECT_TRUE(GatherText::markerText().isEmpty());
    Language::setCode(Language::English);
    EXPECT_EQ(GatherText::sliderTip(3, 200), QStringLiteral("3Th,200 in total"));
    EXPECT_EQ(GatherText::markerText(), QStringLiteral("Gather window"));
    Language::setCode(Language::Traditional);
    EXPECT_EQ(GatherText::caption(), ToTraditional(QStringLiteral("数据采集")));
    EXPECT_NE(GatherText::caption(), QStringLiteral("数据采集"));
    EXPECT_EQ(GatherText::markerText(), QStringLiteral("Gather window"));
}

// Sampling is tried on every platform but Wayland, which is told in words
// a user can act on; only X11 gets keys for the whole display.
TEST_F(SampleListRules, WaylandRefusesSamplingWithAMessageOtherPlatformsTry)
{
    EXPECT_EQ(gatherPlatform(QStringLiteral("xcb")), GatherPlatform::X11);
    EXPECT_EQ(gatherPlatform(QStringLiteral("wayland")), GatherPlatform::Wayland);
    EXPECT_EQ(gatherPlatform(QStringLiteral("wayland-egl")), GatherPlatform::Wayland);
    EXPECT_EQ(gatherPlatform(QStringLiteral("offscreen")), GatherPlatform::Other);
    EXPECT_EQ(gatherPlatform(QStringLiteral("eglfs")), GatherPlatform::Other);
    EXPECT_EQ(gatherPlatform(QString()), GatherPlatform::Other);
    EXPECT_TRUE(samplingRefusal(QStringLiteral("xcb")).isEmpty());
    EXPECT_TRUE(samplingRefusal(QStringLiteral("offscreen")).isEmpty());

    const QString chinese = QStringLiteral("屏幕采样需要 X11 会话：当前会话为“wayland-egl”，不允许程序读取屏幕。"
                                           "请在登录时选择 X11（Xorg）会话。");
    EXPECT_EQ(samplingRefusal(QStringLiteral("wayland-egl")), chinese);
    Language::setCode(Language::English);
    EXPECT_EQ(samplingRefusal(QStringLiteral("wayland")),
              QStringLiteral("Screen sampling needs an X11 session: this session runs on \"wayland\", which lets no "
                             "program read the screen. Choose an X11 (Xorg) session when you log in."));
    EXPECT_EQ(GatherText::hotKeysHeld(QStringLiteral("Ctrl+Alt+F5, Ctrl+Alt+F7")),
              QStringLiteral("Another program holds Ctrl+Alt+F5, Ctrl+Alt+F7: these keys go to it, not to the "
                             "editor, until it lets them go. Use the Gather and Stop buttons."));
    Language::setCode(Language::Traditional);
    EXPECT_EQ(samplingRefusal(QStringLiteral("wayland-egl")), ToTraditional(chinese));
}

class SampleFiles : public CaptureTest
{
protected:
    QTemporaryDir dir;
    QString file(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(SampleFiles, SavedAsProjectAndOpenedBack)
{
    SampleList samples(5, 3);
    ASSERT_TRUE(samples.append(captureSample(5, 3, Qt::red, QRect(4, 2, 1, 1), Qt::blue)));
    ASSERT_TRUE(samples.append(captureSample(5, 3, QColor(1, 2, 3))));
    GridGeometry current = gridOf(30, 40);
    current.celWidth = 7;
    current.celHeight = 9;
    current.baseColorNum = 2;
    current.scanMode = 0;

    ASSERT_TRUE(saveSamples(file("s.wst"), samples, current, 20, prompt));
    ProjectReadResult read = readProjectFile(file("s.wst"));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.data->format, ProjectFormat::Wst1);
    EXPECT_EQ(read.data->geometry.rows, 3);
    EXPECT_EQ(read.data->geometry.cols, 5);
    EXPECT_EQ(read.data->geometry.celWidth, 7);
    EXPECT_EQ(read.data->geometry.celHeight, 9);
    EXPECT_EQ(read.data->geometry.baseColorNum, 2);
    EXPECT_EQ(read.data->geometry.scanMode, 0);
    ASSERT_EQ(read.data->frames.size(), 2u);
    EXPECT_EQ(read.data->frames[0].at(4, 2, 5), kBlue);
    EXPECT_EQ(read.data->frames[0].at(0, 0, 5), kRed);
    EXPECT_EQ(read.data->frames[1].at(2, 1, 5), makeColor(1, 2, 3));
    QFile raw(file("s.wst"));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    EXPECT_EQ(bytes.size(), kCurrentHeaderSize + 2 * 5 * 3 * 3);
    EXPECT_EQ(bytes.mid(kCurrentHeaderSize, 3), QByteArray("\xFF\x00\x00", 3)) << "red, green, blue on disk";

    SampleList opened(150, 100);
    ASSERT_TRUE(openSamples(file("s.wst"), opened, prompt));
    EXPECT_EQ(opened.size(), QSize(5, 3));
    ASSERT_EQ(opened.count(), 2);
    EXPECT_EQ(opened.at(0), samples.at(0));
    EXPECT_EQ(opened.at(1), samples.at(1));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(SampleFiles, OpenOverSamplesAsksFirstAndNoKeepsThem)
{
    SampleList samples(2, 2);
    ASSERT_TRUE(samples.append(captureSample(2, 2, Qt::green)));
    SampleList other(4, 4);
    ASSERT_TRUE(other.append(captureSample(4, 4, Qt::red)));
    ASSERT_TRUE(saveSamples(file("o.wst"), other, gridOf(1, 1), 20, prompt));

    prompt.answers = {PromptAnswer::No};
    EXPECT_FALSE(openSamples(file("o.wst"), samples, prompt));
    EXPECT_EQ(samples.size(), QSize(2, 2));
    EXPECT_EQ(prompt.texts(), QStringList{GatherText::sizeChangeQuestion()});
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(openSamples(file("o.wst"), samples, prompt));
    EXPECT_EQ(samples.size(), QSize(4, 4));
    EXPECT_EQ(samples.count(), 1);
}

TEST_F(SampleFiles, NotAProjectSaysFileFormatErrorAndKeepsTheSamples)
{
    QFile junk(file("junk.wst"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is no project file at all, just words");
    junk.close();
    SampleList samples(2, 2);
    EXPECT_FALSE(openSamples(file("junk.wst"), samples, prompt));
    EXPECT_EQ(prompt.texts().size(), 1);
    EXPECT_TRUE(prompt.lastText().startsWith(QStringLiteral("文件格式错误!"))) << prompt.lastText().toStdString();
    EXPECT_EQ(samples.size(), QSize(2, 2));

    prompt.shown.clear();
    EXPECT_FALSE(openSamples(file("missing.wst"), samples, prompt));
    EXPECT_EQ(prompt.texts().size(), 1);
}

TEST_F(SampleFiles, OpenThatPassesTheBudgetSaysMemoryIsFull)
{
    SampleList big(8, 8);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(big.append(captureSample(8, 8, Qt::red)));
    ASSERT_TRUE(saveSamples(file("b.wst"), big, gridOf(1, 1), 20, prompt));
    SampleList small(2, 2, sampleBytes(8, 8) * 4);
    ASSERT_TRUE(small.append(captureSample(2, 2, Qt::blue)));
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_FALSE(openSamples(file("b.wst"), small, prompt));
    EXPECT_EQ(prompt.lastText(), GatherText::memoryFull());
    EXPECT_EQ(small.size(), QSize(2, 2));
    EXPECT_EQ(small.count(), 1);
}

TEST_F(SampleFiles, FailedSaveSaysSaveFileFailure)
{
    SampleList samples(2, 2);
    ASSERT_TRUE(samples.append(captureSample(2, 2, Qt::red)));
    EXPECT_FALSE(saveSamples(file("no/such/folder/x.wst"), samples, gridOf(1, 1), 20, prompt));
    ASSERT_EQ(prompt.texts().size(), 1);
    EXPECT_TRUE(prompt.lastText().startsWith(QStringLiteral("保存文件失败！"))) << prompt.lastText().toStdString();
    EXPECT_FALSE(QFile::exists(file("no/such/folder/x.wst")));
}

} // namespace
