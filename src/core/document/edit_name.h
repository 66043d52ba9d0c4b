#pragma once
// The name an edit shows in Edit > Undo / Redo and in the history: a key of
// the language files with its built-in Chinese and English. It is looked up
// each time it is shown, so the menus follow a switch of language.

#include <QString>

struct EditName
{
    const char *section = "Undo";
    const char *key = "";
    const char *chinese = "";
    const char *english = "";

    // In the language in use (traditional: the Chinese converted).
    QString text() const;
    bool operator==(const EditName &o) const;
};

namespace EditNames {
inline constexpr EditName Paint{"Undo", "Paint", "绘制", "Painting"};
inline constexpr EditName AllLight{"Undo", "AllLight", "全亮", "All Light"};
inline constexpr EditName Cut{"Undo", "Cut", "剪切", "Cut"};
inline constexpr EditName Delete{"Undo", "Delete", "删除", "Delete"};
inline constexpr EditName Invert{"Undo", "Invert", "反色", "Invert Colours"};
inline constexpr EditName Paste{"Undo", "Paste", "粘贴", "Paste"};
inline constexpr EditName InsertFrame{"Undo", "InsertFrame", "保存帧", "Save Frame"};
inline constexpr EditName StoreFrame{"Undo", "StoreFrame", "存入当前帧", "Store Frame"};
inline constexpr EditName Rotate{"Undo", "Rotate", "旋转90度", "Rotate 90°"};
inline constexpr EditName OddRows{"Undo", "OddRows", "提取奇数行", "Keep Odd Rows"};
inline constexpr EditName EvenRows{"Undo", "EvenRows", "提取偶数行", "Keep Even Rows"};
inline constexpr EditName AddRow{"Undo", "AddRow", "增加一行", "Add Row"};
inline constexpr EditName DeleteRow{"Undo", "DeleteRow", "删除一行", "Delete Row"};
inline constexpr EditName AddColumn{"Undo", "AddColumn", "增加一列", "Add Column"};
inline constexpr EditName DeleteColumn{"Undo", "DeleteColumn", "删除一列", "Delete Column"};
inline constexpr EditName ColourReplace{"Undo", "ColourReplace", "颜色替换", "Replace Colour"};
inline constexpr EditName FrameRepeat{"Undo", "FrameRepeat", "帧重复", "Repeat Frames"};
inline constexpr EditName Brightness{"Undo", "Brightness", "调整亮度", "Brightness"};
inline constexpr EditName PatternKey{"Undo", "PatternKey", "花样键", "Pattern Key"};
inline constexpr EditName ScreenGather{"Undo", "ScreenGather", "自动采集", "Screen Gather"};
// A generator run whose page gives no name of its own.
inline constexpr EditName AutoPattern{"AutoTile", "Title", "自动花样", "Auto Pattern"};
// The pattern pages by their tab titles.
inline constexpr EditName Curtain{"AutoPageControl", "TabSheet1", "拉幕", "Curtain"};
inline constexpr EditName Blinds{"AutoPageControl", "TabSheet2", "百叶窗", "Blinds"};
inline constexpr EditName Stacking{"AutoPageControl", "TabSheet3", "堆积木", "Stacking Blocks"};
inline constexpr EditName WaterDrip{"AutoPageControl", "TabSheet4", "滴水", "Water Drip"};
inline constexpr EditName TextPattern{"AutoPageControl", "TabSheet5", "文字输入", "Text"};
inline constexpr EditName JumpingNotes{"AutoPageControl", "TabSheet6", "音符跳动", "Jumping Notes"};
inline constexpr EditName PicturePattern{"AutoPageControl", "TabSheet7", "图片", "Picture"};
inline constexpr EditName PaletteFill{"AutoPageControl", "TabSheet8", "调色盘填充", "Palette Fill"};
} // namespace EditNames

// The Edit menu's items: "&Undo Paste" / "撤销粘贴(&U)", and "&Undo" /
// "撤销(&U)" when there is nothing to undo; Redo likewise.
QString undoItemText(const QString &editName);
QString redoItemText(const QString &editName);

// Told once when one edit alone needs more memory than the history may
// hold: the edit is made without undo and the earlier steps are let go.
QString undoTooLargeText(int limitMegabytes);
