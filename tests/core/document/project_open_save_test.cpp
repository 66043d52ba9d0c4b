// The document's open and save steps: what the user is told, and that a
// failure leaves both the document and the old file as they were.
#include "document/document.h"
#include "document/project_file.h"
#include "project_test_files.h"
#include "scripted_prompt.h"
#include "settings/language.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace testfiles;

namespace {

GridGeometry smallGrid()
{
    GridGeometry g;
    g.rows = 4;
    g.cols = 5;
    g.celWidth = 9;
    g.celHeight = 7;
    return g;
}

// A document with unsaved work: three seeded frames, the second current,
// one wired point, marked modified.
void fillWithWork(Document &doc)
{
    std::vector<Frame> frames = seededFrames(3, size_t(doc.pointCount()), 77);
    doc.frames().assign(std::move(frames), 1);
    WiringPixel p;
    p.column = 1;
    p.row = 2;
    doc.wiring().append(p);
    doc.setFilePath(QStringLiteral("/work/unsaved.wst"));
    doc.setModified(true);
}

struct Snapshot
{
    GridGeometry geometry;
    std::vector<Frame> frames;
    int current;
    bool modified;
    QString path;
    int wired;

    explicit Snapshot(const Document &d)
        : geometry(d.geometry()), current(d.currentIndex()), modified(d.isModified()), path(d.filePath()),
          wired(d.wiring().count())
    {
        for (int i = 0; i < d.frameCount(); ++i)
            frames.push_back(d.frames().at(i));
    }
    bool operator==(const Snapshot &) const = default;
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class ProjectOpenSave : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
        Language::setCode(Language::English);
    }
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
    ScriptedPrompt prompt;
};

TEST_F(ProjectOpenSave, OpenReplacesTheContentsAndLeavesTheDocumentUnmodified)
{
    RawHeader h;
    h.rows = 6;
    h.cols = 3;
    h.frameCount = 4;
    const std::vector<Frame> frames = seededFrames(4, 18, 5);
    ASSERT_TRUE(writeAll(path("in.wst"), currentLayout(h, frames)));

    Document doc(smallGrid());
    fillWithWork(doc);
    ASSERT_TRUE(openProjectInto(doc, path("in.wst"), prompt));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(doc.rows(), 6);
    EXPECT_EQ(doc.cols(), 3);
    ASSERT_EQ(doc.frameCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(doc.frames().at(i), frames[size_t(i)]);
    EXPECT_EQ(doc.currentIndex(), 0);
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.filePath(), path("in.wst"));
    // The wiring list belongs to ".line" files; opening a project keeps it.
    EXPECT_EQ(doc.wiring().count(), 1);
}

TEST_F(ProjectOpenSave, OpenOfAnEmptyProjectLeavesNoCurrentFrame)
{
    RawHeader h;
    h.rows = 2;
    h.cols = 2;
    ASSERT_TRUE(writeAll(path("empty.wst"), currentLayout(h, {})));
    Document doc(smallGrid());
    fillWithWork(doc);
    ASSERT_TRUE(openProjectInto(doc, path("empty.wst"), prompt));
    EXPECT_EQ(doc.frameCount(), 0);
    EXPECT_EQ(doc.currentIndex(), -1);
    EXPECT_EQ(doc.currentFrame(), nullptr);
}

TEST_F(ProjectOpenSave, FailedOpenLeavesTheDocumentUntouched)
{
    RawHeader negative;
    negative.frameCount = -3;
    RawHeader good;
    good.rows = 2;
    good.cols = 2;
    good.frameCount = 1;
    struct Case
    {
        const char *name;
        QByteArray bytes; // empty: the file is not created
        const char *key;
    };
    const Case cases[] = {
        {"missing.wst", QByteArray(), "OpenFileError"},
        {"text.wst", QByteArray("This is a letter, not a project."), "FileFormatError"},
        {"cut.wst", currentLayout(good, seededFrames(1, 4, 1)).left(20), "FileFormatError"},
        {"negative.wst", currentLayout(negative, {}), "FileFormatError"},
    };
    for (bool modified : {true, false}) {
        for (const Case &c : cases) {
            if (!c.bytes.isEmpty()) {
                ASSERT_TRUE(writeAll(path(c.name), c.bytes));
            }
            Document doc(smallGrid());
            fillWithWork(doc);
            doc.setModified(modified);
            const Snapshot before(doc);
            prompt.shown.clear();

            EXPECT_FALSE(openProjectInto(doc, path(c.name), prompt)) << c.name;
            EXPECT_TRUE(Snapshot(doc) == before) << c.name;
            ASSERT_EQ(prompt.shown.size(), 1u) << c.name;
            EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Error);
            const QString expected = c.key == QLatin1String("OpenFileError")
                                         ? LanguageText("Message", "OpenFileError", QStringLiteral("OpenFileError"))
                                         : LanguageText("Message", "FileFormatError", QStringLiteral("文件格式错误!"));
            EXPECT_TRUE(prompt.shown[0].text.startsWith(expected)) << prompt.shown[0].text.toStdString();
        }
    }
}

