// The serial port dialog, the data send form and the program update form
// on their own, with a simulated controller on a pseudo-terminal where a
// transfer has to reach one: texts, checks and messages, the busy state
// that keeps the forms open, and what the controller received.

#include "document/document.h"
#include "links/data_send_form.h"
#include "links/program_update_form.h"
#include "links/serial_port_choice.h"
#include "links/serial_port_dialog.h"
#include "scripted_prompt.h"
#include "settings/language.h"
#include "simulated_controller.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A 3 x 8 grid whose colours name row, column and frame.
std::unique_ptr<Document> document(int frames)
{
    GridGeometry g;
    g.rows = 3;
    g.cols = 8;
    auto doc = std::make_unique<Document>(g);
    for (int f = 0; f < frames; ++f) {
        Frame frame(24);
        for (int i = 0; i < 24; ++i)
            frame[size_t(i)] = makeColor(unsigned(i / 8), unsigned(i % 8), unsigned(f));
        doc->frames().append(std::move(frame));
    }
    return doc;
}

QString writeProgram(const QTemporaryDir &dir, const char *name, int size)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i * 7 + 1);
    f.write(bytes);
    return path;
}

QString portOf(const SimulatedController &c) { return QString::fromStdString(c.portPath()); }

const SerialPortEntry kUsb{QStringLiteral("ttyUSB0"), QStringLiteral("USB-Serial Controller"),
                           QStringLiteral("Prolific Technology Inc.")};
const SerialPortEntry kBuiltIn{QStringLiteral("ttyS0"), QString(), QString()};

} // namespace

class SerialFormsTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
        Language::setCode(Language::Chinese);
        serialPortName().clear();
    }

    // --- port dialog ---------------------------------------------------------

    void portDialogChoosesTheFirstPortEvenWhenCancelled()
    {
        ScriptedPrompt prompt;
        SerialPortDialog dialog({kUsb, kBuiltIn}, prompt);
        QCOMPARE(dialog.portBox()->count(), 2);
        QCOMPARE(dialog.portBox()->currentText(), QStringLiteral("ttyUSB0"));
        QCOMPARE(dialog.detailsLabel()->text(), QStringLiteral("USB-Serial Controller (Prolific Technology Inc.)"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("串口设置"));
        QCOMPARE(serialPortName(), QStringLiteral("ttyUSB0"));
        dialog.portBox()->setCurrentIndex(1);
        QCOMPARE(dialog.detailsLabel()->text(), QString());
        dialog.cancelButton()->click();
        QCOMPARE(serialPortName(), QStringLiteral("ttyUSB0"));
        QVERIFY(prompt.shown.empty());
    }

    void portDialogTakesAFullDevicePathAndListsItNextTime()
    {
        ScriptedPrompt prompt;
        const QString path = QStringLiteral("/dev/serial/by-id/usb-Prolific_Technology_Inc._USB-Serial-if00-port0");
        {
            SerialPortDialog dialog({kUsb}, prompt);
            dialog.portBox()->setEditText(path);
            dialog.okButton()->click();
        }
        QCOMPARE(serialPortName(), path); // more than ten characters, kept whole
        SerialPortDialog again({kUsb}, prompt);
        QCOMPARE(again.portBox()->count(), 2);
        QCOMPARE(again.portBox()->itemText(0), path);
        QCOMPARE(serialPortName(), path);
    }

    void portDialogWithoutPortsSaysSo()
    {
        Language::setCode(Language::English);
        ScriptedPrompt prompt;
        SerialPortDialog dialog({}, prompt);
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("No serial port is available!")});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Serial Port"));
        QVERIFY(serialPortName().isEmpty());
    }

    // --- data send form --------------------------------------------------------

    void sendFormTextsFollowTheLanguageAndKeepTheTubeModel()
    {
        auto doc = document(5);
        ScriptedPrompt prompt;
        DataSendForm form(*doc, prompt);
        QCOMPARE(form.endEdit()->text(), QStringLiteral("5"));
        QCOMPARE(form.startEdit()->text(), QStringLiteral("1"));
        QCOMPARE(form.tubeCountEdit()->text(), QStringLiteral("0"));
        QVERIFY(form.rectangularButton()->isChecked());
        QCOMPARE(form.sendButton()->text(), QStringLiteral("发送"));
        QCOMPARE(form.tubeModelBox()->itemText(1), QStringLiteral("大功率"));
        form.tubeModelBox()->setCurrentIndex(2);
        Language::setCode(Language::English);
        form.applyTexts();
        QCOMPARE(form.tubeModelBox()->count(), 4);
        QCOMPARE(form.tubeModelBox()->currentIndex(), 2);
        QCOMPARE(form.tubeModelBox()->itemText(1), QStringLiteral("High power"));
        QCOMPARE(form.sendButton()->text(), QStringLiteral("Send"));
        QCOMPARE(form.irregularButton()->text(), QStringLiteral("Irregular"));
    }

    void sendFormChecksItsFields_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("tubes");
        QTest::addColumn<bool>("irregular");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString positive = QStringLiteral("请输入一个大于0的整数!");
        const QString order = QStringLiteral("输入错误！开始帧或结束帧超出范围。"); // the language file's text
        QTest::newRow("start 0") << "0" << "3" << "1" << false << positive << "StartFrame";
        QTest::newRow("end text") << "1" << "x" << "1" << false << positive << "EndFrame";
        QTest::newRow("no tubes") << "1" << "3" << "0" << false << positive << "TubeCount";
        QTest::newRow("start after end") << "3" << "2" << "1" << false << order << "";
        QTest::newRow("no wiring") << "1" << "3" << "1" << true << QStringLiteral("请先进行线路定义。") << "";
        // Not "start after end": the start lies past the last frame.
        QTest::newRow("start beyond the frames")
            << "6" << "9" << "1" << false << QStringLiteral("起始帧超出最后一帧,请重新选择!") << "";
    }
    void sendFormChecksItsFields()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, tubes);
        QFETCH(bool, irregular);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        auto doc = document(5);
        ScriptedPrompt prompt;
        DataSendForm form(*doc, prompt);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.startEdit()->setText(start);
        form.endEdit()->setText(end);
        form.tubeCountEdit()->setText(tubes);
        (irregular ? form.irregularButton() : form.rectangularButton())->setChecked(true);
        form.sendButton()->setFocus();
        form.sendButton()->click();
        QCOMPARE(prompt.texts(), QStringList{message});
        QVERIFY(!form.busy());
        if (!focus.isEmpty())
            QCOMPARE(form.focusWidget() ? form.focusWidget()->objectName() : QString(), focus);
    }

    void sendWithoutAPortFailsAtOnce()
    {
        auto doc = document(2);
        ScriptedPrompt prompt;
        DataSendForm form(*doc, prompt);
        form.openPort(QString());
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("没有可用的串口!")});
        form.openPort(QStringLiteral("ttyNoSuchPort7"));
        QCOMPARE(prompt.lastText(), QStringLiteral("打开ttyNoSuchPort7失败!"));
        QVERIFY(!form.portOpen());

        form.tubeCountEdit()->setText(QStringLiteral("1"));
        QSignalSpy finished(&form, &SerialTransferForm::transferFinished);
        QElapsedTimer t;
        t.start();
        form.sendButton()->click();
        QVERIFY(finished.wait(2000));
        QVERIFY(t.elapsed() < 1000); // not 101 handshakes into nothing
        QCOMPARE(prompt.lastText(), QStringLiteral("建立连接失败，请检查线路是否正常!"));
        QCOMPARE(prompt.shown.back().icon, PromptIcon::Error);
    }

    void sendDeliversTheFramesAndStaysOpenWhileRunning()
    {
        SimulatedController controller;
        QVERIFY(controller.start());
        auto doc = document(4);
        ScriptedPrompt prompt;
        DataSendForm form(*doc, prompt);
        std::vector<int> progress;
        form.setProgress([&](int p) { progress.push_back(p); });
        form.openPort(portOf(controller));
        QVERIFY(prompt.shown.empty());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        // Frames 2..9, cut to 2..4: 3 x 72 bytes in 4 packets.
        form.startEdit()->setText(QStringLiteral("2"));
        form.endEdit()->setText(QStringLiteral("9"));
        form.tubeCountEdit()->setText(QStringLiteral("40"));
        form.tubeModelBox()->setCurrentIndex(3);
        QSignalSpy finished(&form, &SerialTransferForm::transferFinished);
        form.sendButton()->click();
        QVERIFY(form.busy());
        QVERIFY(!form.sendButton()->isEnabled());

        // Neither Cancel, the close button nor Escape closes the form now.
        form.cancelButton()->click();
        QVERIFY(!form.close());
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(form.isVisible());
        form.send(); // a second Send does nothing
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.count(), 1);

        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("数据发送成功!")});
        QVERIFY(!form.busy());
        QVERIFY(form.sendButton()->isEnabled());
        QCOMPARE(progress, (std::vector<int>{12, 25, 50, 0}));
        const SimulatedController::Record r = controller.record();
        QVERIFY(r.faults.empty());
        QCOMPARE(r.headerSends, 1);
        QCOMPARE(r.header[6], 3);  // tube model index
        QCOMPARE(r.header[7], 40); // tube count
        QCOMPARE(int(r.payload.size()), 3 * 72);
        for (int i = 0; i < 3 * 24; ++i) {
            const int f = 1 + i / 24, p = i % 24;
            QCOMPARE(r.payload[size_t(i * 3)], uint8_t(p / 8));
            QCOMPARE(r.payload[size_t(i * 3 + 1)], uint8_t(p % 8));
            QCOMPARE(r.payload[size_t(i * 3 + 2)], uint8_t(f));
        }

        // Idle again: Escape closes it.
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
    }

    // --- program update form ------------------------------------------------------

    void updateFormChecksTheFile()
    {
        Language::setCode(Language::English);
        QTemporaryDir dir;
        ScriptedPrompt prompt;
        ProgramUpdateForm form(prompt);
        QVERIFY(form.pathEdit()->isReadOnly());
        QCOMPARE(form.browseButton()->text(), QStringLiteral("Browse"));
        form.update();
        QCOMPARE(prompt.lastText(), QStringLiteral("Please choose a program file first!"));

        prompt.files = {writeProgram(dir, "short.bin", 4095)};
        form.browse();
        QCOMPARE(prompt.fileDialogFilters, QStringList{QStringLiteral("程序文件(*.bin);;所有文件(*)")});
        QCOMPARE(form.pathEdit()->text(), dir.filePath(QStringLiteral("short.bin")));
        form.update();
        QCOMPARE(prompt.lastText(), QStringLiteral("The program file must hold at least 4,096 bytes!"));
        QVERIFY(!form.busy());

        form.browse(); // cancelled: the path stays
        QCOMPARE(form.pathEdit()->text(), dir.filePath(QStringLiteral("short.bin")));
        QFile::remove(form.pathEdit()->text());
        form.update();
        QCOMPARE(prompt.lastText(), QStringLiteral("The file could not be opened!"));
    }

    void updateSendsTheProgramAndHoldsTheFormMeanwhile()
    {
        SimulatedController controller;
        QVERIFY(controller.start());
        QTemporaryDir dir;
        const QString path = writeProgram(dir, "controller.bin", 10000);
        ScriptedPrompt prompt;
        ProgramUpdateForm form(prompt);
        int lastProgress = -1, positions = 0;
        form.setProgress([&](int p) {
            lastProgress = p;
            ++positions;
        });
        form.openPort(portOf(controller));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        prompt.files = {path};
        form.browseButton()->click();
        QSignalSpy finished(&form, &SerialTransferForm::transferFinished);
        form.updateButton()->click();
        QVERIFY(form.busy());
        QVERIFY(!form.browseButton()->isEnabled());

        prompt.files = {dir.filePath(QStringLiteral("other.bin"))};
        form.browse(); // does nothing while busy
        QCOMPARE(prompt.fileDialogFilters.size(), 1);
        form.exitButton()->click();
        QVERIFY(!form.close());
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(form.isVisible());

        QVERIFY(finished.wait(8000));
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("数据发送成功!")});
        QCOMPARE(positions, 65);
        QCOMPARE(lastProgress, 0);
        const SimulatedController::Record r = controller.record();
        QVERIFY(r.programUpdate);
        QVERIFY(r.faults.empty());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray head = f.read(4096);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(r.payload.data()), qsizetype(r.payload.size())), head);
        form.exitButton()->click();
        QVERIFY(!form.isVisible());
    }
};

#include "app_test.h"
APP_TEST(SerialFormsTest)
#include "serial_forms_test.moc"
