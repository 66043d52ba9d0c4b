// The controller panel: its starting values, the order list following the
// grid and the cycle, the "null" row, drops, the parameter file buttons and
// the texts of the three languages.

#include "document/document.h"
#include "document/new_grid.h"
#include "language_test_support.h"
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

// The panel on a 4 x 5 grid of `base` base colours, with the initial
// values of that grid. (Outside the anonymous namespace: the tests' lambdas
// capture it.)
struct ControllerPanelOnGrid
{
    explicit ControllerPanelOnGrid(int base = 3) : doc(grid(base)), params(ControllerParams::initial(base)) {}
    Document doc;
    ControllerParams params;
    ScriptedPrompt prompt;
    ControllerPanel panel{params, doc, prompt};
};

class ControllerPanelTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { useBuiltInChineseTexts(m_dir); }
    void cleanup() { restoreDefaultTexts(); }

    void startsWithThePanelsInitialValues()
    {
        ControllerPanelOnGrid c;
        QCOMPARE(c.panel.modelBox()->currentText(), QStringLiteral("KV-M2"));
        QCOMPARE(c.panel.modelBox()->count(), 4);
        QCOMPARE(c.panel.formatBox()->currentText(), QStringLiteral("SPI595"));
        QCOMPARE(c.panel.formatBox()->count(), 14);
        QCOMPARE(c.panel.greyBox()->currentText(), QStringLiteral("256"));
        QCOMPARE(c.panel.greyBox()->currentIndex(), 6);
        QCOMPARE(c.panel.cycleEdit()->text(), QStringLiteral("1"));
        QCOMPARE(shownRows(c.panel.orderView()), QStringLiteral("1:b 1:g 1:r"));
        QCOMPARE(c.panel.orderView()->headerItem()->text(0), QStringLiteral("Pixel"));
        QCOMPARE(c.panel.orderView()->headerItem()->text(1), QStringLiteral("Color"));
        QCOMPARE(c.panel.orderView()->columnWidth(0), 60);
        QVERIFY(!c.panel.orderView()->topLevelItem(0)->icon(0).isNull());
        // The hidden controls hold the values the output reads.
        const auto spins = c.panel.findChildren<QAbstractSpinBox *>();
        QCOMPARE(spins.size(), 4);
        for (const QAbstractSpinBox *s : spins)
            QVERIFY(s->isHidden() || !s->isVisibleTo(&c.panel));
    }

    void controlsWriteIntoTheValues()
    {
        ControllerPanelOnGrid c;
        c.panel.modelBox()->setCurrentIndex(1);
        c.panel.formatBox()->setCurrentIndex(11);
        c.panel.greyBox()->setCurrentIndex(3);
        QCOMPARE(c.params.controllerModel, 1);
        QCOMPARE(c.params.communicationFormat, 11);
        QCOMPARE(c.params.greyLevels, 32);
    }

    void aGridChangeRebuildsTheOrderList()
    {
        ControllerPanelOnGrid c;
        c.panel.cycleEdit()->selectAll();
        QTest::keyClicks(c.panel.cycleEdit(), QStringLiteral("2"));
        c.panel.nullButton()->click();
        QCOMPARE(c.panel.orderView()->topLevelItemCount(), 7);

        NewGridValues v = newGridValuesFrom(c.doc.geometry());
        v.baseColourIndex = 0; // single colour
        QVERIFY(applyNewGridValues(c.doc, v).isEmpty());
        QCOMPARE(shownRows(c.panel.orderView()), QStringLiteral("1:r"));
        QCOMPARE(c.params.groupExtra, 0);

        v.baseColourIndex = 2;
        v.rows = 9;
        QVERIFY(applyNewGridValues(c.doc, v).isEmpty());
        QCOMPARE(shownRows(c.panel.orderView()), QStringLiteral("1:b 1:g 1:r"));
    }

    void theCycleEditRebuildsOnEveryChange()
    {
        ControllerPanelOnGrid c;
        c.panel.nullButton()->click();
        QCOMPARE(c.params.groupExtra, 1);
        c.panel.cycleEdit()->selectAll();
        QTest::keyClicks(c.panel.cycleEdit(), QStringLiteral("2"));
        QCOMPARE(c.params.cycle, 2);
        QCOMPARE(c.params.groupExtra, 0);
        QCOMPARE(shownRows(c.panel.orderView()), QStringLiteral("1:b 1:g 1:r 2:b 2:g 2:r"));
        QTest::keyClick(c.panel.cycleEdit(), Qt::Key_1); // "21"
        QCOMPARE(c.panel.orderView()->topLevelItemCount(), 63);
        QVERIFY(c.panel.cycleNote()->isHidden());
    }

    void aCycleBelowOneIsRefusedAndTheListKept()
    {
        ControllerPanelOnGrid c(1);
        c.panel.cycleEdit()->selectAll();
        QTest::keyClicks(c.panel.cycleEdit(), QStringLiteral("3"));
        QCOMPARE(shownRows(c.panel.orderView()), QStringLiteral("1:r 2:r 3:r"));
        c.panel.cycleEdit()->selectAll();
        QTest::keyClicks(c.panel.cycleEdit(), QStringLiteral("0"));
        QCOMPARE(c.params.cycle, 3);
        QCOMPARE(shownRows(c.panel.orderView()), QStringLiteral("1:r 2:r 3:r"));
        QVERIFY(!c.panel.cycleNote()->isHidden());
        QCOMPARE(c.panel.cycleNote()->text(), QStringLiteral("周期必须是1到4096之间的整数，列表保持不变。"));
        QVERIFY(c.prompt.shown.empty());
    }

    void theNullButtonAddsARowAtTheTop()
    {
        ControllerPanelOnGrid c;
        c.panel.nullButton()->click();
        QCOMPARE(shownRows(c.panel.orderView()), QStringLiteral("null:null 1:b 1:g 1:r"));
        QCOMPARE(c.params.groupExtra, 1);
    }

    void aDroppedRowTakesThePlaceOfTheRowUnderIt()
    {
        ControllerPanelOnGrid c;
        c.panel.resize(300, 500);
        c.panel.show();
        RgbOrderView *view = c.panel.orderView();
        const QRect third = view->visualItemRect(view->topLevelItem(2));
        QCOMPARE(view->dropTarget(third.center()), 2);
        QCOMPARE(view->dropTarget(QPoint(5, third.bottom() + 40)), 3);

        emit view->rowDropped(0, view->dropTarget(third.center()));
        QTRY_COMPARE(shownRows(view), QStringLiteral("1:g 1:b 1:r"));
        QCOMPARE(c.params.orderList.row(1).color, QStringLiteral("b"));
        emit view->rowDropped(2, 0);
        QTRY_COMPARE(shownRows(view), QStringLiteral("1:r 1:g 1:b"));
    }

    void saveWritesTheListAndOpenTakesItBack()
    {
        ControllerPanelOnGrid c;
        // Typed without an extension: the dialog adds ".zari", so the file
        // is listed by the open dialog's filter.
        const QString path = m_dir.filePath(QStringLiteral("order.zari"));
        c.prompt.files = {m_dir.filePath(QStringLiteral("order"))};
        c.panel.saveButton()->click();
        QCOMPARE(c.prompt.fileDialogFilters, QStringList{QStringLiteral("Zari file(*.zari)")});
        QCOMPARE(c.prompt.saveDialogSuffixes, QStringList{QStringLiteral("zari")});
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("0,1,3,1,r,1,g,1,b,"));

        QFile other(m_dir.filePath(QStringLiteral("two.zari")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("1,2,0,");
        other.close();
        c.panel.nullButton()->click();
        c.prompt.files = {other.fileName()};
        c.panel.openButton()->click();
        QCOMPARE(c.panel.cycleEdit()->text(), QStringLiteral("2"));
        QCOMPARE(c.panel.orderView()->topLevelItemCount(), 0);
        QCOMPARE(c.params.groupExtra, 0);

        c.prompt.files = {path};
        c.panel.openButton()->click();
        QCOMPARE(shownRows(c.panel.orderView()), QStringLiteral("1:b 1:g 1:r"));
        QCOMPARE(c.panel.cycleEdit()->text(), QStringLiteral("1"));
        QVERIFY(c.prompt.shown.empty());
    }

    void aFailedSaveSaysWhatTheSystemSaid()
    {
        ControllerPanelOnGrid c;
        // A file where a folder should be: the system refuses the folder.
        QFile blocker(m_dir.filePath(QStringLiteral("plain")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        c.prompt.files = {m_dir.filePath(QStringLiteral("plain/c.params.zari"))};
        c.panel.saveButton()->click();
        QCOMPARE(c.prompt.texts(), QStringList{QStringLiteral("Save file fail.\nNot a directory")});
        QCOMPARE(c.prompt.shown[0].icon, PromptIcon::Error);
    }

    void openingSomethingElseChangesNothing()
    {
        ControllerPanelOnGrid c;
        c.panel.nullButton()->click();
        QFile other(m_dir.filePath(QStringLiteral("not.zari")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("2,1,1,1,r,");
        other.close();
        c.prompt.files = {other.fileName()};
        c.panel.openButton()->click();
        QCOMPARE(shownRows(c.panel.orderView()), QStringLiteral("null:null 1:b 1:g 1:r"));
        QCOMPARE(c.params.groupExtra, 1); // kept: nothing was loaded
        QVERIFY(c.prompt.shown.empty());

        c.prompt.files = {m_dir.filePath(QStringLiteral("missing.zari"))};
        c.panel.openButton()->click();
        QCOMPARE(c.prompt.texts(), QStringList{QStringLiteral("Open file fail.")});
        QCOMPARE(c.params.groupExtra, 1);
    }

    void labelsFollowTheLanguage()
    {
        ControllerPanelOnGrid c;
        auto labels = [&] {
            QStringList t;
            for (const QLabel *l : c.panel.findChildren<QLabel *>())
                if (l != c.panel.cycleNote())
                    t << l->text();
            return t;
        };
        QVERIFY(labels().contains(QStringLiteral("灰度级别：")));
        QCOMPARE(c.panel.openButton()->text(), QStringLiteral("打开"));

        Language::setCode(Language::English);
        c.panel.applyTexts();
        QVERIFY(labels().contains(QStringLiteral("Gray")));
        QVERIFY(labels().contains(QStringLiteral("Cycle")));
        QCOMPARE(c.panel.saveButton()->text(), QStringLiteral("save"));

        Language::setCode(Language::Traditional);
        c.panel.applyTexts();
        QVERIFY(labels().contains(QStringLiteral("灰度級別：")));
        QCOMPARE(c.panel.openButton()->text(), QStringLiteral("打開"));
    }

private:
    QTemporaryDir m_dir;
};

#include "app_test.h"
APP_TEST(ControllerPanelTest)
#include "controller_panel_test.moc"
