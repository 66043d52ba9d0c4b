#include "wiring/circuitry_check.h"

#include "document/document.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <unordered_map>

namespace {

// The check's texts, section "CircuitryCheck" of the language files, with
// the built-in Chinese and English. A language file writes a line break as
// "\n".
struct CheckText
{
    const char *key;
    const char *chinese;
    const char *english;
};

const CheckText kDuplicateQuestion = {
    "DuplicateQuestion",
    "端口%d第%d像素与端口%d第%d像素冲突,是否删除前一个?\n"
    "是,删除端口%d第%d像素\n否,删除端口%d第%d像素\n取消,不管,手动处理",
    "Port %d pixel %d and port %d pixel %d are wired to the same grid point. Remove the first one?\n"
    "Yes: remove port %d pixel %d\nNo: remove port %d pixel %d\nCancel: keep both and sort it out by hand"};
const CheckText kPortQuestion = {"PortQuestion", "端口号不连续,是否修复?",
                                 "The port numbers have gaps. Close them up?"};
const CheckText kReportHead = {"ReportHead", "检查到以下错误：\n", "The check found these errors:\n"};
const CheckText kNumberingNote = {"NumberingNote", "像素号不连续\n", "Pixel numbers do not run in order\n"};
const CheckText kDuplicateNote = {"DuplicateNote", "网格点有重复定义\n", "Grid points are wired more than once\n"};
const CheckText kRepairedNote = {"PortsRepaired", "端口号不连续,已修复", "Port numbers had gaps: closed up"};
const CheckText kNotRepairedNote = {"PortsNotRepaired", "端口号不连续,未修复",
                                    "Port numbers have gaps: not repaired"};
const CheckText kUnexpectedNote = {"UnexpectedNote", "异外错误\n", "Unexpected error in the port numbers\n"};
const CheckText kReportTail = {"ReportTail", "\n请再检查一次。\n\n是否再检查一次?",
                               "\nPlease check again.\n\nCheck again now?"};
const CheckText kPassed = {"Passed", "检查通过,没有错误。", "Check passed: no errors."};
const CheckText kNothingToCheck = {"NothingToCheck", "线路中没有定义任何像素,没有可检查的内容。",
                                   "No pixel is wired yet, so there is nothing to check."};
const CheckText kLedOnly = {"LedOnly", "目前只检查Led灯线路定义.", "Only LED circuitry can be checked."};

// A file text whose conversions differ from the built-in one is not used.
QString builtInText(const CheckText &t)
{
    return threeWayText(QString::fromUtf8(t.english), QString::fromUtf8(t.chinese));
}

QString checkText(const CheckText &t)
{
    QString s = lookedUpText("CircuitryCheck", t.key, QString::fromUtf8(t.chinese), QString::fromUtf8(t.english));
    s.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return s;
}

// Step 2. Walking the list once with the state of every port gives the
// same numbers as walking on from each head: the first record of a port
// that reads 0 is its head, and every later record of that port must read
// 1, 2, ... in list order (so a second head is renumbered, not counted).
void numberingPass(Wiring &w, CircuitryFindings &f)
{
    struct PortState
    {
        bool hasHead = false;
        int next = 0;
    };
    std::unordered_map<int, PortState> ports;
    int highestHead = -1;
    int highest = -1;
    for (int i = 0; i < w.count(); ++i) {
        const WiringPixel &p = w.pixel(i);
        highest = std::max(highest, int(p.port));
        PortState &s = ports[p.port];
        if (s.hasHead) {
            const int expected = s.next++;
            if (p.pixel != expected) {
                w.setPortAndPixel(i, p.port, expected);
                ++f.renumbered;
            }
        } else if (p.pixel == 0) {
            s.hasHead = true;
            s.next = 1;
            ++f.heads;
            highestHead = std::max(highestHead, int(p.port));
        }
    }
    f.highestHeadPort = std::max(highestHead, 0);
    f.highestPort = std::max(highest, 0);
}

// Step 3. Records are grouped by cell once, so only records that share a
// cell are compared; the questions still come in list order of the earlier
// record, then of the later one.
void duplicatePass(Wiring &w, Prompt &prompt, CircuitryFindings &f)
{
    const int n = w.count();
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const WiringPixel &pa = w.pixel(a);
        const WiringPixel &pb = w.pixel(b);
        return pa.row != pb.row ? pa.row < pb.row : pa.column < pb.column;
    });
    // nextOnCell[i]: the next record in list order on the same cell, or -1.
    std::vector<int> nextOnCell(size_t(n), -1);
    for (size_t k = 1; k < order.size(); ++k) {
        const WiringPixel &pa = w.pixel(order[k - 1]);
        const WiringPixel &pb = w.pixel(order[k]);
        if (pa.row == pb.row && pa.column == pb.column)
            nextOnCell[size_t(order[k - 1])] = order[k];
    }
    std::vector<bool> removed(size_t(n), false);
    std::vector<QPoint> touchedCells;
    for (int a = 0; a < n; ++a) {
        for (int b = nextOnCell[size_t(a)]; b >= 0 && !removed[size_t(a)]; b = nextOnCell[size_t(b)]) {
            if (removed[size_t(b)])
                continue;
            const WiringPixel &pa = w.pixel(a);
            const WiringPixel &pb = w.pixel(b);
            CircuitryDuplicate d;
            d.cell = QPoint(pa.column, pa.row);
            d.earlierPort = pa.port;
            d.earlierPixel = pa.pixel;
            d.laterPort = pb.port;
            d.laterPixel = pb.pixel;
            const QString question = formatText(checkText(kDuplicateQuestion), builtInText(kDuplicateQuestion),
                                            {pa.port + 1, pa.pixel + 1, pb.port + 1, pb.pixel + 1, pa.port + 1,
                                             pa.pixel + 1, pb.port + 1, pb.pixel + 1});
            switch (prompt.ask(question, PromptButtons::YesNoCancel, PromptIcon::Question)) {
            case PromptAnswer::Yes:
                removed[size_t(a)] = true; // and on with the record after a
                d.kept = CircuitryDuplicate::Kept::Later;
                touchedCells.push_back(d.cell);
                break;
            case PromptAnswer::No:
                removed[size_t(b)] = true;
                d.kept = CircuitryDuplicate::Kept::Earlier;
                touchedCells.push_back(d.cell);
                break;
            default:
                break;
            }
            f.duplicates.push_back(d);
        }
    }
    if (touchedCells.empty())
        return;
    w.removeMarked(removed);
    // The cell shows the record that stayed.
    for (const QPoint &c : touchedCells) {
        const int i = w.indexAt(c.x(), c.y());
        if (i >= 0)
            w.setCellColour(c.x(), c.y(), w.displayColour(w.pixel(i)));
    }
}

