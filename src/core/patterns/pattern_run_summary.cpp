#include "patterns/pattern_run_summary.h"

#include "settings/language.h"

namespace {

struct SummaryText
{
    const char *key; // section "AutoTile"
    const char *chinese;
    const char *english;
};

// Chinese has no plural; English says "1 frame".
const SummaryText kAdded = {"RunAdded", "已添加%d帧", "Added %d frames"};
const SummaryText kAddedOne = {"RunAddedOne", "已添加%d帧", "Added %d frame"};
const SummaryText kChanged = {"RunChanged", "已修改%d帧", "Changed %d frames"};
const SummaryText kChangedOne = {"RunChangedOne", "已修改%d帧", "Changed %d frame"};
const SummaryText kBoth = {"RunAddedChanged", "已添加%d帧,修改%d帧", "Added %d frames and changed %d"};

QString summaryText(const SummaryText &t, std::initializer_list<QVariant> args)
{
    const QString chinese = QString::fromUtf8(t.chinese);
    const QString english = QString::fromUtf8(t.english);
    return formatText(lookedUpText("AutoTile", t.key, chinese, english), threeWayText(english, chinese), args);
}

} // namespace

QString patternRunSummary(int added, int changed)
{
    if (added > 0 && changed > 0)
        return summaryText(kBoth, {added, changed});
    if (added > 0)
        return summaryText(added == 1 ? kAddedOne : kAdded, {added});
    if (changed > 0)
        return summaryText(changed == 1 ? kChangedOne : kChanged, {changed});
    return QString();
}