TEST_F(ProjectOpenSave, TruncatedFileOpensItsCompleteFramesAndSaysSo)
{
    RawHeader h;
    h.rows = 4;
    h.cols = 5;
    h.frameCount = 10;
    const std::vector<Frame> frames = seededFrames(4, 20, 9);
    // Three whole frames and a piece of the fourth.
    ASSERT_TRUE(writeAll(path("cut.wst"), currentLayout(h, frames).chopped(7)));
    Document doc(smallGrid());
    ASSERT_TRUE(openProjectInto(doc, path("cut.wst"), prompt));
    ASSERT_EQ(doc.frameCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(doc.frames().at(i), frames[size_t(i)]);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Warning);
    EXPECT_TRUE(prompt.shown[0].text.contains(QLatin1String("3")));
    EXPECT_TRUE(prompt.shown[0].text.contains(QLatin1String("10")));

    // A recovered copy: it has no file of its own, so Save cannot write
    // over the damaged one, which still holds the cut frame.
    EXPECT_TRUE(doc.filePath().isEmpty());
    EXPECT_EQ(doc.recoveredFrom(), path("cut.wst"));
    EXPECT_FALSE(doc.isModified());
    const ProjectReadResult r = readProjectFile(path("cut.wst"));
    EXPECT_TRUE(r.recovered());
    EXPECT_EQ(r.recoveredFrames(), 3);

    // Saving it under a name of the user's ends the recovery.
    ASSERT_TRUE(saveProjectFrom(doc, path("kept.wst"), prompt));
    EXPECT_EQ(doc.filePath(), path("kept.wst"));
    EXPECT_TRUE(doc.recoveredFrom().isEmpty());
}

TEST_F(ProjectOpenSave, FileCutBeforeItsFirstFrameIsRefusedAndTheDocumentStays)
{
    RawHeader h;
    h.rows = 24;
    h.cols = 40;
    h.frameCount = 48;
    // The first 100 bytes of a 48-frame project: the header and a piece of
    // the first frame.
    ASSERT_TRUE(writeAll(path("head.wst"), currentLayout(h, seededFrames(48, 960, 5)).left(100)));
    Document doc(smallGrid());
    fillWithWork(doc);
    const Snapshot before(doc);
    EXPECT_FALSE(openProjectInto(doc, path("head.wst"), prompt));
    EXPECT_TRUE(Snapshot(doc) == before);
    EXPECT_TRUE(doc.recoveredFrom().isEmpty());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Error);
    EXPECT_TRUE(prompt.shown[0].text.startsWith(LanguageText("Message", "FileFormatError", QStringLiteral("文件格式错误!"))));

    // A file that promises no frames and has none is a whole (empty)
    // project, not a cut one.
    RawHeader empty = h;
    empty.frameCount = 0;
    ASSERT_TRUE(writeAll(path("empty.wst"), currentLayout(empty, {})));
    const ProjectReadResult r = readProjectFile(path("empty.wst"));
    ASSERT_TRUE(r.ok());
    EXPECT_FALSE(r.recovered());
}

TEST(RecoveredName, SaveSuggestsTheNameWithRecoveredBesideTheOriginal)
{
    EXPECT_EQ(recoveredProjectName(QStringLiteral("/shows/show.wst")), QStringLiteral("/shows/show (recovered).wst"));
    EXPECT_EQ(recoveredProjectName(QStringLiteral("/shows/gala.2024.wst")),
              QStringLiteral("/shows/gala.2024 (recovered).wst"));
    EXPECT_EQ(recoveredProjectName(QStringLiteral("/shows/noext")), QStringLiteral("/shows/noext (recovered).wst"));
}

