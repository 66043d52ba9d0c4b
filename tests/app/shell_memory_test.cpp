// A command that runs out of memory ends there, not the program: the frames
// it had added are taken back and the user reads why.
#include "shell_test_support.h"

#include "common/command_ids.h"
#include "canvas/canvas_view.h"
#include "shell/memory_guard.h"

#include <QTest>
#include <new>

namespace {

// Not an id of the menus: a test command of its own.
constexpr int kGreedy = 64000;
constexpr int kOuter = 64001;

} // namespace

class ShellMemoryTest : public QObject
{
    Q_OBJECT
private slots:
    void aCommandOutOfMemoryIsStoppedAndItsFramesTakenBack()
    {
        TestEditor e;
        Language::setCode(Language::English);
        e.makeFrames(2, 3, 4);
        e.doc().goToFrame(1);
        int ran = 0;
        // A run that makes frames after the current one and then cannot
        // get the memory for the next.
        e.commands().add(kGreedy, [&] {
            ++ran;
            for (int i = 0; i < 3; ++i)
                e.doc().insertFrameAfterCurrent(Frame(6, 0xABCDEF));
            throw std::bad_alloc();
        });
        QVERIFY(!e.commands().trigger(kGreedy));
        QCOMPARE(ran, 1);
        QCOMPARE(e.doc().frameCount(), 4);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(e.doc().frames().at(i)[0], ColorValue(i + 1));
        QCOMPARE(e.doc().currentIndex(), 1);
        QCOMPARE(e.prompt.texts(), QStringList{"Memory ran out: the operation was stopped before its end."});
        QCOMPARE(e.prompt.shown.back().icon, PromptIcon::Error);
        // The editor goes on: the next command runs.
        const bool grid = e.window().canvas()->showGrid();
        QVERIFY(e.commands().trigger(Cmd::ShowGrid));
        QCOMPARE(e.window().canvas()->showGrid(), !grid);
        Language::setCode(Language::Chinese);
        QCOMPARE(outOfMemoryText(), QStringLiteral("内存不足,操作未能完成。"));
        Language::setCode(Language::English);
    }

    void aCommandRunByAnotherIsAnsweredForByTheOuterOne()
    {
        TestEditor e;
        Language::setCode(Language::English);
        e.makeFrames(2, 2, 2);
        e.commands().add(kGreedy, [&] {
            e.doc().insertFrameAfterCurrent(Frame(4, 7));
            throw std::bad_alloc();
        });
        bool after = false;
        e.commands().add(kOuter, [&] {
            e.doc().insertFrameAfterCurrent(Frame(4, 8));
            e.commands().trigger(kGreedy);
            after = true; // never reached: the outer command stops too
        });
        QVERIFY(!e.commands().trigger(kOuter));
        QVERIFY(!after);
        // Both frames go: the mark was taken before the outer command.
        QCOMPARE(e.doc().frameCount(), 2);
        QCOMPARE(e.prompt.shown.size(), size_t(1));
    }
};

QTEST_MAIN(ShellMemoryTest)
#include "shell_memory_test.moc"
