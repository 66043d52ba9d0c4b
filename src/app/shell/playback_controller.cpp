#include "shell/playback_controller.h"

#include "document/document.h"
#include "shell/play_panel.h"

PlaybackController::PlaybackController(Document &doc, PlayPanel &panel, QObject *parent)
    : QObject(parent), m_doc(doc), m_panel(panel)
{
    // At 80 frames per second the 12 ms period must hold; a coarse timer
    // may be 5 % late on every tick.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &PlaybackController::tick);
    connect(&m_panel, &PlayPanel::playSpeedChanged, this, &PlaybackController::onSpeedChanged);
    connect(&m_doc, &Document::contentsReplaced, this, &PlaybackController::stop);
    connect(&m_doc, &Document::framesChanged, this, [this] {
        // The frames played are no longer the frames of the document.
        if (m_playing)
            stop();
    });
}

int PlaybackController::periodFor(int framesPerSecond)
{
    return 1000 / (framesPerSecond <= 0 ? 1 : framesPerSecond);
}

bool PlaybackController::canPlay() const { return !m_playing && m_doc.frameCount() > 1; }

void PlaybackController::play()
{
    if (!canPlay())
        return;
    m_playing = true;
    m_restoreIndex = m_doc.currentIndex();
    m_position = m_restoreIndex < 0 ? 0 : m_restoreIndex;
    m_ticks = 0;
    emit playingChanged(true);
    m_timer.start(periodFor(m_panel.playSpeed()));
    if (onPlayStart)
        onPlayStart();
}

void PlaybackController::tick()
{
    if (!m_playing)
        return;
    const int count = m_doc.frameCount();
    if (count <= 0) {
        stop();
        return;
    }
    if (m_position >= count)
        m_position = 0;
    const int shown = m_position;
    m_doc.goToFrame(shown);
    ++m_position;
    ++m_ticks;
    m_panel.showIndex(shown + 1);
    if (onPlayStep)
        onPlayStep(shown);
}

void PlaybackController::stop()
{
    if (!m_playing)
        return;
    m_playing = false;
    m_timer.stop();
    emit playingChanged(false);
    // The frame that was current goes back on screen, and the index field
    // and slider show it: a field still naming the last frame played would
    // describe a frame that is not the one shown (and not the one an edit
    // changes). Only when that frame still exists.
    if (m_restoreIndex >= 0 && m_restoreIndex < m_doc.frameCount()) {
        m_doc.goToFrame(m_restoreIndex);
        m_panel.showIndex(m_restoreIndex + 1);
    }
    m_restoreIndex = -1;
    if (onPlayStop)
        onPlayStop();
}

void PlaybackController::onSpeedChanged(int framesPerSecond)
{
    if (m_playing)
        m_timer.start(periodFor(framesPerSecond));
}
