// The whole editor under a long random session: commands from the command
// registry (New, copy, cut, paste, delete, the pattern generator, the
// transforms, undo and redo, playback) and wiring edits on the wiring page,
// each with random valid arguments, against one document. After every
// step the document must still hold together: every frame has the grid's
// size, the current frame exists, the wiring's cell map is the one its
// list gives, the undo history is in order, and an undo followed by a redo
// gives the frames back.
//
// It runs 10 s; BRIGHTLOOM_SOAK_SECONDS asks for longer. A broken
// invariant or a crash prints the seed and every step so far;
// BRIGHTLOOM_SOAK_SEED runs the same session again.

#include "shell_test_support.h"

#include "canvas/canvas_view.h"
#include "common/app_context.h"
#include "common/command_ids.h"
#include "document/document.h"
#include "document/edit_history.h"
#include "editing/paste_dialog.h"
#include "patterns/auto_pattern_dialog.h"
#include "patterns/pattern_page.h"
#include "transforms/frame_range_fields.h"
#include "transforms/frame_repeat_dialog.h"
#include "wiring/wiring_editor.h"
#include "wiring/wiring_tool_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstring>
#include <random>
#include <unistd.h>

namespace {

// What a crash prints: the seed and the steps so far, kept ready to write
// from a signal handler.
std::string g_soakReport;

constexpr int kSoakSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};
struct sigaction g_soakPreviousActions[std::size(kSoakSignals)];

// Prints the report, then hands the signal on to whoever handled it before
// (Qt Test's crash handler, a sanitizer's), which runs once this returns.
extern "C" void soakCrashHandler(int sig)
{
    const char head[] = "\n*** the editor soak crashed; seed and steps:\n";
    (void)!::write(2, head, sizeof head - 1);
    (void)!::write(2, g_soakReport.data(), g_soakReport.size());
    for (size_t i = 0; i < std::size(kSoakSignals); ++i)
        if (kSoakSignals[i] == sig)
            sigaction(sig, &g_soakPreviousActions[i], nullptr);
    std::raise(sig);
}

struct SoakCrashGuard
{
    SoakCrashGuard()
    {
        struct sigaction sa = {};
        sa.sa_handler = soakCrashHandler;
        sigemptyset(&sa.sa_mask);
        for (size_t i = 0; i < std::size(kSoakSignals); ++i)
            sigaction(kSoakSignals[i], &sa, &g_soakPreviousActions[i]);
    }
    ~SoakCrashGuard()
    {
        for (size_t i = 0; i < std::size(kSoakSignals); ++i)
            sigaction(kSoakSignals[i], &g_soakPreviousActions[i], nullptr);
    }
};

// The offscreen platform warns at every dialog it shows; thousands of
// those would bury what the soak says.
QtMessageHandler g_soakPreviousHandler = nullptr;

void soakMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.contains(QLatin1String("propagateSizeHints")))
        return;
    g_soakPreviousHandler(type, context, text);
}

std::vector<Frame> soakFrames(const Document &doc)
{
    std::vector<Frame> out;
    out.reserve(size_t(doc.frameCount()));
    for (int i = 0; i < doc.frameCount(); ++i)
        out.push_back(doc.frames().at(i));
    return out;
}

// The test's prompt, answering each question with one of the buttons it
// offers, the going-on one (OK, Yes) or the other (Cancel, No) at random;
// what it answered is noted for the step list.
class SoakPrompt : public ScriptedPrompt
{
public:
    explicit SoakPrompt(std::mt19937 &rng) : m_rng(rng) {}

    PromptAnswer ask(const QString &text, PromptButtons buttons, PromptIcon icon, const QString &title) override
    {
        const bool goOn = std::uniform_int_distribution<int>(0, 1)(m_rng) == 1;
        PromptAnswer a = PromptAnswer::Ok;
        switch (buttons) {
        case PromptButtons::Ok: a = PromptAnswer::Ok; break;
        case PromptButtons::OkCancel: a = goOn ? PromptAnswer::Ok : PromptAnswer::Cancel; break;
        case PromptButtons::YesNo:
        case PromptButtons::YesNoCancel: a = goOn ? PromptAnswer::Yes : PromptAnswer::No; break;
        }
        answers = {a};
        given.push_back(a);
        return ScriptedPrompt::ask(text, buttons, icon, title);
    }

