#pragma once
// Synchronous USB output: the operation panel's controller list and "USB"
// switch (UsbSyncSwitch), and what playback and the area buttons send to
// the controller while the switch is on. At Play the play command and the
// parameter block, then the frame on screen at every playback step, and at
// Stop the stop command; cancelling the area sends the frame, moving it the
// parameter block.
//
// The transfers run on the USB transfer thread. A step that comes while the
// previous frame is still on its way (UsbSendBusy) sends nothing, so a slow
// controller drops frames instead of slowing playback down. A frame that
// did not go out reopens the link and ends playback.
//
// The controllers are those of the settings file's ids, watched for being
// plugged in and out; a test gives its own transport instead.

#include "usb/usb_transfer_runner.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

struct AppContext;
struct UsbFramePayload;
class UsbPayloadBuilder;
class LibusbHotplugWatcher;
class QCheckBox;
class QComboBox;

class UsbOutput : public QObject
{
    Q_OBJECT
public:
    UsbOutput(AppContext &ctx, QComboBox &list, QCheckBox &usbSwitch, QObject *parent = nullptr);
    ~UsbOutput() override;

    // The playback hooks: after the timer started, after each new frame is
    // current, after Stop.
    void playStarted();
    void playStep();
    void playStopped();
    // After the area was cancelled; after the area move dialog closed.
    void areaCancelled();
    void areaMoved();
    // A controller was plugged in or out: the list is made again and its
    // first controller opened.
    void devicesChanged();

    bool switchOn() const;
    // The last listing found a controller.
    bool devicePresent() const;
    // Why no controller can be listed (no ids in the settings, libusb not
    // working); empty when the bus is watched or a test's transport is used.
    QString unavailableReason() const { return m_unavailable; }
    // Steps that sent nothing because a frame was still on its way.
    int skippedSteps() const { return m_skippedSteps; }

    UsbTransferRunner &runner() { return *m_runner; }
    void applyTexts();

    // Ends playback (the main window's Stop).
    std::function<void()> stopPlayback;

signals:
    // The controller list was made again.
    void listed();

private:
    UsbTransferRunner::TransportFactory transportFactory();
    // The payload of the frame on screen; nothing when there is no frame or
    // the wiring does not fit the controller (then a message was shown).
    std::optional<UsbFramePayload> currentPayload();
    bool sendFrame();
    bool sendParameters();
    void onListed(const QStringList &entries);
    void onTransferFinished(UsbJob job, bool succeeded);
    void onMessage(const QString &text);

    AppContext &m_ctx;
    QComboBox &m_list;
    QCheckBox &m_switch;
    QString m_unavailable;
    QString m_lookingFor; // "1d50:6018" with the settings' ids
    std::unique_ptr<UsbTransferRunner> m_runner;
    // Keeps the payload plan of the wiring from step to step.
    std::unique_ptr<UsbPayloadBuilder> m_payloads;
    LibusbHotplugWatcher *m_watcher = nullptr;
    int m_selection = 0;
    bool m_playing = false;
    int m_skippedSteps = 0;
};
