// The controller panel: its starting values, the order list following the
// grid and the cycle, the "null" row, drops, the parameter file buttons and
// the texts of the three languages.

#include "document/document.h"
#include "document/new_grid.h"
#include "links/controller_panel.h"
#include "links/rgb_order_view.h"
#include "scripted_prompt.h"
#include "settings/language.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

QString shownRows(const RgbOrderView *view)
{
    QStringList rows;
    for (int i = 0; i < view->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = view->topLevelItem(i);
        rows << item->text(0) + QLatin1Char(':') + item->text(1);
    }
    return rows.join(QLatin1Char(' '));
}

GridGeometry grid(int base)
{
    GridGeometry g;
    g.rows = 4;
    g.cols = 5;
    g.baseColorNum = uint8_t(base);
    return g;
}

} // namespace

class ControllerPanelTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        Language::setCode(Language::Chinese);
        Language::setFolder(m_dir.path());
    }
    void cleanup()
    {
        Language::setCode(Language::English);
        Language::setFolder(QString());
    }

    void startsWithThePanelsInitialValues()
    {
        Document doc(grid(3));
        ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        ControllerPanel panel(params, doc, prompt);
        QCOMPARE(panel.modelBox()->currentText(), QStringLiteral("KV-M2"));
        QCOMPARE(panel.modelBox()->count(), 4);
        QCOMPARE(panel.formatBox()->currentText(), QStringLiteral("SPI595"));
        QCOMPARE(panel.formatBox()->count(), 14);
        QCOMPARE(panel.greyBox()->currentText(), QStringLiteral("256"));
        QCOMPARE(panel.greyBox()->currentIndex(), 6);
        QCOMPARE(panel.cycleEdit()->text(), QStringLiteral("1"));
        QCOMPARE(shownRows(panel.orderView()), QStringLiteral("1:b 1:g 1:r"));
        QCOMPARE(panel.orderView()->headerItem()->text(0), QStringLiteral("Pixel"));
        QCOMPARE(panel.orderView()->headerItem()->text(1), QStringLiteral("Color"));
        QCOMPARE(panel.orderView()->columnWidth(0), 60);
        QVERIFY(!panel.orderView()->topLevelItem(0)->icon(0).isNull());
        // The hidden controls hold the values the output reads.
        const auto spins = panel.findChildren<QAbstractSpinBox *>();
        QCOMPARE(spins.size(), 4);
        for (const QAbstractSpinBox *s : spins)
            QVERIFY(s->isHidden() || !s->isVisibleTo(&panel));
    }

    void controlsWriteIntoTheValues()
    {
        Document doc(grid(3));
        ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        ControllerPanel panel(params, doc, prompt);
        panel.modelBox()->setCurrentIndex(1);
        panel.formatBox()->setCurrentIndex(11);
        panel.greyBox()->setCurrentIndex(3);
        QCOMPARE(params.controllerModel, 1);
        QCOMPARE(params.communicationFormat, 11);
        QCOMPARE(params.greyLevels, 32);
    }

    void aGridChangeRebuildsTheOrderList()
    {
        Document doc(grid(3));
        ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        ControllerPanel panel(params, doc, prompt);
        panel.cycleEdit()->selectAll();
        QTest::keyClicks(panel.cycleEdit(), QStringLiteral("2"));
        panel.nullButton()->click();
        QCOMPARE(panel.orderView()->topLevelItemCount(), 7);

        NewGridValues v = newGridValuesFrom(doc.geometry());
        v.baseColourIndex = 0; // single colour
        QVERIFY(applyNewGridValues(doc, v).isEmpty());
        QCOMPARE(shownRows(panel.orderView()), QStringLiteral("1:r"));
        QCOMPARE(params.groupExtra, 0);

        v.baseColourIndex = 2;
        v.rows = 9;
        QVERIFY(applyNewGridValues(doc, v).isEmpty());
        QCOMPARE(shownRows(panel.orderView()), QStringLiteral("1:b 1:g 1:r"));
    }

    void theCycleEditRebuildsOnEveryChange()
    {
        Document doc(grid(3));
        ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        ControllerPanel panel(params, doc, prompt);
        panel.nullButton()->click();
        QCOMPARE(params.groupExtra, 1);
        panel.cycleEdit()->selectAll();
        QTest::keyClicks(panel.cycleEdit(), QStringLiteral("2"));
        QCOMPARE(params.cycle, 2);
        QCOMPARE(params.groupExtra, 0);
        QCOMPARE(shownRows(panel.orderView()), QStringLiteral("1:b 1:g 1:r 2:b 2:g 2:r"));
        QTest::keyClick(panel.cycleEdit(), Qt::Key_1); // "21"
        QCOMPARE(panel.orderView()->topLevelItemCount(), 63);
        QVERIFY(panel.cycleNote()->isHidden());
    }

    void aCycleBelowOneIsRefusedAndTheListKept()
    {
        Document doc(grid(1));
        ControllerParams params = ControllerParams::initial(1);
        ScriptedPrompt prompt;
        ControllerPanel panel(params, doc, prompt);
        panel.cycleEdit()->selectAll();
        QTest::keyClicks(panel.cycleEdit(), QStringLiteral("3"));
        QCOMPARE(shownRows(panel.orderView()), QStringLiteral("1:r 2:r 3:r"));
        panel.cycleEdit()->selectAll();
        QTest::keyClicks(panel.cycleEdit(), QStringLiteral("0"));
        QCOMPARE(params.cycle, 3);
        QCOMPARE(shownRows(panel.orderView()), QStringLiteral("1:r 2:r 3:r"));
        QVERIFY(!panel.cycleNote()->isHidden());
        QCOMPARE(panel.cycleNote()->text(), QStringLiteral("周期必须是1到4096之间的整数，列表保持不变。"));
        QVERIFY(prompt.shown.empty());
    }

    void theNullButtonAddsARowAtTheTop()
    {
        Document doc(grid(3));
        ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        ControllerPanel panel(params, doc, prompt);
        panel.nullButton()->click();
        QCOMPARE(shownRows(panel.orderView()), QStringLiteral("null:null 1:b 1:g 1:r"));
        QCOMPARE(params.groupExtra, 1);
    }

    void aDroppedRowTakesThePlaceOfTheRowUnderIt()
    {
        Document doc(grid(3));
        ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        ControllerPanel panel(params, doc, prompt);
        panel.resize(300, 500);
        panel.show();
        RgbOrderView *view = panel.orderView();
        const QRect third = view->visualItemRect(view->topLevelItem(2));
        QCOMPARE(view->dropTarget(third.center()), 2);
        QCOMPARE(view->dropTarget(QPoint(5, third.bottom() + 40)), 3);

        emit view->rowDropped(0, view->dropTarget(third.center()));
        QTRY_COMPARE(shownRows(view), QStringLiteral("1:g 1:b 1:r"));
        QCOMPARE(params.orderList.row(1).color, QStringLiteral("b"));
        emit view->rowDropped(2, 0);
        QTRY_COMPARE(shownRows(view), QStringLiteral("1:r 1:g 1:b"));
    }

    void saveWritesTheListAndOpenTakesItBack()
    {
        Document doc(grid(3));
        ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        ControllerPanel panel(params, doc, prompt);
        // Typed without an extension: the dialog adds ".zari", so the file
        // is listed by the open dialog's filter.
        const QString path = m_dir.filePath(QStringLiteral("order.zari"));
        prompt.files = {m_dir.filePath(QStringLiteral("order"))};
        panel.saveButton()->click();
        QCOMPARE(prompt.fileDialogFilters, QStringList{QStringLiteral("Zari file(*.zari)")});
        QCOMPARE(prompt.saveDialogSuffixes, QStringList{QStringLiteral("zari")});
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("0,1,3,1,r,1,g,1,b,"));

        QFile other(m_dir.filePath(QStringLiteral("two.zari")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("1,2,0,");
        other.close();
        panel.nullButton()->click();
        prompt.files = {other.fileName()};
        panel.openButton()->click();
        QCOMPARE(panel.cycleEdit()->text(), QStringLiteral("2"));
        QCOMPARE(panel.orderView()->topLevelItemCount(), 0);
        QCOMPARE(params.groupExtra, 0);

        prompt.files = {path};
        panel.openButton()->click();
        QCOMPARE(shownRows(panel.orderView()), QStringLiteral("1:b 1:g 1:r"));
        QCOMPARE(panel.cycleEdit()->text(), QStringLiteral("1"));
        QVERIFY(prompt.shown.empty());
    }

    void aFailedSaveSaysWhatTheSystemSaid()
    {
        Document doc(grid(3));
        ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        ControllerPanel panel(params, doc, prompt);
        // A file where a folder should be: the system refuses the folder.
        QFile blocker(m_dir.filePath(QStringLiteral("plain")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        prompt.files = {m_dir.filePath(QStringLiteral("plain/params.zari"))};
        panel.saveButton()->click();
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("Save file fail.\nNot a directory")});
        QCOMPARE(prompt.shown[0].icon, PromptIcon::Error);
    }

    void openingSomethingElseChangesNothing()
    {
        Document doc(grid(3));
        ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        ControllerPanel panel(params, doc, prompt);
        panel.nullButton()->click();
        QFile other(m_dir.filePath(QStringLiteral("not.zari")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("2,1,1,1,r,");
        other.close();
        prompt.files = {other.fileName()};
        panel.openButton()->click();
        QCOMPARE(shownRows(panel.orderView()), QStringLiteral("null:null 1:b 1:g 1:r"));
        QCOMPARE(params.groupExtra, 1); // kept: nothing was loaded
        QVERIFY(prompt.shown.empty());

        prompt.files = {m_dir.filePath(QStringLiteral("missing.zari"))};
        panel.openButton()->click();
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("Open file fail.")});
        QCOMPARE(params.groupExtra, 1);
    }

    void labelsFollowTheLanguage()
    {
        Document doc(grid(3));
        ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        ControllerPanel panel(params, doc, prompt);
        auto labels = [&] {
            QStringList t;
            for (const QLabel *l : panel.findChildren<QLabel *>())
                if (l != panel.cycleNote())
                    t << l->text();
            return t;
        };
        QVERIFY(labels().contains(QStringLiteral("灰度级别：")));
        QCOMPARE(panel.openButton()->text(), QStringLiteral("打开"));

        Language::setCode(Language::English);
        panel.applyTexts();
        QVERIFY(labels().contains(QStringLiteral("Gray")));
        QVERIFY(labels().contains(QStringLiteral("Cycle")));
        QCOMPARE(panel.saveButton()->text(), QStringLiteral("save"));

        Language::setCode(Language::Traditional);
        panel.applyTexts();
        QVERIFY(labels().contains(QStringLiteral("灰度級別：")));
        QCOMPARE(panel.openButton()->text(), QStringLiteral("打開"));
    }

private:
    QTemporaryDir m_dir;
};

#include "app_test.h"
APP_TEST(ControllerPanelTest)
#include "controller_panel_test.moc"
