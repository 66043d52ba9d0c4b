#pragma once
// Plays the frames as an animation: a timer of 1000 / PlaySpeed ms moves
// the current frame round the sequence, and the play panel's index field
// shows the frame on screen. Stop puts back the frame that was current
// when Play was chosen, and the field and slider show it again.
//
// Anything that frees or replaces frames calls stop() first, so no tick and
// no Stop ever refers to a frame that is gone; the document's replace and
// frame-list signals stop playback as a safety net.

#include <QObject>
#include <QTimer>
#include <functional>

class Document;
class PlayPanel;

class PlaybackController : public QObject
{
    Q_OBJECT
public:
    PlaybackController(Document &doc, PlayPanel &panel, QObject *parent = nullptr);

    bool isPlaying() const { return m_playing; }
    // Play is offered when not playing and there is more than one frame.
    bool canPlay() const;

    void play();
    void stop();

    // The period for a speed: 1000 / speed ms, integer division, a speed of
    // 0 or less counting as 1.
    static int periodFor(int framesPerSecond);
    int period() const { return m_timer.interval(); }
    // Ticks since Play (for the timing check and the USB output).
    qint64 tickCount() const { return m_ticks; }

    // Runs one timer step (the timer calls it; tests may too).
    void tick();

    // The USB output's hooks (synchronous output to a controller).
    std::function<void()> onPlayStart;
    std::function<void(int frameIndex)> onPlayStep;
    std::function<void()> onPlayStop;

signals:
    // Play or Stop happened: the window changes its layout, the canvas
    // draws only the wired points while playing.
    void playingChanged(bool playing);

private:
    void onSpeedChanged(int framesPerSecond);

    Document &m_doc;
    PlayPanel &m_panel;
    QTimer m_timer;
    bool m_playing = false;
    int m_position = 0;      // the next frame to show
    int m_restoreIndex = -1; // current frame when Play was chosen
    qint64 m_ticks = 0;
};