TEST_F(ProjectOpenSave, OpenReportsProgressThroughTheCallback)
{
    RawHeader h;
    h.rows = 1;
    h.cols = 1;
    h.frameCount = 52;
    ASSERT_TRUE(writeAll(path("p.wst"), currentLayout(h, seededFrames(52, 1, 3))));
    Document doc(smallGrid());
    std::vector<int> seen;
    ASSERT_TRUE(openProjectInto(doc, path("p.wst"), prompt, [&](int p) { seen.push_back(p); }));
    ASSERT_EQ(seen.size(), 53u);
    EXPECT_EQ(seen[49], 49);
    EXPECT_EQ(seen[50], 0);
    EXPECT_EQ(seen[51], 1);
    EXPECT_EQ(seen.back(), 0);
}

TEST_F(ProjectOpenSave, SaveStoresUnwiredPointsAndClearsTheModifiedMark)
{
    Document doc(smallGrid());
    fillWithWork(doc); // one wired point of twenty
    const Snapshot before(doc);
    ASSERT_TRUE(saveProjectFrom(doc, path("out.wst"), prompt));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.filePath(), path("out.wst"));

    const ProjectReadResult r = readProjectFile(path("out.wst"));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.data->geometry, before.geometry);
    EXPECT_EQ(r.data->frames, before.frames);
}

TEST_F(ProjectOpenSave, SaveIntoAMissingFolderFailsWithTheMessage)
{
    Document doc(smallGrid());
    fillWithWork(doc);
    EXPECT_FALSE(saveProjectFrom(doc, path("no/such/folder/out.wst"), prompt));
    ASSERT_EQ(prompt.shown.size(), 1u);
    // The fixed text, then the reason the system gave.
    EXPECT_EQ(prompt.shown[0].text, QStringLiteral("Save file failure!\nNo such file or directory"));
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.filePath(), QStringLiteral("/work/unsaved.wst"));
}

TEST_F(ProjectOpenSave, SaveIntoAReadOnlyFolderKeepsTheOldFile)
{
    const QString folder = path("locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString target = folder + QStringLiteral("/p.wst");
    const QByteArray old("the old file");
    ASSERT_TRUE(writeAll(target, old));
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const bool rootWrites = QFile(folder + QStringLiteral("/probe")).open(QIODevice::WriteOnly);
    if (rootWrites) {
        // Folder permissions do not bind root; a target whose folder is a
        // regular file cannot be created by anyone.
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString blocker = path("blocker");
        ASSERT_TRUE(writeAll(blocker, old));
        Document doc(smallGrid());
        fillWithWork(doc);
        EXPECT_FALSE(saveProjectFrom(doc, blocker + QStringLiteral("/p.wst"), prompt));
        EXPECT_EQ(readAll(blocker), old);
        EXPECT_EQ(readAll(target), old);
        EXPECT_EQ(prompt.lastText(), QStringLiteral("Save file failure!\nNot a directory"));
        EXPECT_TRUE(doc.isModified());
        return;
    }
    Document doc(smallGrid());
    fillWithWork(doc);
    EXPECT_FALSE(saveProjectFrom(doc, target, prompt));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(readAll(target), old);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Save file failure!\nPermission denied"));
    EXPECT_TRUE(doc.isModified());
}

TEST_F(ProjectOpenSave, WriteFailingHalfwayKeepsTheOldFile)
{
    // A file size limit makes a write fail part way, as a full disk does,
    // and binds root as well.
    const QString target = path("p.wst");
    const QByteArray old = projectBytes(smallGrid(), FrameSequence());
    ASSERT_TRUE(writeAll(target, old));

    Document doc(GridGeometry{});
    doc.frames().assign(seededFrames(40, size_t(doc.pointCount()), 4), 0); // about 115 KB
    doc.setModified(true);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 16 * 1024;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved_ok = saveProjectFrom(doc, target, prompt);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(readAll(target), old);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Save file failure!\nwriting frames 1 to 40 of 40 failed: File too large"));
    EXPECT_TRUE(doc.isModified());
    // Nothing is left behind beside the old file.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("p.wst")});
}
