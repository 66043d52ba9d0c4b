// The three language commands: menu titles and items, check marks, tool
// tips, bar titles and panel texts change at once.

#include "shell_test_support.h"

#include "common/command_ids.h"
#include "shell/command_actions.h"
#include "shell/play_panel.h"

#include <QDockWidget>
#include <QLabel>
#include <QSlider>
#include <QTest>

class ShellLanguageTest : public QObject
{
    Q_OBJECT
private slots:
    void fullMenuFollowsTheLanguage_data();
    void fullMenuFollowsTheLanguage();
    void startupMenuFollowsTheLanguage();
    void checkMarkSitsAtTheActiveLanguage();
    void theActiveLanguageCommandDoesNothing();
    void barsAndPanelFollowTheLanguage();
    void newDocumentKeepsTheChosenLanguage();
};

void ShellLanguageTest::fullMenuFollowsTheLanguage_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("edit");
    QTest::addColumn<QStringList>("autoPlay");
    QTest::addColumn<QStringList>("build");
    QTest::addColumn<QString>("rotate");

    QTest::newRow("Chinese") << int(Cmd::LanguageChinese)
                             << QStringList{"文件(&F)", "编辑(&E)", "视图(&V)", "图像(&P)", "演示(&A)",
                                            "硬件配置(&B)", "语言(&L)", "帮助(&H)"}
                             << QStringList{"撤销(&U)\tCtrl+Z", "重做(&R)\tCtrl+Y", "-", "剪切(&T)\tCtrl+X",
                                            "复制(&C)\tCtrl+C", "粘贴(&P)\tCtrl+V", "删除(&D)\tDel", "-",
                                            "历史记录(&H)"}
                             << QStringList{"自动花样", "自动采集", "动画图片", "VIDEO", "-", "播放\tF5", "停止\tF7"}
                             << QStringList{"LED控制器数据生成", "霓虹灯控制器数据生成", "线路检查", "-", "串口设置...",
                                            "发送数据到控制器...", "更新控制器程序...", "网络输出...", "-",
                                            "FSEQ序列导出..."}
                             << QStringLiteral("旋转90度(&R)");
    QTest::newRow("English") << int(Cmd::LanguageEnglish)
                             << QStringList{"&File", "&Edit", "&View", "&Picture", "&AutoPlay", "&Build",
                                            "&Language", "&Help"}
                             << QStringList{"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "-", "Cu&t\tCtrl+X", "&Copy\tCtrl+C",
                                            "&Paste\tCtrl+V", "&Delete\tDel", "-", "&History"}
                             << QStringList{"Auto &Pattern...", "Screen &Gather...", "Animated Picture...", "Video...", "-",
                                            "Play\tF5", "Stop\tF7"}
                             << QStringList{"Make &LED Data...", "Make &Neon Data...", "&Circuitry Check", "-",
                                            "Serial Port...", "Send Frames to Controller...",
                                            "Update Controller Program...", "Network Output...", "-", "Export FSEQ sequence..."}
                             << QStringLiteral("&Rotate 90°");
    QTest::newRow("traditional") << int(Cmd::LanguageTraditional)
                                 << QStringList{"文件(&F)", "編輯(&E)", "視圖(&V)", "圖像(&P)", "演示(&A)",
                                                "硬件配置(&B)", "語言(&L)", "幫助(&H)"}
                                 << QStringList{"撤銷(&U)\tCtrl+Z", "重做(&R)\tCtrl+Y", "-", "剪切(&T)\tCtrl+X",
                                                "複製(&C)\tCtrl+C", "粘貼(&P)\tCtrl+V", "刪除(&D)\tDel", "-",
                                                "歷史記錄(&H)"}
                                 << QStringList{"自動花樣", "自動採集", "動畫圖片", "VIDEO", "-", "播放\tF5",
                                                "停止\tF7"}
                                 << QStringList{"LED控制器數據生成", "霓虹燈控制器數據生成", "線路檢查", "-",
                                                "串口設置...", "發送數據到控制器...", "更新控制器程序...", "網絡輸出...", "-",
                                                "FSEQ序列導出..."}
                                 << QStringLiteral("旋轉90度(&R)");
}

void ShellLanguageTest::fullMenuFollowsTheLanguage()
{
    QFETCH(int, command);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, edit);
    QFETCH(QStringList, autoPlay);
    QFETCH(QStringList, build);
    QFETCH(QString, rotate);
    TestEditor e;
    e.makeFrames(4, 4, 2);
    // From another language, so that every text really changes.
    e.commands().trigger(command == Cmd::LanguageEnglish ? int(Cmd::LanguageChinese) : int(Cmd::LanguageEnglish));
    QVERIFY(e.commands().trigger(command));
    QCOMPARE(e.menuTitles(), titles);
    QCOMPARE(e.itemTexts(1), edit);
    QCOMPARE(e.itemTexts(4), autoPlay);
    QCOMPARE(e.itemTexts(5), build);
    QCOMPARE(e.window().actions().action(Cmd::Rotate90)->text(), rotate);
}