    std::vector<PromptAnswer> given;

private:
    std::mt19937 &m_rng;
};

class Soak
{
    std::mt19937 m_rng;
    SoakPrompt m_prompt{m_rng};

public:
    explicit Soak(unsigned seed)
        : m_rng(seed), editor([this](EditorOptions &options) { options.prompt = &m_prompt; })
    {
        m_report = "seed " + std::to_string(seed) + " (BRIGHTLOOM_SOAK_SEED=" + std::to_string(seed)
                   + " repeats it)\n";
        g_soakReport = m_report;
        m_dialogs.setInterval(0);
        QObject::connect(&m_dialogs, &QTimer::timeout, [this] { answerModalDialog(); });
    }

    TestEditor editor;

    // One random step and the checks after it; false with `failure` set
    // when something no longer holds.
    bool step(int index)
    {
        // Messages and questions, with the answers the prompt gave, are
        // written to the step.
        m_prompt.shown.clear();
        m_prompt.given.clear();
        g_soakReport = m_report + "step " + std::to_string(index) + ": (running)\n";
        std::string done = runRandomCommand();
        size_t asked = 0;
        static const char *const answerNames[] = {"OK", "Cancel", "Yes", "No"};
        for (const ScriptedPrompt::Shown &s : m_prompt.shown) {
            done += " {" + s.text.left(60).simplified().toStdString();
            if (s.question && asked < m_prompt.given.size())
                done += std::string(" -> ") + answerNames[int(m_prompt.given[asked++])];
            done += "}";
        }
        m_report += "step " + std::to_string(index) + ": " + done + "\n";
        g_soakReport = m_report;
        QCoreApplication::processEvents(); // a playback tick may come
        failure = brokenInvariant();
        return failure.empty();
    }

    std::string report() const { return m_report; }
    std::string failure;

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool chance(int percent) { return pick(1, 100) <= percent; }

    Document &doc() { return editor.doc(); }

