#pragma once
// The pattern dialog's preview: a small picture beside the pages that plays
// the frames the last run wrote, round and round, so a run can be judged
// without closing the dialog. It reads the frames from the document as it
// shows them and stops when they are no longer there.

#include <QImage>
#include <QTimer>
#include <QWidget>

class Document;

class PatternPreview : public QWidget
{
    Q_OBJECT
public:
    explicit PatternPreview(const Document &doc, QWidget *parent = nullptr);

    // Plays frames first..last of the document at `fps` frames per second.
    void play(int first, int last, int fps);
    void stop();
    bool isPlaying() const { return m_timer.isActive(); }
    // The frame on show (-1 before the first run) and its picture, one
    // pixel per grid point.
    int shownFrame() const { return m_at; }
    const QImage &picture() const { return m_picture; }
    // The next frame (the timer's tick).
    void step();

    QSize sizeHint() const override { return {220, 160}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool show(int index);

    const Document &m_doc;
    QTimer m_timer;
    int m_first = -1;
    int m_last = -1;
    int m_at = -1;
    QImage m_picture;
};
