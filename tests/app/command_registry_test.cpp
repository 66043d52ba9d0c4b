// The command registry the menus are built from: subsystems' tables merged
// into menus by group and order, the start-up menu, texts of the three
// languages, commands declared before their handler exists.

#include "common/command_registry.h"
#include "settings/language.h"

#include <QSignalSpy>
#include <QTest>

namespace {

Command item(int id, MenuTitle menu, int group, int order, bool startup = false)
{
    return Command(id, "E", "中").in({menu, group, order, startup});
}

} // namespace

class CommandRegistryTest : public QObject
{
    Q_OBJECT
private slots:
    void menusMergeTheTablesByGroupAndOrder()
    {
        CommandRegistry r;
        // Two subsystems' tables, in whichever order they register.
        r.add({item(5, MenuTitle::Picture, 2, 10), item(1, MenuTitle::File, 1, 20, true),
               item(9, MenuTitle::Picture, 1, 30)});
        r.add({item(7, MenuTitle::Picture, 1, 10), item(2, MenuTitle::File, 1, 10, true),
               item(3, MenuTitle::File, 3, 10), Command(4, "no menu")});
        QCOMPARE(r.menuItems(MenuTitle::Picture, false), (QList<int>{7, 9, CommandRegistry::kSeparator, 5}));
        QCOMPARE(r.menuItems(MenuTitle::File, false), (QList<int>{2, 1, CommandRegistry::kSeparator, 3}));
        // The start-up menu keeps only the marked items; no separator is
        // left where a whole group is missing.
        QCOMPARE(r.menuItems(MenuTitle::File, true), (QList<int>{2, 1}));
        QVERIFY(r.menuItems(MenuTitle::Picture, true).isEmpty());
        QVERIFY(r.menuItems(MenuTitle::Help, false).isEmpty());
        QCOMPARE(r.ids(), (QList<int>{5, 1, 9, 7, 2, 3, 4}));
    }

    void aCommandWithoutHandlerShowsDisabledUntilItGetsOne()
    {
        CommandRegistry r;
        QSignalSpy ran(&r, &CommandRegistry::commandRan);
        r.add({Command(42, "Undo(&U)\tCtrl+Z", "撤消(&U)\tCtrl+Z")
                   .in({MenuTitle::Edit, 1, 10})
                   .keys({QKeySequence(Qt::CTRL | Qt::Key_Z)})});
        QVERIFY(!r.has(42));
        QVERIFY(!r.isEnabled(42));
        QVERIFY(!r.trigger(42));
        QCOMPARE(ran.count(), 0);

        // The handler arrives later: texts, place and keys stay.
        int runs = 0;
        bool allowed = false;
        r.add(42, [&runs] { ++runs; }, [&allowed] { return allowed; });
        QVERIFY(r.has(42));
        QVERIFY(!r.trigger(42)); // its rule says no
        allowed = true;
        QVERIFY(r.trigger(42));
        QCOMPARE(runs, 1);
        QCOMPARE(ran.count(), 1);
        QCOMPARE(ran.at(0).at(0).toInt(), 42);
        QCOMPARE(r.command(42)->shortcuts, (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z)}));
        QCOMPARE(r.menuItems(MenuTitle::Edit, false), QList<int>{42});
        QCOMPARE(r.text(42, Language::English), QStringLiteral("Undo(&U)\tCtrl+Z"));
        QVERIFY(!r.isCheckable(42));

        // A handler for an id nobody declared: no text, no menu place.
        r.add(43, [] {});
        QVERIFY(r.isEnabled(43));
        QVERIFY(r.text(43, Language::English).isEmpty());
        QVERIFY(!r.command(43)->place);
    }

    void textsInEachLanguageAndPlainForToolTips()
    {
        CommandRegistry r;
        r.add({Command(1, "Open(&O)...\tCtrl+O", "打开(&O)...\tCtrl+O"),
               Command(2, "Exit", "关于 Brightloom(&A)...")});
        QCOMPARE(r.text(1, Language::Chinese), QStringLiteral("打开(&O)...\tCtrl+O"));
        QCOMPARE(r.text(1, Language::English), QStringLiteral("Open(&O)...\tCtrl+O"));
        QCOMPARE(r.text(2, Language::Traditional), QStringLiteral("關於 Brightloom(&A)..."));
        QCOMPARE(r.plainText(1, Language::Chinese), QStringLiteral("打开..."));
        QCOMPARE(r.plainText(1, Language::English), QStringLiteral("Open..."));
        QCOMPARE(r.plainText(2, Language::Chinese), QStringLiteral("关于 Brightloom..."));
        QVERIFY(r.text(99, Language::English).isEmpty());
    }

    void aCheckItemAndADeclarationReplaced()
    {
        CommandRegistry r;
        bool on = true;
        r.add({Command(1, "old").runs([] {}).checkedWhen([&on] { return on; })});
        QVERIFY(r.isCheckable(1));
        QVERIFY(r.isChecked(1));
        on = false;
        QVERIFY(!r.isChecked(1));
        // Declared again (a subsystem taking over an id): the new row wins
        // whole, in the old row's place.
        r.add({Command(1, "new").in({MenuTitle::View, 1, 1})});
        QCOMPARE(r.text(1, Language::English), QStringLiteral("new"));
        QVERIFY(!r.has(1));
        QVERIFY(!r.isCheckable(1));
        QCOMPARE(r.ids(), QList<int>{1});
    }
};

#include "app_test.h"
APP_TEST(CommandRegistryTest)
#include "command_registry_test.moc"
