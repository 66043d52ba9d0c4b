#pragma once
// Live network output: while it is enabled, every frame the editor shows
// goes to the receiver — each playback step, and the edited frame while
// not playing, as a live preview. The editor's thread only fills the
// channels and hands them to the sender's worker thread; the status bar
// shows the protocol, the receiver and the frames sent and dropped.
//
// The settings live in section "Network" of the settings file; the dialog
// changes them and this object saves them and restarts the sender.

#include "output/network/network_output_settings.h"

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <memory>

struct AppContext;
class NetworkSender;
class QTimer;

class NetworkOutput : public QObject
{
    Q_OBJECT
public:
    // Reads the settings file of `settingsPath` (none: the defaults, kept
    // in memory only) and starts sending when they say so.
    NetworkOutput(AppContext &ctx, const QString &settingsPath, QObject *parent = nullptr);
    ~NetworkOutput() override;

    const NetworkOutputSettings &settings() const { return m_settings; }
    // Takes new settings: saves them, stops the sender and starts one for
    // them when they are enabled, then sends the frame on screen.
    void apply(const NetworkOutputSettings &settings);
    // The dialog; OK applies its values.
    void openDialog();

    bool sending() const { return m_sender != nullptr; }
    NetworkSender *sender() const { return m_sender.get(); }
    QLabel *statusIndicator() const { return m_status; }
    // The status read-out as the indicator shows it.
    QString statusText() const;

    // Hands the current frame to the sender (the document's signals call it).
    void sendCurrentFrame();

private:
    void start();
    void stop();
    void onHostNotFound(const QString &host);
    // Builds the map when the document or the settings changed since. A
    // wiring that needs universes past the protocol's switches the output
    // off and says so (false), rather than sending part of it.
    bool refreshMap();
    void refreshStatus();

    AppContext &m_ctx;
    QString m_settingsPath;
    NetworkOutputSettings m_settings;
    std::unique_ptr<NetworkSender> m_sender;
    NetworkOutputMap m_map;
    bool m_mapStale = true;
    // The status bar owns the indicator and may go first when the window closes.
    QPointer<QLabel> m_status;
    QTimer *m_statusTimer = nullptr;
};

namespace NetworkOutputText {
QString hostNotFound(const QString &host);
QString settingsNotSaved(const QString &path);
QString status(const NetworkOutputSettings &settings, uint64_t sent, uint64_t dropped);
} // namespace NetworkOutputText
