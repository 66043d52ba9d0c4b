// The serial link's items in the "硬件配置" menu of the whole editor: each
// opens its dialog over the main window, sending waits for a frame, and the
// port chosen in the port dialog is the one the two forms open.

#include "shell_test_support.h"

#include "common/command_ids.h"
#include "links/data_send_form.h"
#include "links/program_update_form.h"
#include "links/serial_port_choice.h"
#include "links/serial_port_dialog.h"
#include "serial/serial_port_link.h"
#include "simulated_controller.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

constexpr int kBuildMenu = 5;

// The item of `id` in the Build menu, or null.
QAction *buildItem(TestEditor &e, int id)
{
    for (QAction *a : e.menu(kBuildMenu)->actions())
        if (!a->isSeparator() && a->data().toInt() == id)
            return a;
    return nullptr;
}

struct Opened
{
    QString className; // empty when no modal dialog opened
    QWidget *parent = nullptr;
};

// Triggers `item`, runs `act` on the modal dialog it opens and closes the
// dialog again if `act` left it open.
Opened open(QAction *item, const std::function<void(QDialog &)> &act = {})
{
    Opened opened;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        opened.className = QString::fromLatin1(dialog->metaObject()->className());
        opened.parent = dialog->parentWidget();
        if (act)
            act(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    timer.start(0);
    item->trigger();
    QCoreApplication::processEvents();
    return opened;
}

} // namespace

class SerialCommandsTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { serialPortName().clear(); }

    void itemsFollowTheDataCommandsAndSendWaitsForAFrame()
    {
        TestEditor e;
        QVERIFY(e.commands().isEnabled(Cmd::ChooseSerialPort));
        QVERIFY(e.commands().isEnabled(Cmd::UpdateControllerProgram));
        QCOMPARE(e.doc().frameCount(), 0);
        QVERIFY(!e.commands().isEnabled(Cmd::SendFrameData));

        QVERIFY(e.newGrid(QStringLiteral("4"), QStringLiteral("6")));
        QVERIFY(e.commands().isEnabled(Cmd::SendFrameData));
        const QStringList items = e.itemTexts(kBuildMenu);
        // The serial items form a group of their own; other groups may follow it.
        const qsizetype at = items.indexOf(QStringLiteral("Serial Port..."));
        QVERIFY(at > 0);
        QCOMPARE(items.mid(at - 1, 4),
                 (QStringList{"-", "Serial Port...", "Send Frames to Controller...", "Update Controller Program..."}));
        QVERIFY(buildItem(e, Cmd::SendFrameData)->isEnabled());
    }

    void eachItemOpensItsDialogOverTheWindow()
    {
        TestEditor e;
        e.makeFrames(4, 6, 2);
        // No port chosen yet: the forms open and say so.
        const Opened send = open(buildItem(e, Cmd::SendFrameData));
        QCOMPARE(send.className, QStringLiteral("DataSendForm"));
        QCOMPARE(send.parent, &e.window());
        const Opened update = open(buildItem(e, Cmd::UpdateControllerProgram));
        QCOMPARE(update.className, QStringLiteral("ProgramUpdateForm"));
        QCOMPARE(update.parent, &e.window());
        QCOMPARE(e.prompt.texts(), (QStringList{noPortText(), noPortText()}));

        const Opened port = open(buildItem(e, Cmd::ChooseSerialPort));
        QCOMPARE(port.className, QStringLiteral("SerialPortDialog"));
        QCOMPARE(port.parent, &e.window());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void theChosenPortIsTheOneTheFormsOpen()
    {
        SimulatedController controller;
        std::string error;
        QVERIFY2(controller.start(&error), error.c_str());
        const QString path = QString::fromStdString(controller.portPath());

        TestEditor e;
        e.makeFrames(4, 6, 2);
        open(buildItem(e, Cmd::ChooseSerialPort), [&](QDialog &d) {
            auto &dialog = static_cast<SerialPortDialog &>(d);
            dialog.portBox()->setEditText(path);
            dialog.okButton()->click();
        });
        QCOMPARE(serialPortName(), path);

        bool sendOpen = false;
        open(buildItem(e, Cmd::SendFrameData),
             [&](QDialog &d) { sendOpen = static_cast<SerialTransferForm &>(d).portOpen(); });
        bool updateOpen = false;
        open(buildItem(e, Cmd::UpdateControllerProgram),
             [&](QDialog &d) { updateOpen = static_cast<SerialTransferForm &>(d).portOpen(); });
        QVERIFY(sendOpen);
        QVERIFY(updateOpen);
        QCOMPARE(e.prompt.texts(), QStringList());
    }
};

#include "app_test.h"
APP_TEST(SerialCommandsTest)
#include "serial_commands_test.moc"