// Step 4, the repair: ports that have records are numbered 0, 1, 2, ... in
// the order of their old numbers; each port's first record becomes its
// head and the others follow in list order.
void repairPorts(Wiring &w, int highestPort)
{
    std::map<int, std::vector<int>> byPort;
    for (int i = 0; i < w.count(); ++i) {
        const int port = w.pixel(i).port;
        if (port >= 0 && port <= highestPort)
            byPort[port].push_back(i);
    }
    int next = 0;
    for (const auto &[port, records] : byPort) {
        const bool untouched = port == next && w.pixel(records.front()).pixel == 0;
        if (!untouched) {
            int pixel = 0;
            for (int i : records) {
                w.setPortAndPixel(i, next, pixel++);
                w.setCellColour(w.pixel(i).column, w.pixel(i).row, portColour(next));
            }
        }
        ++next;
    }
}

} // namespace

QString CircuitryFindings::report() const
{
    if (clean())
        return QString();
    QString text = checkText(kReportHead);
    if (renumbered > 0)
        text += checkText(kNumberingNote);
    if (!duplicates.empty())
        text += checkText(kDuplicateNote);
    switch (portNote) {
    case PortNote::Repaired:
        text += checkText(kRepairedNote);
        break;
    case PortNote::NotRepaired:
        text += checkText(kNotRepairedNote);
        break;
    case PortNote::Unexpected:
        text += checkText(kUnexpectedNote);
        break;
    case PortNote::None:
        break;
    }
    return text + checkText(kReportTail);
}

CircuitryFindings circuitryCheckPass(Wiring &w, Prompt &prompt)
{
    CircuitryFindings f;
    numberingPass(w, f);
    duplicatePass(w, prompt, f);
    const int h = f.heads;
    const int H = f.highestHeadPort;
    const int P = f.highestPort;
    if (h < H + 1 || h < P + 1) {
        if (prompt.ask(checkText(kPortQuestion), PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes) {
            repairPorts(w, P);
            f.portNote = CircuitryFindings::PortNote::Repaired;
        } else {
            f.portNote = CircuitryFindings::PortNote::NotRepaired;
        }
    } else if (h > H + 1 || h > P + 1) {
        f.portNote = CircuitryFindings::PortNote::Unexpected;
    }
    return f;
}

void runCircuitryCheck(Document &doc, Prompt &prompt)
{
    Wiring &w = doc.wiring();
    for (;;) {
        if (w.kind() != CircuitryKind::Led) {
            prompt.inform(checkText(kLedOnly), PromptIcon::Information);
            return;
        }
        // With no record the port question would come back on every pass,
        // and no repair could ever answer it.
        if (w.count() == 0) {
            prompt.inform(checkText(kNothingToCheck), PromptIcon::Information);
            return;
        }
        const CircuitryFindings f = circuitryCheckPass(w, prompt);
        if (f.renumbered > 0 || !f.duplicates.empty() || f.portNote == CircuitryFindings::PortNote::Repaired)
            doc.wiringEdited();
        if (f.clean()) {
            prompt.inform(checkText(kPassed), PromptIcon::Information);
            return;
        }
        if (prompt.ask(f.report(), PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes)
            return;
    }
}
