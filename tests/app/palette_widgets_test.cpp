// The palette bar and the colour panel: strip clicks, brushes, the table
// clicks with Ctrl and the 512-colour limit, OK and Cancel.

#include "editor_context.h"
#include "language_test_support.h"
#include "palette/colour_panel_dialog.h"
#include "palette/colour_table_view.h"
#include "palette/palette_bar.h"
#include "palette/palette_strip.h"
#include "patterns/stacking_blocks.h"
#include "settings/language.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

QPoint centreOf(const ColourTableView *view, int row, int column) { return view->cellRect(row, column).center(); }

} // namespace

class PaletteWidgetsTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { useShippedChineseTexts(); }

    void stripClicksSelectTheEntryUnderTheMouseClippedToTheList()
    {
        EditorContext e;
        e.palette.colours = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};
        PaletteBar bar(e.ctx);
        bar.resize(600, 80);
        bar.show();
        PaletteStrip *strip = bar.strip();
        const int cell = strip->width() / 4;
        QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(cell * 2 + cell / 2, 5));
        QCOMPARE(e.palette.selected, 2);
        QCOMPARE(e.palette.currentColour, ColorValue(0xFF0000));
        QCOMPARE(strip->entryAt(strip->width() + 50), 3);
        QCOMPARE(strip->entryAt(strip->width() - 1), 3);
        QCOMPARE(strip->entryAt(0), 0);
    }

    void brushTooltipsSayWhatEachBrushPaints()
    {
        EditorContext e;
        PaletteBar bar(e.ctx);
        QCOMPARE(bar.brushButton(Brush::Small)->toolTip(), QStringLiteral("小：以鼠标所在点为中心画 3×3 的方块"));
        QVERIFY(bar.brushButton(Brush::Single)->toolTip().contains(QStringLiteral("调色板")));
        Language::setCode(Language::English);
        emit e.ctx.events.languageChanged(Language::English);
        QCOMPARE(bar.brushButton(Brush::Single)->toolTip(),
                 QStringLiteral("Single: paints one point, then steps to the next palette colour"));
        QCOMPARE(bar.brushButton(Brush::Small)->toolTip(),
                 QStringLiteral("Small: paints a 3 x 3 square centred on the point"));
        QCOMPARE(bar.brushButton(Brush::Large)->toolTip(),
                 QStringLiteral("Large: paints a 5 x 5 square centred on the point"));
        QCOMPARE(bar.brushButton(Brush::Huge)->toolTip(),
                 QStringLiteral("Huge: paints a 9 x 9 square centred on the point"));
        QCOMPARE(bar.brushButton(Brush::None)->toolTip(), QStringLiteral("None: the pen paints one point at a time"));
        Language::setCode(Language::Traditional);
        emit e.ctx.events.languageChanged(Language::Traditional);
        // Traditional characters from the Chinese text.
        const QString huge = bar.brushButton(Brush::Huge)->toolTip();
        QVERIFY2(huge.startsWith(QStringLiteral("特大：")) && huge.contains(QStringLiteral("畫 9×9 的方塊")),
                 qPrintable(huge));
    }

    void baseSwatchesSetTheCurrentColourAndBrushesTheSelection()
    {
        EditorContext e;
        PaletteBar bar(e.ctx);
        bar.show();
        QCOMPARE(e.palette.brush, Brush::Single); // selected when the bar is made
        QVERIFY(bar.brushButton(Brush::Single)->isChecked());
        QTest::mouseClick(bar.baseSwatch(4), Qt::LeftButton);
        QCOMPARE(e.palette.currentColour, ColorValue(0x00FFFF)); // yellow
        QCOMPARE(bar.currentSwatch()->grab().toImage().pixelColor(19, 19), QColor(255, 255, 0));
        // A change made elsewhere shows at the next paint.
        e.palette.currentColour = 0xFF0000;
        QCOMPARE(bar.currentSwatch()->grab().toImage().pixelColor(19, 19), QColor(0, 0, 255));
        QTest::mouseClick(bar.brushButton(Brush::Huge), Qt::LeftButton);
        QCOMPARE(e.palette.brush, Brush::Huge);
        e.editing.penEnabled = true;
        QTest::mouseClick(bar.brushButton(Brush::None), Qt::LeftButton);
        QCOMPARE(e.palette.brush, Brush::PenNoBrush);
        QCOMPARE(bar.cycleBox()->text(), QStringLiteral("调色板颜色循环"));
    }

    void theSelectionMarkFollowsAPaletteFlowRun()
    {
        EditorContext e(6, 6, 1);
        e.palette.colours = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x00FFFF};
        PaletteBar bar(e.ctx);
        bar.resize(600, 80);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        struct PaintCounter : QObject
        {
            int paints = 0;
            bool eventFilter(QObject *, QEvent *event) override
            {
                paints += event->type() == QEvent::Paint;
                return false;
            }
        } counter;
        bar.strip()->installEventFilter(&counter);
        QTest::qWait(20);
        counter.paints = 0;
        // Stacking blocks in a palette-flow foreground: every frame moves
        // the selected entry on, and the run only inserts frames.
        PatternTarget target(e.doc, 0, BlockArea(), &e.palette);
        StackingParams p;
        p.foreground = kStackingFlowItemBase;
        p.area = GridRect{0, 0, 5, 5};
        QVERIFY(generateStacking(target, p) > 0);
        QTRY_VERIFY(counter.paints > 0);
    }

    void ctrlClickRunInTheColourPanelStopsAt512WithOneMessage()
    {
        EditorContext e;
        GridGeometry g = e.doc.geometry();
        g.scanMode = 1;
        g.baseColorNum = 3;
        e.doc.setGeometry(g);
        ColourPanelDialog dialog(e.ctx);
        dialog.resize(900, 600);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.gradeBox()->setCurrentIndex(3); // 128 grades: 896 cells
        ColourTableView *table = dialog.tableView();
        QCOMPARE(dialog.model().working().size(), size_t(3));
        QTest::mouseClick(table, Qt::LeftButton, {}, centreOf(table, 0, 0));
        QTest::mouseClick(table, Qt::LeftButton, Qt::ControlModifier, centreOf(table, 6, 127));
        QCOMPARE(dialog.model().working().size(), size_t(512));
        QCOMPARE(e.prompt.shown.size(), size_t(1));
        QCOMPARE(e.prompt.lastText(), QStringLiteral("调色板中颜色数量最多512种"));
        // The run took the table in row-major order after the first click.
        QCOMPARE(dialog.model().working()[3], dialog.model().table().at(0, 0));
        QCOMPARE(dialog.model().working()[5], dialog.model().table().at(0, 1));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("workingCount"))->text(), QStringLiteral("512 / 512"));
    }

    void tableClicksMoveTheSlidersAndSlidersRecolourTheCell()
    {
        EditorContext e;
        ColourPanelDialog dialog(e.ctx);
        dialog.resize(900, 600);
        dialog.show();
        QTest::mouseClick(dialog.tableView(), Qt::LeftButton, {}, centreOf(dialog.tableView(), 0, 1));
        QCOMPARE(dialog.slider(0)->value(), 14); // red 238 / step 17
        QCOMPARE(dialog.numberBox(0)->value(), 14);
        dialog.numberBox(1)->setValue(15); // typing moves the slider
        QCOMPARE(dialog.slider(1)->value(), 15);
        QCOMPARE(dialog.model().table().at(0, 1), makeColor(238, 255, 0));
    }

    void customColourButtonsWorkOnlyInCustomMode()
    {
        EditorContext e;
        ColourPanelDialog dialog(e.ctx);
        QVERIFY(!dialog.customStartButton()->isEnabled());
        dialog.modeBox()->setCurrentIndex(2);
        QVERIFY(dialog.customStartButton()->isEnabled());
        dialog.pickColour = [](const QColor &, QWidget *) { return std::optional<QColor>(QColor(0, 0, 255)); };
        QTest::mouseClick(dialog.customEndButton(), Qt::LeftButton);
        QCOMPARE(dialog.model().customEnd(), ColorValue(0xFF0000));
        QCOMPARE(dialog.model().table().at(0, 15), ColorValue(0xFF0000));
    }

    void theTableFollowsTheOpenDocumentNotTheStartUpSettings_data()
    {
        QTest::addColumn<int>("scanMode");
        QTest::addColumn<int>("baseColours");
        QTest::addColumn<bool>("gradeChoice");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("grades");
        // Grades 16 (the first choice) with a grade choice; one grade without.
        QTest::newRow("normal program, one base colour") << 0 << 1 << false << 1 << 1;
        QTest::newRow("normal program, two base colours") << 0 << 2 << false << 3 << 1;
        QTest::newRow("grey program, two base colours") << 1 << 2 << true << 3 << 16;
        QTest::newRow("grey program, three base colours") << 1 << 3 << true << 7 << 16;
    }

    void theTableFollowsTheOpenDocumentNotTheStartUpSettings()
    {
        QFETCH(int, scanMode);
        QFETCH(int, baseColours);
        QFETCH(bool, gradeChoice);
        QFETCH(int, rows);
        QFETCH(int, grades);
        EditorContext e;
        // The editor started with the other program mode and base colours;
        // New or Open then gave the document these.
        e.settings.geometry.scanMode = uint8_t(scanMode == 0 ? 1 : 0);
        e.settings.geometry.baseColorNum = uint8_t(baseColours == 3 ? 1 : 3);
        GridGeometry g = e.doc.geometry();
        g.scanMode = uint8_t(scanMode);
        g.baseColorNum = uint8_t(baseColours);
        e.doc.setGeometry(g);
        ColourPanelDialog dialog(e.ctx);
        QCOMPARE(dialog.gradeBox()->isEnabled(), gradeChoice);
        QCOMPARE(dialog.model().table().rows, rows);
        QCOMPARE(dialog.model().table().grades, grades);
        // The palette file says which kind of program wrote it (byte 6 of
        // each record: '1' for a grey program).
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.col"));
        QVERIFY(dialog.model().saveFile(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.size() > 6);
        QCOMPARE(bytes.at(6), scanMode != 0 ? '1' : '\0');
    }

    void okWithAnEmptyListKeepsThePaletteAndClosingSelectsEntryZero()
    {
        EditorContext e;
        e.palette.colours = {1, 2, 3};
        e.palette.selectEntry(2);
        PaletteBar bar(e.ctx);
        // The panel is modal: answer it from inside its event loop.
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<ColourPanelDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("clear")), Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("confirm")), Qt::LeftButton);
        });
        bar.openColourPanel();
        QCOMPARE(e.palette.colours, (std::vector<ColorValue>{1, 2, 3}));
        QCOMPARE(e.palette.selected, 0);
        QCOMPARE(e.palette.currentColour, ColorValue(1));

        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<ColourPanelDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("delete")), Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("confirm")), Qt::LeftButton);
        });
        bar.openColourPanel();
        QCOMPARE(e.palette.colours, (std::vector<ColorValue>{1, 2}));
    }

    void englishTextsComeFromTheLanguageFile()
    {
        Language::setCode(Language::English);
        EditorContext e;
        ColourPanelDialog dialog(e.ctx);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Palette"));
        QCOMPARE(dialog.modeBox()->itemText(0), QStringLiteral("Single color"));
        QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("system"))->text(), QStringLiteral("System colours"));
        Language::setCode(Language::Chinese);
    }
};

#include "app_test.h"
APP_TEST(PaletteWidgetsTest)
#include "palette_widgets_test.moc"