    // Runs a registry command with the modal-dialog answerer on.
    std::string trigger(int id, const std::string &what)
    {
        m_dialogLog.clear();
        const bool enabled = editor.commands().isEnabled(id);
        m_dialogs.start();
        const bool ran = editor.commands().trigger(id);
        m_dialogs.stop();
        // A dialog the command left open (none should) is closed.
        while (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            d->reject();
        return what + (enabled ? (ran ? "" : " (did not run)") : " (disabled)") + m_dialogLog;
    }

    // Fills the open modal dialog with random valid values and confirms it;
    // one that stays open after that (it refused the values) is cancelled.
    void answerModalDialog()
    {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!d)
            return;
        if (d->property("soakAnswered").toBool()) {
            m_dialogLog += " [refused, cancelled]";
            d->reject();
            return;
        }
        d->setProperty("soakAnswered", true);
        const int frames = std::max(1, doc().frameCount());
        if (auto *p = qobject_cast<AutoPatternDialog *>(d)) {
            const int tab = pick(0, AutoPatternDialog::kTabCount - 1);
            p->tabs()->setCurrentIndex(tab);
            auto *page = qobject_cast<PatternPage *>(p->page());
            m_dialogLog += " [pattern tab " + std::to_string(tab);
            if (page) {
                // Every drop-down (colours, directions, modes) at random,
                // and now and then a number field at a small value.
                for (QComboBox *box : page->findChildren<QComboBox *>()) {
                    if (box->count() == 0 || !box->isEnabled())
                        continue;
                    const int item = pick(0, box->count() - 1);
                    box->setCurrentIndex(item);
                    m_dialogLog += " " + box->objectName().toStdString() + "=" + std::to_string(item);
                }
                for (QLineEdit *edit : page->findChildren<QLineEdit *>()) {
                    if (edit->isReadOnly() || !edit->isEnabled() || qobject_cast<QComboBox *>(edit->parent())
                        || !chance(30))
                        continue;
                    const int value = pick(1, 4);
                    edit->setText(QString::number(value));
                    m_dialogLog += " " + edit->objectName().toStdString() + "=" + std::to_string(value);
                }
                m_dialogLog += "]";
                page->confirmButton()->click();
            } else {
                m_dialogLog += " no page]";
            }
            p->exitButton()->click();
            return;
        }
        if (auto *p = qobject_cast<PasteDialog *>(d)) {
            const int start = pick(1, frames + 1), count = pick(1, 3), mode = pick(0, p->modeBox()->count() - 1),
                      direction = pick(0, p->directionBox()->count() - 1);
            const bool transparent = chance(30), reverse = chance(30);
            p->startField()->setText(QString::number(start));
            p->countField()->setText(QString::number(count));
            p->modeBox()->setCurrentIndex(mode);
            p->directionBox()->setCurrentIndex(direction);
            if (p->transparentBox()->isEnabled())
                p->transparentBox()->setChecked(transparent);
            p->reverseBox()->setChecked(reverse);
            m_dialogLog += " [paste start " + std::to_string(start) + " count " + std::to_string(count) + " mode "
                           + std::to_string(mode) + " direction " + std::to_string(direction)
                           + (transparent ? " transparent" : "") + (reverse ? " reversed" : "") + "]";
            d->accept();
            return;
        }
        // Every range dialog: copy, cut, delete, invert, repeat, brightness,
        // colour replacement.
        if (auto *fields = d->findChild<FrameRangeFields *>()) {
            const int a = pick(1, frames), b = pick(1, frames);
            fields->setStart(std::min(a, b));
            fields->setEnd(std::max(a, b));
            m_dialogLog += " [frames " + std::to_string(std::min(a, b)) + ".." + std::to_string(std::max(a, b));
        } else {
            m_dialogLog += " [" + std::string(d->metaObject()->className());
        }
        if (auto *r = qobject_cast<FrameRepeatDialog *>(d)) {
            const int n = pick(0, 3);
            r->countEdit()->setText(QString::number(n));
            m_dialogLog += " repeated " + std::to_string(n);
        }
        m_dialogLog += "]";
        d->accept();
    }

    std::string runRandomCommand()
    {
        // Frame counts are kept small enough for many steps a second.
        if (doc().frameCount() > 1500)
            return trigger(Cmd::EditDelete, "Delete (too many frames)");
        const int kind = pick(0, 99);
        if (kind < 6 || doc().frameCount() == 0)
            return newGrid();
        if (kind < 14)
            return trigger(Cmd::EditCopy, "Copy");
        if (kind < 18)
            return trigger(Cmd::EditCut, "Cut");
        if (kind < 28)
            return trigger(Cmd::EditPaste, "Paste");
        if (kind < 32)
            return trigger(Cmd::EditDelete, "Delete");
        if (kind < 38)
            return trigger(Cmd::AutoDesign, "Pattern generator");
        if (kind < 54) {
            static const std::pair<int, const char *> transforms[] = {
                {Cmd::Rotate90, "Rotate 90"},         {Cmd::OddRows, "Odd rows"},
                {Cmd::EvenRows, "Even rows"},         {Cmd::AddRow, "Add row"},
                {Cmd::DeleteRow, "Delete row"},       {Cmd::AddCol, "Add column"},
                {Cmd::DeleteCol, "Delete column"},    {Cmd::ColourReverse, "Invert"},
                {Cmd::FrameRepeat, "Repeat frames"},  {Cmd::Brightness, "Brightness"},
                {Cmd::ColourReplace, "Replace colour"},
            };
            const auto &t = transforms[pick(0, int(std::size(transforms)) - 1)];
            return trigger(t.first, t.second);
        }
        if (kind < 66)
            return trigger(Cmd::EditUndo, "Undo");
        if (kind < 72)
            return trigger(Cmd::EditRedo, "Redo");
        if (kind < 76)
            return trigger(Cmd::Play, "Play");
        if (kind < 80)
            return trigger(Cmd::Stop, "Stop");
        if (kind < 84)
            return goToFrame();
        if (kind < 96)
            return wiringEdit();
        return undoRedoRoundTrip();
    }

