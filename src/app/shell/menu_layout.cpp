#include "shell/menu_layout.h"

#include "common/command_ids.h"

namespace MenuLayout {

namespace {
constexpr int Sep = kSeparator;
constexpr int Recent = kRecentFiles;
const std::vector<int> kLanguageItems = {Cmd::LanguageChinese, Cmd::LanguageEnglish, Cmd::LanguageTraditional};
} // namespace

const std::vector<Menu> &startupMenu()
{
    static const std::vector<Menu> menus = {
        {MenuTitle::File, {Cmd::FileNew, Cmd::FileOpen, Sep, Recent, Sep, Cmd::AppExit}},
        {MenuTitle::View, {Cmd::ViewToolbar, Cmd::ViewStatusBar}},
        {MenuTitle::Language, kLanguageItems},
        {MenuTitle::Help, {Cmd::AppAbout}},
    };
    return menus;
}

const std::vector<Menu> &fullMenu()
{
    static const std::vector<Menu> menus = {
        {MenuTitle::File,
         {Cmd::FileNew, Cmd::FileOpen, Cmd::FileSave, Cmd::FileSaveAs, Cmd::SaveAsAvi, Sep, Cmd::FilePrint,
          Cmd::FilePrintPreview, Cmd::FilePrintSetup, Sep, Recent, Sep, Cmd::AppExit}},
        {MenuTitle::Edit, {Cmd::EditUndo, Sep, Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste, Cmd::EditDelete}},
        {MenuTitle::View,
         {Cmd::ViewToolbar, Cmd::ViewStatusBar, Cmd::ShortcutTool, Cmd::PaletteBar, Sep, Cmd::ShowGrid,
          Cmd::ActualSize, Cmd::ScrollMode}},
        {MenuTitle::Picture,
         {Cmd::ColourReverse, Cmd::FrameRepeat, Cmd::ColourReplace, Cmd::Brightness, Sep, Cmd::Rotate90,
          Cmd::OddRows, Cmd::EvenRows, Sep, Cmd::AddRow, Cmd::DeleteRow, Cmd::AddCol, Cmd::DeleteCol, Sep,
          Cmd::GridOptions}},
        {MenuTitle::AutoPlay,
         {Cmd::AutoDesign, Cmd::AutoGather, Cmd::Flash, Cmd::Video, Sep, Cmd::Play, Cmd::Stop}},
        {MenuTitle::Build, {Cmd::MakeLedData, Cmd::MakeNeonData, Cmd::CircuitryCheck}},
        {MenuTitle::Language, kLanguageItems},
        {MenuTitle::Help, {Cmd::AppAbout}},
    };
    return menus;
}

} // namespace MenuLayout
