#include "shell/command_texts.h"

#include "common/command_ids.h"
#include "settings/language.h"

#include <QRegularExpression>

namespace {

struct CommandTextRow
{
    int id;
    const char *chinese;
    const char *english;
};

// The full menu's command table.
const CommandTextRow kCommandTexts[] = {
    {Cmd::FileNew, "新建(&N)\tCtrl+N", "New(&N)\tCtrl+N"},
    {Cmd::FileOpen, "打开(&O)...\tCtrl+O", "Open(&O)...\tCtrl+O"},
    {Cmd::FileSave, "保存(&S)\tCtrl+S", "Save(&S)\tCtrl+S"},
    {Cmd::FileSaveAs, "另存为(&A)...", "SaveAs(&A)..."},
    {Cmd::SaveAsAvi, "保存AVI", "SaveAsAVI..."},
    {Cmd::FilePrint, "打印(&P)...\tCtrl+P", "Print(&P)...\tCtrl+P"},
    {Cmd::FilePrintPreview, "打印预览(&V)", "PrintPreview(&V)"},
    {Cmd::FilePrintSetup, "打印设置(&R)...", "PrintSetup(&R)..."},
    {Cmd::AppExit, "退出(&X)", "Exit"},
    {Cmd::FileMru1, "最近文件", "MruFile1"},
    {Cmd::EditUndo, "撤消(&U)\tCtrl+Z", "Undo(&U)\tCtrl+Z"},
    {Cmd::EditCut, "剪切(&T)\tCtrl+X", "Cut(&T)\tCtrl+X"},
    {Cmd::EditCopy, "复制(&C)\tCtrl+C", "Copy(&C)\tCtrl+C"},
    {Cmd::EditPaste, "粘贴(&P)\tCtrl+V", "Paste(&P)\tCtrl+V"},
    {Cmd::EditDelete, "删除(&D)\tDel", "Delete\tDel"},
    {Cmd::ShortcutTool, "快捷工具", "ShortcutTool"},
    {Cmd::PaletteBar, "调色板", "Palette"},
    {Cmd::ShowGrid, "显示网格", "ShowGridding"},
    {Cmd::ViewToolbar, "工具栏(&T)", "toolbar"},
    {Cmd::ViewStatusBar, "状态栏(&S)", "Status bar"},
    {Cmd::ActualSize, "原视图", "FormeSize"},
    {Cmd::ScrollMode, "滚动显示", "Scroll Mode"},
    {Cmd::ColourReverse, "反色", "Color reverse\tShift+C"},
    {Cmd::FrameRepeat, "帧重复", "FrameRepeat"},
    {Cmd::ColourReplace, "颜色替换\tCtrl+R", "ChangeColor\tCtrl+R"},
    {Cmd::Brightness, "调整亮度", "ChangeBright"},
    {Cmd::Rotate90, "旋转90度(&R)", "Rotate90(&R)"},
    {Cmd::OddRows, "提取奇数行(&T)", "Distill odd number row(&T)"},
    {Cmd::EvenRows, "提取偶数行(&O)", "Distill even number row(&O)"},
    {Cmd::GridOptions, "系统参数", "Setup"},
    {Cmd::AutoDesign, "自动花样", "AutoDesign"},
    {Cmd::AutoGather, "自动采集", "AutoGather"},
    {Cmd::Flash, "Flash", "Flash"},
    {Cmd::Video, "VIDEO", "GetVideo"},
    {Cmd::AddRow, "增加一行(&A)", "AddRow"},
    {Cmd::DeleteRow, "删除一行(&D)", "DeleteRow"},
    {Cmd::AddCol, "增加一列(&I)", "AddCol"},
    {Cmd::DeleteCol, "删除一列(&E)", "DeleteCol"},
    {Cmd::Play, "播放\tF5", "Play\tF5"},
    {Cmd::Stop, "停止\tF7", "Stop\tF7"},
    {Cmd::MakeLedData, "LED控制器数据生成", "MakeLedData"},
    {Cmd::MakeNeonData, "霓虹灯控制器数据生成", "MakeNeonData"},
    {Cmd::CircuitryCheck, "线路检查", "CircuitryCheck"},
    {Cmd::LanguageChinese, "中文（大陆）(&C)", "Chinese(&C)"},
    {Cmd::LanguageEnglish, "English(&E)", "Englist(&E)"},
    {Cmd::LanguageTraditional, "中文（港台）", "Traditional Chinese"},
    {Cmd::AppAbout, "关于 Brightloom(&A)...", "About Brightloom(&A)..."},
};

struct TitleRow
{
    MenuTitle title;
    const char *chinese;
    const char *english;
};

const TitleRow kTitles[] = {
    {MenuTitle::File, "文件(&F)", "File(&F)"},
    {MenuTitle::Edit, "编辑(&E)", "Edit(&E)"},
    {MenuTitle::View, "视图(&V)", "View(&V)"},
    {MenuTitle::Picture, "图像", "picture(&p)"},
    {MenuTitle::AutoPlay, "演示", "AutoPlay"},
    {MenuTitle::Build, "硬件配置", "Build(&B)"},
    {MenuTitle::Language, "语言", "Language(&L)"},
    {MenuTitle::Help, "帮助(&H)", "Help(&H)"},
};

QString chooseText(const char *chinese, const char *english, int languageCode)
{
    return threeWayText(QString::fromUtf8(english), QString::fromUtf8(chinese), languageCode);
}

} // namespace

QString commandText(int id, int languageCode)
{
    for (const CommandTextRow &row : kCommandTexts)
        if (row.id == id)
            return chooseText(row.chinese, row.english, languageCode);
    return QString();
}

QString menuTitleText(MenuTitle title, int languageCode)
{
    for (const TitleRow &row : kTitles)
        if (row.title == title)
            return chooseText(row.chinese, row.english, languageCode);
    return QString();
}

QString plainCommandText(int id, int languageCode)
{
    QString text = commandText(id, languageCode);
    text = text.section(QLatin1Char('\t'), 0, 0);
    static const QRegularExpression mnemonicInBrackets(QStringLiteral("\\(&.\\)"));
    text.remove(mnemonicInBrackets);
    text.remove(QLatin1Char('&'));
    return text.trimmed();
}

QList<int> commandTextIds()
{
    QList<int> ids;
    for (const CommandTextRow &row : kCommandTexts)
        ids << row.id;
    return ids;
}