    std::string newGrid()
    {
        const int rows = pick(1, 16), cols = pick(1, 16);
        const bool made = editor.newGrid(QString::number(rows), QString::number(cols));
        return "New " + std::to_string(rows) + " x " + std::to_string(cols) + (made ? "" : " (refused)");
    }

    std::string goToFrame()
    {
        const int to = pick(0, doc().frameCount() - 1);
        doc().goToFrame(to);
        return "Go to frame " + std::to_string(to + 1);
    }

    // The wiring page: define a rectangle on a port, delete a zone, undo
    // on the page; entering wiring mode first when needed.
    std::string wiringEdit()
    {
        MainWindow &w = editor.window();
        WiringToolPage *page = w.wiringPage();
        if (!page->isWiringMode()) {
            w.toolTabs()->setCurrentWidget(page);
            return "Wiring mode on";
        }
        if (chance(10)) {
            w.toolTabs()->setCurrentIndex(0);
            return "Wiring mode off";
        }
        WiringEditor &e = page->editor();
        const QPoint a(pick(0, doc().cols() - 1), pick(0, doc().rows() - 1));
        const QPoint b(pick(0, doc().cols() - 1), pick(0, doc().rows() - 1));
        const auto cells = [&] {
            return " (" + std::to_string(a.x()) + "," + std::to_string(a.y()) + ")-(" + std::to_string(b.x()) + ","
                   + std::to_string(b.y()) + ")";
        };
        const int what = pick(0, 9);
        if (what < 5) {
            const int port = pick(1, 6);
            e.setPortBox(port);
            e.press(a, {});
            e.dragTo(b);
            e.release(b, {});
            return "Wiring define port " + std::to_string(port) + cells();
        }
        if (what < 7) {
            e.chooseTool(WiringToolButton::None);
            e.deleteButton();
            e.press(a, {});
            e.dragTo(b);
            e.release(b, {});
            return "Wiring delete zone" + cells();
        }
        e.undoButton();
        return "Wiring undo";
    }

    // Undo then redo must give the frames back exactly.
    std::string undoRedoRoundTrip()
    {
        EditHistory &h = doc().history();
        if (!h.canUndo())
            return "Undo and redo (nothing to undo)";
        if (editor.commands().isEnabled(Cmd::Stop))
            editor.commands().trigger(Cmd::Stop);
        const std::vector<Frame> before = soakFrames(doc());
        const int rows = doc().rows(), cols = doc().cols();
        editor.commands().trigger(Cmd::EditUndo);
        editor.commands().trigger(Cmd::EditRedo);
        if (soakFrames(doc()) != before || doc().rows() != rows || doc().cols() != cols)
            m_roundTripBroken = true;
        return "Undo and redo";
    }

