// Synchronous USB output in the running editor, over a scripted bus: what
// Play, each playback step, Stop and the area buttons send, what a switch
// that is off or an empty list sends (nothing, and no new listing), how a
// failed frame ends playback, and that a controller keeping a transfer
// waiting does not hold up the playback timer.

#include "shell_test_support.h"
#include "usb_test_support.h"

#include "document/transform_resize.h"
#include "editing/operation_panel.h"
#include "links/usb/usb_frame_payload.h"
#include "links/usb_output.h"
#include "shell/main_window.h"
#include "shell/playback_controller.h"
#include "wiring/wiring_editor.h"
#include "wiring/wiring_files.h"
#include "wiring/wiring_tool_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

class UsbOutputTest : public QObject
{
    Q_OBJECT
private slots:
    void playSendsTheCommandTheBlockAFramePerStepAndStopTheStopCommand();
    void switchOffOrNoControllerSendsNothingAndListsNothingAgain_data();
    void switchOffOrNoControllerSendsNothingAndListsNothingAgain();
    void aStalledTransferDoesNotHoldUpTheTimer();
    void aFrameThatDoesNotGoOutReopensTheLinkAndStopsPlayback_data();
    void aFrameThatDoesNotGoOutReopensTheLinkAndStopsPlayback();
    void areaCancelSendsTheFrameAndAreaMoveTheParameterBlock();
    void pluggingInOrOutListsAgainAndOpensTheFirst();
    void tooManyPortsForTheModelAreRefusedBeforeAnythingIsBuilt();
    void aControllerThisUserMayNotOpenIsNamedWithTheUdevRule();
    void theFrameAfterAWiringChangeFollowsTheChange();
};

namespace {

using UsbBytes = std::vector<uint8_t>;

// An editor on a scripted bus with `controllers` controllers and a 2 x 3
// project of four frames, frame i all red i + 1; port 0 runs pixels 0..2
// along the top row, port 1 pixels 0..1 along the bottom row. The
// controller is model 1, format 0, 256 grey levels, so a frame's payload is
// 18 bytes.
struct UsbEditor
{
    std::shared_ptr<UsbBusScript> bus = std::make_shared<UsbBusScript>();
    TestEditor e;

    explicit UsbEditor(int controllers = 1)
        : e([this, controllers](EditorOptions &o) {
              bus->plugIn(controllers);
              useScriptedUsb(o, bus);
          })
    {
        e.newGrid(QStringLiteral("2"), QStringLiteral("3"));
        Document &d = e.doc();
        for (int i = 1; i < 4; ++i)
            d.insertFrameAfterCurrent(Frame(6, makeColor(unsigned(i + 1), 0, 0)));
        d.goToFrame(0);
        d.storeFrame(Frame(6, makeColor(1, 0, 0)));
        for (int k = 0; k < 3; ++k)
            d.wiring().append(WiringPixel{.port = 0, .pixel = k, .column = k, .row = 0});
        for (int k = 0; k < 2; ++k)
            d.wiring().append(WiringPixel{.port = 1, .pixel = k, .column = k, .row = 1});
        ControllerParams &c = e.app->context().controller;
        c.controllerModel = 1;
        c.communicationFormat = 0;
        c.greyLevels = 256;
        settle();
    }

