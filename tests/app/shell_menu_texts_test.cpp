// The menu bar for a newcomer: every top-level menu opens with Alt and its
// own letter in all three languages, the English items read as English,
// and an empty recent-file list says so.

#include "shell_test_support.h"

#include "common/command_ids.h"
#include "shell/command_actions.h"
#include "shell/main_menu.h"
#include "shell/recent_files.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>

namespace {

int otherLanguage(int command)
{
    return command == Cmd::LanguageEnglish ? int(Cmd::LanguageChinese) : int(Cmd::LanguageEnglish);
}

} // namespace

class ShellMenuTextsTest : public QObject
{
    Q_OBJECT
private slots:
    void everyMenuHasItsOwnMnemonic_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("full");
        for (const auto &[name, id] : {std::pair{"Chinese", int(Cmd::LanguageChinese)},
                                       std::pair{"English", int(Cmd::LanguageEnglish)},
                                       std::pair{"traditional", int(Cmd::LanguageTraditional)}}) {
            QTest::addRow("%s start-up", name) << id << false;
            QTest::addRow("%s full", name) << id << true;
        }
    }

    void everyMenuHasItsOwnMnemonic()
    {
        QFETCH(int, command);
        QFETCH(bool, full);
        TestEditor e;
        if (full)
            e.makeFrames(4, 4, 1);
        e.commands().trigger(otherLanguage(command));
        e.commands().trigger(command);
        const QStringList titles = e.menuTitles();
        QCOMPARE(titles.size(), full ? 8 : 4);
        QSet<QKeySequence> keys;
        for (const QString &title : titles) {
            const QKeySequence key = QKeySequence::mnemonic(title);
            QVERIFY2(!key.isEmpty(), qPrintable(title));
            keys.insert(key);
        }
        QCOMPARE(keys.size(), titles.size()); // no letter twice
    }

    void altAndTheLetterOpensTheMenu_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("Chinese") << int(Cmd::LanguageChinese);
        QTest::newRow("English") << int(Cmd::LanguageEnglish);
        QTest::newRow("traditional") << int(Cmd::LanguageTraditional);
    }

    void altAndTheLetterOpensTheMenu()
    {
        QFETCH(int, command);
        TestEditor e;
        e.makeFrames(4, 4, 1);
        e.commands().trigger(command);
        MainWindow &w = e.window();
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // The four menus that had no letter in Chinese before: 图像 (P),
        // 演示 (A), 硬件配置 (B), 语言 (L).
        const struct
        {
            Qt::Key key;
            int menu;
        } presses[] = {{Qt::Key_P, 3}, {Qt::Key_A, 4}, {Qt::Key_B, 5}, {Qt::Key_L, 6}, {Qt::Key_F, 0}};
        for (const auto &press : presses) {
            QTest::keyClick(&w, press.key, Qt::AltModifier);
            QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget *>(e.menu(press.menu)));
            e.menu(press.menu)->close();
            QTRY_VERIFY(!QApplication::activePopupWidget());
        }
    }

    void anEmptyRecentListSaysSo()
    {
        TestEditor e;
        QAction *placeholder = e.window().actions().action(Cmd::FileMru1);
        QCOMPARE(placeholder->text(), QStringLiteral("(no recent files)"));
        QVERIFY(!placeholder->isEnabled());
        QVERIFY(e.itemTexts(0).contains(QStringLiteral("(no recent files)")));
        e.commands().trigger(Cmd::LanguageChinese);
        QVERIFY(e.itemTexts(0).contains(QStringLiteral("（无最近文件）")));
        // A file in the list takes its place.
        e.window().recentFiles().add(e.dir.filePath(QStringLiteral("show.wst")));
        e.window().mainMenu().refreshRecentFiles();
        const QStringList items = e.itemTexts(0);
        QVERIFY(!items.contains(QStringLiteral("（无最近文件）")));
        QVERIFY(items.filter(QStringLiteral("show.wst")).size() == 1);
    }

    void englishItemsAreWordsNotIdentifiers()
    {
        TestEditor e;
        e.makeFrames(4, 4, 1);
        // "ChangeColor", "FormeSize", "toolbar", "MruFile1": a lower-case
        // letter followed by a capital inside one word, a menu item starting
        // in lower case, or digits glued to a word. "AutoPlay" is the one
        // name kept.
        static const QRegularExpression identifier(QStringLiteral("[a-z][A-Z]|^[a-z]|[A-Za-z][0-9]"));
        QStringList offending;
        QStringList texts = e.menuTitles();
        for (int menu = 0; menu < 8; ++menu)
            texts += e.itemTexts(menu);
        for (QString text : std::as_const(texts)) {
            text = text.section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
            if (text != QStringLiteral("-") && text != QStringLiteral("AutoPlay") && text.contains(identifier))
                offending << text;
        }
        QCOMPARE(offending, QStringList());
        const QStringList picture = e.itemTexts(3);
        for (const char *text : {"Replace Colour...\tCtrl+R", "Brightness...", "Keep &Odd Rows", "Keep &Even Rows"})
            QVERIFY2(picture.contains(QString::fromUtf8(text)), text);
        const QStringList view = e.itemTexts(2);
        for (const char *text : {"&Tool Bar", "Show &Grid", "&Actual Size"})
            QVERIFY2(view.contains(QString::fromUtf8(text)), text);
    }
};

#include "app_test.h"
APP_TEST(ShellMenuTextsTest)
#include "shell_menu_texts_test.moc"