void ShellLanguageTest::startupMenuFollowsTheLanguage()
{
    TestEditor e;
    e.commands().trigger(Cmd::LanguageChinese);
    QCOMPARE(e.menuTitles(), (QStringList{"文件(&F)", "视图(&V)", "语言(&L)", "帮助(&H)"}));
    QCOMPARE(e.itemTexts(0),
             (QStringList{"新建(&N)\tCtrl+N", "打开(&O)...\tCtrl+O", "-", "（无最近文件）", "-", "退出(&X)"}));
    QCOMPARE(e.itemTexts(2), (QStringList{"中文（大陆）(&C)", "English(&E)", "中文（港台）"}));
    e.commands().trigger(Cmd::LanguageTraditional);
    QCOMPARE(e.itemTexts(1), (QStringList{"工具欄(&T)", "狀態欄(&S)"}));
    QCOMPARE(e.itemTexts(3), (QStringList{"關於 Brightloom(&A)..."}));
}

void ShellLanguageTest::checkMarkSitsAtTheActiveLanguage()
{
    TestEditor e;
    const int ids[] = {Cmd::LanguageChinese, Cmd::LanguageEnglish, Cmd::LanguageTraditional};
    CommandActions &actions = e.window().actions();
    // Every run starts in English.
    QCOMPARE(Language::code(), 1);
    for (int active : ids) {
        actions.action(active)->trigger();
        for (int id : ids) {
            QVERIFY(actions.action(id)->isCheckable());
            QCOMPARE(actions.action(id)->isChecked(), id == active);
        }
    }
    QCOMPARE(e.app->settings().languageCode, uint8_t(2));
}

void ShellLanguageTest::theActiveLanguageCommandDoesNothing()
{
    TestEditor e;
    QAction *english = e.window().actions().action(Cmd::LanguageEnglish);
    english->trigger();
    QVERIFY(english->isChecked());
    QCOMPARE(Language::code(), 1);
    QCOMPARE(e.menuTitles().first(), QStringLiteral("&File"));
}

void ShellLanguageTest::barsAndPanelFollowTheLanguage()
{
    TestEditor e;
    e.makeFrames(4, 4, 2);
    PlayPanel *panel = e.window().playPanel();
    QCOMPARE(panel->speedSlider()->toolTip(), QStringLiteral("Play speed: 20 fps"));
    QCOMPARE(e.window().actions().action(Cmd::FileNew)->toolTip(), QStringLiteral("New"));
    QCOMPARE(e.window().paletteDock()->windowTitle(), QStringLiteral("Palette"));

    e.commands().trigger(Cmd::LanguageChinese);
    QCOMPARE(panel->speedSlider()->toolTip(), QStringLiteral("播放速度:20帧每秒"));
    QCOMPARE(e.window().actions().action(Cmd::FileNew)->toolTip(), QStringLiteral("新建"));
    QCOMPARE(e.window().paletteDock()->windowTitle(), QStringLiteral("调色板"));
    QCOMPARE(e.window().statusPane(0)->text(), QStringLiteral("就绪"));
    QCOMPARE(e.window().toolDock()->windowTitle(), QStringLiteral("TOOL Bar"));
    const QList<QLabel *> labels = panel->findChildren<QLabel *>();
    QStringList labelTexts;
    for (QLabel *l : labels)
        labelTexts << l->text();
    QCOMPARE(labelTexts, (QStringList{"播放速度:", "当前帧:"}));

    // Traditional shows the play speed tool tip from the English file, as
    // every text keyed for the non-Chinese languages does.
    e.commands().trigger(Cmd::LanguageTraditional);
    QCOMPARE(panel->speedSlider()->toolTip(), QStringLiteral("Play speed: 20 fps"));
    QCOMPARE(e.window().actions().action(Cmd::FileOpen)->toolTip(), QStringLiteral("打開..."));
}

void ShellLanguageTest::newDocumentKeepsTheChosenLanguage()
{
    TestEditor e;
    e.commands().trigger(Cmd::LanguageChinese);
    e.newGrid(QStringLiteral("4"), QStringLiteral("4"));
    QCOMPARE(e.menuTitles().value(3), QStringLiteral("图像(&P)"));
    QCOMPARE(e.itemTexts(0).first(), QStringLiteral("新建(&N)\tCtrl+N"));
}

#include "app_test.h"
APP_TEST(ShellLanguageTest)
#include "shell_language_test.moc"
