#pragma once
// The play panel: the play speed slider, and the frame slider, frame index
// field and spin buttons that show and choose the current frame.
//
// The index field is 1-based. Editing it (by typing, the slider or the spin
// buttons) makes that frame current; a value below 1 is replaced by 1 and
// one above the frame count by the count.

#include <QWidget>

class QLabel;
class QSlider;
class QSpinBox;
class Document;

class PlayPanel : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMinSpeed = 10;
    static constexpr int kMaxSpeed = 80;
    static constexpr int kStartSpeed = 20;

    explicit PlayPanel(Document &doc, QWidget *parent = nullptr);

    // Frames per second; 1 when the slider is at 0 or below.
    int playSpeed() const { return m_playSpeed; }
    void setSpeedSliderPosition(int position);

    // The frame slider's range becomes 1..count.
    void setFrameCount(int count);
    // Shows a 1-based index in the field and the slider without choosing a
    // frame (playback shows the frame on screen this way).
    void showIndex(int oneBased);
    // The field's index as others read it: field - 1, with a field of 0 or
    // less first set to 1 and one above the count set to the count.
    int currentIndex();
    // The text in the index field.
    QString indexText() const;

    // Labels and the speed tool tip for the active language.
    void applyTexts();

    QSlider *speedSlider() const { return m_speed; }
    QSlider *frameSlider() const { return m_frameSlider; }
    QSpinBox *indexField() const { return m_index; }

signals:
    void playSpeedChanged(int framesPerSecond);

private:
    void onSpeedMoved(int position);
    void onIndexEdited(int value);
    void updateSpeedToolTip();

    Document &m_doc;
    QLabel *m_speedLabel;
    QSlider *m_speed;
    QLabel *m_frameLabel;
    QSlider *m_frameSlider;
    QSpinBox *m_index;
    int m_playSpeed = kStartSpeed;
    int m_frameCount = 0;
    bool m_updating = false;
};
