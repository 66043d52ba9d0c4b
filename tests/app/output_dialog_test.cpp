// The output dialog: its defaults, the checks of confirm with their
// messages and focus, the file dialog, and the files it writes.

#include "document/document.h"
#include "language_test_support.h"
#include "output/output_dialog.h"
#include "scripted_prompt.h"
#include "settings/language.h"
#include "wired_grid.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A 2 x 3 grid with `frames` frames, fully wired on port 1; every point of
// frame f is (200, 100, f).
std::unique_ptr<Document> wiredDocument(int frames, CircuitryKind kind = CircuitryKind::Led)
{
    return makeWiredDocument(2, 3, frames, {.pointsPerPort = 6, .kind = kind},
                             [](int f, int) { return makeColor(200, 100, unsigned(f)); });
}

} // namespace

class OutputDialogTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { useBuiltInChineseTexts(m_dir); }
    void cleanup() { restoreDefaultTexts(); }

    void opensWithTheWholeDocumentAtThirtyFrames()
    {
        auto doc = wiredDocument(12);
        const ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        OutputDialog dialog(*doc, params, CircuitryKind::Led, prompt);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("led数据生成"));
        QCOMPARE(dialog.fromEdit()->text(), QStringLiteral("1"));
        QCOMPARE(dialog.toEdit()->text(), QStringLiteral("12"));
        QCOMPARE(dialog.speedEdit()->text(), QStringLiteral("30"));
        QCOMPARE(dialog.confirmButton()->text(), QStringLiteral("确定"));
    }

    void confirmRefusesBadValues_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString positive = QStringLiteral("请输入一个大于0的整数!");
        const QString range = QStringLiteral("起始帧小于结束帧,请重新选择!");
        QTest::newRow("from zero") << "0" << "5" << "30" << positive << "FromFrame";
        QTest::newRow("from text") << "abc" << "5" << "30" << positive << "FromFrame";
        QTest::newRow("to negative") << "1" << "-2" << "30" << positive << "ToFrame";
        QTest::newRow("speed zero") << "1" << "5" << "0" << positive << "Speed";
        QTest::newRow("from after to") << "6" << "5" << "30" << range << "";
        QTest::newRow("from past the end") << "13" << "20" << "30" << QStringLiteral("起始帧超出最后一帧,请重新选择!")
                                           << "";
    }

    void confirmRefusesBadValues()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, speed);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        auto doc = wiredDocument(12);
        const ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        OutputDialog dialog(*doc, params, CircuitryKind::Led, prompt);
        dialog.show();
        dialog.fromEdit()->setText(from);
        dialog.toEdit()->setText(to);
        dialog.speedEdit()->setText(speed);
        dialog.confirmButton()->click();
        QCOMPARE(prompt.texts(), QStringList{message});
        QVERIFY(prompt.fileDialogTitles.isEmpty());
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.result().has_value());
        if (!focus.isEmpty())
            QCOMPARE(dialog.focusWidget()->objectName(), focus);
    }

    void cancellingTheFileDialogKeepsItOpen()
    {
        auto doc = wiredDocument(3);
        const ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        OutputDialog dialog(*doc, params, CircuitryKind::Led, prompt);
        dialog.show();
        dialog.confirmButton()->click();
        QCOMPARE(prompt.fileDialogFilters, QStringList{QStringLiteral("Led file(*.led)")});
        QCOMPARE(prompt.saveDialogSuffixes, QStringList{QStringLiteral("led")});
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.result().has_value());
        QVERIFY(prompt.shown.empty());
    }

    void confirmWritesThePortFilesAndCloses()
    {
        auto doc = wiredDocument(3);
        ControllerParams params = ControllerParams::initial(3);
        params.communicationFormat = 0;
        ScriptedPrompt prompt;
        OutputDialog dialog(*doc, params, CircuitryKind::Led, prompt);
        // Grey levels are read from the panel while writing, not when the
        // dialog opened.
        params.greyLevels = 2;
        std::vector<int> progress;
        dialog.setProgress([&](int p) { progress.push_back(p); });
        dialog.show();
        dialog.fromEdit()->setText(QStringLiteral("2"));
        prompt.files = {m_dir.filePath(QStringLiteral("show.led"))};
        dialog.confirmButton()->click();
        QCOMPARE(dialog.result().value(), PortDataResult::Written);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("数据生成成功!")});
        QCOMPARE(progress, (std::vector<int>{25, 50, 0}));
        QFile f(m_dir.filePath(QStringLiteral("show_01.led")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(bytes.size(), 512 + 2 * 512);
        QCOMPARE(int(uint8_t(bytes[7])), 1);      // 2 grey levels
        QCOMPARE(int(uint8_t(bytes[512])), 200 >> 7);
    }

    void theNeonDialogAsksForBinFilesAtHalfHeight()
    {
        auto doc = wiredDocument(2, CircuitryKind::Neon);
        const ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        OutputDialog led(*doc, params, CircuitryKind::Led, prompt);
        OutputDialog neon(*doc, params, CircuitryKind::Neon, prompt);
        led.show();
        neon.show();
        QVERIFY(neon.height() < led.height() * 3 / 4);
        prompt.files = {m_dir.filePath(QStringLiteral("tube.bin"))};
        neon.confirmButton()->click();
        QCOMPARE(prompt.fileDialogFilters, QStringList{QStringLiteral("Bin file(*.bin)")});
        QCOMPARE(prompt.saveDialogSuffixes, QStringList{QStringLiteral("bin")});
        QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("tube_01.led"))));
    }

    void englishTextsComeFromTheLanguageFile()
    {
        Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
        Language::setCode(Language::English);
        auto doc = wiredDocument(2);
        const ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        OutputDialog dialog(*doc, params, CircuitryKind::Led, prompt);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Data output -------------- LED"));
        QCOMPARE(dialog.confirmButton()->text(), QStringLiteral("OK"));
    }

private:
    QTemporaryDir m_dir;
};

#include "app_test.h"
APP_TEST(OutputDialogTest)
#include "output_dialog_test.moc"
