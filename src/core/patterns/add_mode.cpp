#include "patterns/add_mode.h"

#include "document/document.h"
#include "settings/language.h"

QString addModeText(int index)
{
    switch (index) {
    case 0:
        return lookedUpText("ComboBox", "ComboBoxAddModeItem0", QStringLiteral("插入"));
    case 1:
        return lookedUpText("ComboBox", "ComboBoxAddModeItem1", QStringLiteral("覆盖"));
    case 2:
        return lookedUpText("ComboBox", "ComboBoxAddModeItem2", QStringLiteral("当前帧"));
    default:
        return QString();
    }
}

AddMode effectiveAddMode(AddRule rule, AddMode mode)
{
    switch (rule) {
    case AddRule::FollowAddMode:
        return mode;
    case AddRule::InsertOrOverwrite:
        return mode == AddMode::Insert ? AddMode::Insert : AddMode::Overwrite;
    case AddRule::AlwaysInsert:
        break;
    }
    return AddMode::Insert;
}

void addFrame(Document &doc, AddMode mode, Frame frame)
{
    switch (mode) {
    case AddMode::Insert:
        doc.insertFrameAfterCurrent(std::move(frame));
        break;
    case AddMode::Overwrite:
        doc.storeFrameAndAdvance(std::move(frame));
        break;
    case AddMode::CurrentFrame:
        doc.storeFrame(std::move(frame));
        break;
    }
}
