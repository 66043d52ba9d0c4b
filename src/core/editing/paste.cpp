#include "editing/paste.h"

#include "document/document.h"
#include "document/frame_edit.h"
#include "document/frame_budget.h"
#include "editing/colour_action.h"
#include "editing/frame_block.h"
#include "document/frame_range.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <algorithm>

QString clipboardEmptyText()
{
    const QString chinese = QStringLiteral("剪贴板为空！不能进行粘贴操作。");
    // This message has no traditional form: the file's text (or the
    // Chinese) is shown in every language but mainland Chinese.
    return Language::code() == Language::Chinese ? chinese : LanguageText("Message", "ClipboardIsEmpty", chinese);
}

QString clipboardMismatchText(int clipRows, int clipCols, int targetRows, int targetCols)
{
    const QString builtIn = QStringLiteral("数据不匹配。\n剪贴板:行数%d,列数%d,粘贴的行数:%d,列数%d");
    // A language file cannot hold a line break in a value; it writes "\n".
    QString text = lookedUpText("Message", "ClipboardMismatch", builtIn);
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return formatText(text, builtIn,
                      {clipRows, clipCols, targetRows, targetCols});
}

namespace {

Frame mirrored(const Frame &src, int rows, int cols, PasteDirection dir)
{
    Frame out(src.size());
    const bool flipRows = dir == PasteDirection::MirrorTopBottom || dir == PasteDirection::MirrorBoth;
    const bool flipCols = dir == PasteDirection::MirrorLeftRight || dir == PasteDirection::MirrorBoth;
    for (int y = 0; y < rows; ++y) {
        const ColorValue *from = src.data() + size_t(flipRows ? rows - 1 - y : y) * size_t(cols);
        ColorValue *to = out.data() + size_t(y) * size_t(cols);
        if (flipCols)
            std::reverse_copy(from, from + cols, to);
        else
            std::copy(from, from + cols, to);
    }
    return out;
}

} // namespace

PasteResult pasteClipboard(Document &doc, const EditingState &state, const PasteOptions &options, Prompt &prompt,
                           const RunProgress &progress)
{
    const int rows = doc.rows();
    const int cols = doc.cols();
    const GridRect target = state.area.areaOrGrid(rows, cols);
    const FrameClipboard &clip = state.clipboard;
    if (target.height() != clip.rows || target.width() != clip.cols) {
        prompt.inform(clipboardMismatchText(clip.rows, clip.cols, target.height(), target.width()), PromptIcon::Error);
        return PasteResult::Mismatch;
    }
    if (options.start < 1) {
        prompt.inform(frameRangeErrorText(), PromptIcon::Error);
        return PasteResult::StartInvalid;
    }
    if (options.count < 1 || clip.empty())
        return PasteResult::Pasted;
    // Every repetition writes the whole series: inserted, or written over
    // the frames from the start on and appended past the end.
    const int64_t written = int64_t(options.count) * int64_t(clip.frames.size());
    const int64_t added = options.overwrite ? std::max<int64_t>(0, options.start - 1 + written - doc.frameCount())
                                            : written;
    if (!checkFramesToAdd(doc, added, prompt))
        return PasteResult::TooManyFrames;

    // The series in paste order, turned by the direction once (not once per
    // repetition).
    std::vector<const Frame *> series;
    std::vector<Frame> turned;
    if (options.direction != PasteDirection::AsCopied) {
        turned.reserve(clip.frames.size());
        for (const Frame &f : clip.frames)
            turned.push_back(mirrored(f, clip.rows, clip.cols, options.direction));
    }
    const std::vector<Frame> &source = turned.empty() ? clip.frames : turned;
    for (const Frame &f : source)
        series.push_back(&f);
    if (options.reverse)
        std::reverse(series.begin(), series.end());

    Document::UpdateBatch batch(doc);
    FrameEdit edit(doc, EditNames::Paste);
    FrameSequence &frames = doc.frames();
    const int s = options.start - 1;
    const size_t w = size_t(target.width());

    int64_t done = 0;
    bool goOn = true;
    if (!options.overwrite) {
        int at = std::min(s + 1, frames.count());
        for (int rep = 0; rep < options.count && goOn; ++rep)
            for (const Frame *picture : series) {
                Frame fresh = doc.makeFrame();
                writeBlock(fresh, cols, target, picture->data());
                edit.insert(at++, std::move(fresh));
                goOn = runGoesOn(progress, ++done, written);
                if (!goOn)
                    break;
            }
        if (frames.currentIndex() < 0)
            frames.setCurrentIndex(0);
        doc.framesEdited();
        return PasteResult::Pasted;
    }

    const ColourAction action = state.colourAction;
    const ColorValue background = doc.backgroundColor();
    const ColorValue *skip = options.transparent ? &background : nullptr;
    bool appended = false;
    int at = s;
    for (int rep = 0; rep < options.count && goOn; ++rep)
        for (const Frame *picture : series) {
            if (at >= frames.count()) {
                edit.insert(frames.count(), doc.makeFrame());
                at = frames.count() - 1;
                appended = true;
            }
            Frame &dst = edit.changeBlock(at++, target.left, target.top, target.right, target.bottom);
            for (int y = target.top; y <= target.bottom; ++y)
                combineRun(action, dst.data() + size_t(y) * size_t(cols) + size_t(target.left),
                           picture->data() + size_t(y - target.top) * w, w, skip);
            goOn = runGoesOn(progress, ++done, written);
            if (!goOn)
                break;
        }
    if (frames.currentIndex() < 0 && !frames.empty())
        frames.setCurrentIndex(0);
    if (appended)
        doc.framesEdited();
    doc.frameContentEdited();
    return PasteResult::Pasted;
}