    UsbOutput &usb() { return e.window().usbOutput(); }
    OperationPanel &panel() { return *e.window().operationPanel(); }
    PlaybackController &playback() { return e.window().playback(); }
    // Every job handed to the transfer thread has run and its result is in.
    void settle()
    {
        usb().runner().waitForJobs();
        QCoreApplication::processEvents();
    }
    void switchOn() { panel().usbSwitch()->click(); }
    void tickAndSettle()
    {
        playback().tick();
        settle();
    }
};

// The payload of a frame whose wired points are all red `red`: red of port
// 0 pixel 0, of port 1 pixel 0, green, green, blue, blue, then pixel 1 the
// same, then pixel 2, which port 1 lacks.
UsbBytes redFramePayload(uint8_t red)
{
    return {red, red, 0, 0, 0, 0, red, red, 0, 0, 0, 0, red, 0, 0, 0, 0, 0};
}

// The size message and the one chunk that carry an 18-byte payload.
std::vector<UsbBytes> frameWrites(uint8_t red)
{
    UsbBytes chunk{0x03, 0x01, 18, 0};
    const UsbBytes payload = redFramePayload(red);
    chunk.insert(chunk.end(), payload.begin(), payload.end());
    return {{0x01, 22, 0}, chunk};
}

std::vector<UsbBytes> commandWrites(uint8_t code)
{
    return {{0x01, 8, 0}, {0x04, 0x00, 0x00, 0x00, 0x03, 0x00, 0x01, code}};
}

std::vector<UsbBytes> joined(std::initializer_list<std::vector<UsbBytes>> parts)
{
    std::vector<UsbBytes> all;
    for (const auto &p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

} // namespace

void UsbOutputTest::playSendsTheCommandTheBlockAFramePerStepAndStopTheStopCommand()
{
    UsbEditor u;
    QCOMPARE(u.panel().usbList()->count(), 1);
    QCOMPARE(u.panel().usbList()->itemText(0), QStringLiteral("Zarimo-USB"));
    QVERIFY(u.panel().usbList()->isEnabled());
    QVERIFY(u.panel().usbSwitch()->isEnabled());
    QVERIFY(!u.usb().switchOn());
    u.switchOn();

    u.playback().play();
    u.settle();
    const std::vector<UsbBytes> atPlay = u.bus->writesSoFar();
    QCOMPARE(atPlay.size(), size_t(4));
    QCOMPARE(std::vector<UsbBytes>(atPlay.begin(), atPlay.begin() + 2), commandWrites(0x91));
    QCOMPARE(atPlay[2], (UsbBytes{0x01, 16, 0}));
    const UsbBytes &block = atPlay[3];
    QCOMPARE(block.size(), size_t(16));
    QCOMPARE(block[0], uint8_t(0x02));
    QCOMPARE(block[1] | block[2] << 8, 18); // D
    QCOMPARE(int(block[3]), 2);            // lanes: the two ports
    QCOMPARE(int(block[8]), 255);          // grey levels - 1
    QCOMPARE(block[9] | block[10] << 8, 4); // frames of the document
    QCOMPARE(block[13] | block[14] << 8, 9); // bytes per lane

    // The frames handed over, as the steps showed them (on a busy machine
    // the playback timer may add a step of its own between ours).
    std::vector<std::vector<UsbBytes>> expected{atPlay};
    u.playback().onPlayStep = [&](int shown) {
        if (!u.usb().runner().sendBusy())
            expected.push_back(frameWrites(uint8_t(shown + 1)));
        u.usb().playStep();
    };
    for (int i = 0; i < 3; ++i)
        u.tickAndSettle();
    u.playback().stop();
    u.settle();
    QVERIFY(expected.size() >= 4);
    expected.push_back(commandWrites(0x92));
    std::vector<UsbBytes> all;
    for (const auto &part : expected)
        all.insert(all.end(), part.begin(), part.end());
    QCOMPARE(u.bus->writesSoFar(), all);
    // The steps showed the frames in turn from the current one.
    QCOMPARE(u.bus->writesSoFar()[5], frameWrites(1)[1]);
    QVERIFY(u.e.prompt.shown.empty());
}

void UsbOutputTest::switchOffOrNoControllerSendsNothingAndListsNothingAgain_data()
{
    QTest::addColumn<int>("controllers");
    QTest::addColumn<bool>("switchOn");
    QTest::newRow("switch off, controller there") << 1 << false;
    QTest::newRow("switch on, no controller") << 0 << true;
}

void UsbOutputTest::switchOffOrNoControllerSendsNothingAndListsNothingAgain()
{
    QFETCH(int, controllers);
    QFETCH(bool, switchOn);
    UsbEditor u(controllers);
    if (switchOn)
        u.switchOn();
    const int listings = u.bus->listingsSoFar();
    QCOMPARE(listings, 1); // when the panel was made
    u.playback().play();
    for (int i = 0; i < 5; ++i)
        u.tickAndSettle();
    u.playback().stop();
    u.panel().cancelButton()->click();
    u.settle();
    QVERIFY(u.bus->writesSoFar().empty());
    QCOMPARE(u.bus->listingsSoFar(), listings);
    QCOMPARE(u.panel().usbList()->count(), controllers);
}

void UsbOutputTest::aStalledTransferDoesNotHoldUpTheTimer()
{
    UsbEditor u;
    {
        const std::lock_guard hold(u.bus->lock);
        u.bus->stallWriteAt = 4; // the size message of the first frame
        u.bus->stallMs = 2000;
    }
    u.switchOn();
    QList<qint64> tickTimes;
    QElapsedTimer clock;
    clock.start();
    u.playback().play();
    u.playback().onPlayStep = [&](int) {
        tickTimes << clock.elapsed();
        u.usb().playStep();
    };
    QTest::qWait(1200);
    const int period = u.playback().period();
    const qint64 watched = clock.elapsed();
    u.playback().stop();

    // The timer went on at its period while the frame hung on the link.
    QVERIFY2(tickTimes.size() >= watched / period / 2,
             qPrintable(QStringLiteral("%1 ticks in %2 ms at %3 ms").arg(tickTimes.size()).arg(watched).arg(period)));
    qint64 longestGap = tickTimes.value(0);
    for (int i = 1; i < tickTimes.size(); ++i)
        longestGap = std::max(longestGap, tickTimes[i] - tickTimes[i - 1]);
    QVERIFY2(longestGap < 1000, qPrintable(QStringLiteral("a tick came %1 ms after the one before").arg(longestGap)));
    // Only the first frame went to the link; the steps after it were skipped.
    QCOMPARE(u.usb().skippedSteps(), int(tickTimes.size()) - 1);
    QVERIFY(u.usb().runner().sendBusy());
    QCOMPARE(u.bus->writesSoFar().size(), size_t(5));
}

void UsbOutputTest::aFrameThatDoesNotGoOutReopensTheLinkAndStopsPlayback_data()
{
    QTest::addColumn<int>("failingWrite");
    QTest::addColumn<QString>("message");
    QTest::newRow("size message") << 4 << QStringLiteral("Target device failure while sending file size information.");
    // A lost chunk fails the transfer as the size message does.
    QTest::newRow("chunk") << 5 << QStringLiteral("Target device failure while sending file data.\nCheck file size.");
}

void UsbOutputTest::aFrameThatDoesNotGoOutReopensTheLinkAndStopsPlayback()
{
    QFETCH(int, failingWrite);
    QFETCH(QString, message);
    UsbEditor u;
    u.bus->failWriteAt = failingWrite;
    u.switchOn();
    u.playback().play();
    u.settle();
    u.tickAndSettle();
    u.settle(); // the reopening and the stop command queued by the result
    QVERIFY(!u.playback().isPlaying());
    QCOMPARE(u.e.prompt.texts(), QStringList{message});
    QCOMPARE(u.bus->listingsSoFar(), 2);
    QCOMPARE(u.bus->openedSoFar().size(), size_t(2));
    // The stop command went out on the reopened link.
    const std::vector<UsbBytes> writes = u.bus->writesSoFar();
    QCOMPARE(std::vector<UsbBytes>(writes.end() - 2, writes.end()), commandWrites(0x92));
}

void UsbOutputTest::areaCancelSendsTheFrameAndAreaMoveTheParameterBlock()
{
    UsbEditor u;
    u.switchOn();
    u.e.doc().goToFrame(2);
    u.panel().cancelButton()->click();
    u.settle();
    QCOMPARE(u.bus->writesSoFar(), frameWrites(3));

    // The move dialog closed with Cancel still sends the block.
    QTimer::singleShot(0, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    u.panel().moveButton()->click();
    u.settle();
    const std::vector<UsbBytes> writes = u.bus->writesSoFar();
    QCOMPARE(writes.size(), size_t(4));
    QCOMPARE(writes[2], (UsbBytes{0x01, 16, 0}));
    QCOMPARE(writes[3][0], uint8_t(0x02));
}

void UsbOutputTest::pluggingInOrOutListsAgainAndOpensTheFirst()
{
    UsbEditor u(2);
    QComboBox *list = u.panel().usbList();
    QCOMPARE(list->count(), 2);
    QCOMPARE(u.bus->openedSoFar(), std::vector<QString>{QStringLiteral("bus 1 port 1")});

    // Choosing the second controller opens it.
    list->setCurrentIndex(1);
    emit list->activated(1);
    u.settle();
    QCOMPARE(u.bus->openedSoFar().back(), QStringLiteral("bus 1 port 2"));
    QCOMPARE(list->currentIndex(), 1);

    u.bus->plugIn(3);
    u.usb().devicesChanged();
    u.settle();
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->currentIndex(), 0);
    QCOMPARE(u.bus->openedSoFar().back(), QStringLiteral("bus 1 port 1"));

    u.bus->plugIn(0);
    u.usb().devicesChanged();
    u.settle();
    QCOMPARE(list->count(), 0);
    QVERIFY(!u.usb().devicePresent());
    QVERIFY(u.e.prompt.shown.empty());
}

void UsbOutputTest::tooManyPortsForTheModelAreRefusedBeforeAnythingIsBuilt()
{
    UsbEditor u;
    // Nine ports, one point each, on a model that carries eight.
    Wiring &w = u.e.doc().wiring();
    w.assign({});
    for (int p = 0; p < 9; ++p)
        w.append(WiringPixel{.port = p, .pixel = 0, .column = p % 3, .row = p / 3 % 2});
    u.e.app->context().controller.controllerModel = 0;
    u.switchOn();
    u.playback().play();
    u.settle();
    QVERIFY(!u.playback().isPlaying());
    QCOMPARE(u.e.prompt.texts(),
             QStringList{QStringLiteral("The wiring uses 9 ports, but this controller model has only 8: the frames "
                                        "cannot be sent.")});
    // No block and no frame: the play command and, at the stop, the stop
    // command.
    QCOMPARE(u.bus->writesSoFar(), joined({commandWrites(0x91), commandWrites(0x92)}));
}

void UsbOutputTest::aControllerThisUserMayNotOpenIsNamedWithTheUdevRule()
{
    std::shared_ptr<UsbBusScript> bus = std::make_shared<UsbBusScript>();
    bus->plugIn(1);
    bus->openResult = UsbOpenResult::PermissionDenied;
    TestEditor e([&](EditorOptions &o) { useScriptedUsb(o, bus); });
    e.window().usbOutput().runner().waitForJobs();
    QCoreApplication::processEvents();
    QCOMPARE(e.prompt.texts(),
             QStringList{QStringLiteral("This user may not open the USB controller at bus 1 port 1.\nInstall the udev "
                                        "rule %1 with the controller's ids in it (cmake --install puts it there from "
                                        "resources/linux/), then plug the controller in again.")
                             .arg(QStringLiteral(BRIGHTLOOM_UDEV_RULE_FILE))});
    QCOMPARE(e.prompt.shown.front().icon, PromptIcon::Warning);
}

void UsbOutputTest::theFrameAfterAWiringChangeFollowsTheChange()
{
    UsbEditor u;
    Document &d = u.e.doc();
    // Every point a colour of its own, so that each lamp shows where it is.
    const auto paintPoints = [&] {
        Frame distinct(size_t(d.pointCount()));
        for (size_t i = 0; i < distinct.size(); ++i)
            distinct[i] = makeColor(unsigned(i + 1) * 16, unsigned(i + 1) * 16 + 1, unsigned(i + 1) * 16 + 2);
        d.storeFrame(distinct);
    };
    paintPoints();
    u.switchOn();
    // The frame the area's Cancel sends, as payload bytes (one chunk).
    const auto sent = [&] {
        u.panel().cancelButton()->click();
        u.settle();
        const UsbBytes chunk = u.bus->writesSoFar().back();
        return UsbBytes(chunk.begin() + 4, chunk.end());
    };
    // What the wiring, grid and frame of the moment give, worked out afresh.
    const auto afresh = [&] {
        return buildUsbFramePayload(*d.currentFrame(), d.rows(), d.cols(), d.wiring(), u.e.app->context().controller)
            .bytes;
    };
    const UsbBytes first = sent();
    QCOMPARE(first, afresh());

    MainWindow &w = u.e.window();
    w.toolTabs()->setCurrentWidget(w.wiringPage());
    QVERIFY(w.wiringPage()->isWiringMode());
    WiringEditor &editor = w.wiringPage()->editor();
    editor.setPortBox(3);
    editor.press(QPoint(2, 1), {});
    editor.release(QPoint(2, 1), {});
    QCOMPARE(d.wiring().count(), 6);
    const UsbBytes defined = sent();
    QCOMPARE(defined, afresh());
    QVERIFY(defined != first);

    editor.undoButton();
    QCOMPARE(sent(), first);

    const QString line = u.e.dir.filePath(QStringLiteral("other.line"));
    QVERIFY(writeLineFile(line, 2, 3, uint8_t(CircuitryKind::Led),
                          {WiringPixel{.port = 0, .pixel = 0, .column = 2, .row = 1},
                           WiringPixel{.port = 0, .pixel = 1, .column = 0, .row = 0}}));
    u.e.prompt.answers.push_back(PromptAnswer::Yes); // replace the wiring
    QVERIFY(editor.openFile(line));
    const UsbBytes loaded = sent();
    QCOMPARE(loaded, afresh());
    QCOMPARE(loaded, (UsbBytes{0x60, 0x61, 0x62, 0x10, 0x11, 0x12}));

    // A column more keeps every point's colour and the wiring, so every
    // lamp shows what it showed: from points numbered anew.
    QVERIFY(addColumn(d));
    QCOMPARE(d.wiring().count(), 2);
    QCOMPARE(sent(), loaded);

    // A new project of another size starts without wiring.
    u.e.prompt.answers = {PromptAnswer::No, PromptAnswer::No}; // neither the project nor the wiring saved
    QVERIFY(u.e.newGrid(QStringLiteral("3"), QStringLiteral("2")));
    paintPoints();
    QCOMPARE(d.wiring().count(), 0);
    QCOMPARE(sent(), (UsbBytes{0, 0, 0}));
    editor.press(QPoint(1, 2), {});
    editor.release(QPoint(1, 2), {});
    // Still on port 3: ports 1 and 2 give zeros.
    QCOMPARE(sent(), (UsbBytes{0, 0, 0x60, 0, 0, 0x61, 0, 0, 0x62}));
}

QTEST_MAIN(UsbOutputTest)
#include "usb_output_test.moc"