    std::string brokenInvariant()
    {
        Document &d = doc();
        const size_t points = size_t(d.rows()) * size_t(d.cols());
        if (d.rows() < 1 || d.cols() < 1)
            return "the grid is " + std::to_string(d.rows()) + " x " + std::to_string(d.cols());
        for (int i = 0; i < d.frameCount(); ++i)
            if (d.frames().at(i).size() != points)
                return "frame " + std::to_string(i + 1) + " has " + std::to_string(d.frames().at(i).size())
                       + " points on a " + std::to_string(d.rows()) + " x " + std::to_string(d.cols()) + " grid";
        if (d.frameCount() > 0 && (d.currentIndex() < 0 || d.currentIndex() >= d.frameCount()))
            return "the current frame " + std::to_string(d.currentIndex()) + " is not one of "
                   + std::to_string(d.frameCount());

        const Wiring &w = d.wiring();
        if (w.rows() != d.rows() || w.cols() != d.cols())
            return "the wiring's cell map is " + std::to_string(w.rows()) + " x " + std::to_string(w.cols())
                   + " on a " + std::to_string(d.rows()) + " x " + std::to_string(d.cols()) + " grid";
        // The map and the index are kept in step with the list edit by
        // edit; a copy rebuilds them from the list alone. (A cell keeps the
        // colour the editor gave it, so only wired or not is compared.)
        Wiring rebuilt = w;
        rebuilt.rebuildCellMap();
        for (int y = 0; y < w.rows(); ++y)
            for (int x = 0; x < w.cols(); ++x) {
                const std::string at = "cell (" + std::to_string(x) + "," + std::to_string(y) + ") of "
                                       + std::to_string(w.count()) + " wiring records";
                if (w.isWired(x, y) != rebuilt.isWired(x, y) || w.indexAt(x, y) != rebuilt.indexAt(x, y))
                    return "the wiring's index of " + at + " differs from the records";
                if ((w.cellColour(x, y) != 0) != rebuilt.isWired(x, y))
                    return "the cell map shows " + at + (rebuilt.isWired(x, y) ? " as not wired" : " as wired");
            }

        const EditHistory &h = d.history();
        if (h.index() < 0 || h.index() > h.count() || h.canUndo() != (h.index() > 0)
            || h.canRedo() != (h.index() < h.count()))
            return "the undo history is at " + std::to_string(h.index()) + " of " + std::to_string(h.count());
        if (h.bytes() > h.limitBytes() && h.count() > 1)
            return "the undo history holds " + std::to_string(h.bytes()) + " bytes over its limit";
        if (m_roundTripBroken)
            return "an undo followed by a redo did not give the frames back";
        return {};
    }

    QTimer m_dialogs;
    std::string m_dialogLog;
    std::string m_report;
    bool m_roundTripBroken = false;
};

} // namespace

class EditorSoakTest : public QObject
{
    Q_OBJECT
private slots:
    void randomCommandsKeepTheDocumentWhole()
    {
        const unsigned seed = qEnvironmentVariableIsSet("BRIGHTLOOM_SOAK_SEED")
                                  ? qgetenv("BRIGHTLOOM_SOAK_SEED").toUInt()
                                  : std::random_device{}();
        const int seconds = qEnvironmentVariableIsSet("BRIGHTLOOM_SOAK_SECONDS")
                                ? std::max(1, qEnvironmentVariableIntValue("BRIGHTLOOM_SOAK_SECONDS"))
                                : 10;
        qInfo("editor soak: seed %u for %d s (BRIGHTLOOM_SOAK_SEED, BRIGHTLOOM_SOAK_SECONDS)", seed, seconds);

        g_soakPreviousHandler = qInstallMessageHandler(soakMessages);
        const auto restoreMessages = qScopeGuard([] { qInstallMessageHandler(g_soakPreviousHandler); });
        Soak soak(seed);
        SoakCrashGuard guard;
        QVERIFY(soak.editor.newGrid(QStringLiteral("6"), QStringLiteral("8")));
        soak.editor.app->show();

        QElapsedTimer clock;
        clock.start();
        int steps = 0;
        while (clock.elapsed() < qint64(seconds) * 1000) {
            if (!soak.step(steps + 1)) {
                const std::string text = soak.report() + "broken after step " + std::to_string(steps + 1) + ": "
                                         + soak.failure + "\n";
                std::fputs(text.c_str(), stderr);
                QFAIL(qPrintable(QStringLiteral("%1 (seed %2)").arg(QString::fromStdString(soak.failure)).arg(seed)));
            }
            ++steps;
        }
        if (soak.editor.commands().isEnabled(Cmd::Stop))
            soak.editor.commands().trigger(Cmd::Stop);
        qInfo("editor soak: %d steps in %lld ms, %d frames of %d x %d at the end", steps,
              (long long)clock.elapsed(), soak.editor.doc().frameCount(), soak.editor.doc().rows(),
              soak.editor.doc().cols());
        QVERIFY(steps > 0);
    }
};

QTEST_MAIN(EditorSoakTest)
#include "editor_soak_test.moc"
