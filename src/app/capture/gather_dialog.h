#pragma once
// "自动采集": samples a screen rectangle at a fixed rate into a SampleList,
// lets the user play, trim, save and open the samples, and turns them into
// frames of the document on OK. The marker window shows and sets the
// rectangle while the dialog is open.

#include "capture/sample_list.h"

#include <QDialog>
#include <QTimer>

#include <memory>

struct AppContext;
class GatherWindow;
class GlobalHotKeys;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

// The screen's pixels of `rect` (global coordinates) as a 32-bit picture;
// null when the platform gives none.
QImage sampleScreen(const QRect &rect);

class GatherDialog : public QDialog
{
    Q_OBJECT
public:
    enum class State { Idle, Sampling, Playing };

    // `settingsPath`: the file whose section "Gather" keeps the size.
    GatherDialog(AppContext &ctx, const QString &settingsPath, QWidget *parent = nullptr);
    ~GatherDialog() override;

    // The platform the dialog acts for (QGuiApplication::platformName()
    // unless a test names another): Wayland refuses sampling, X11 makes the
    // keys global while the dialog is shown. Set before showing.
    void setPlatformName(const QString &name) { m_platform = name; }

    SampleList &samples() { return m_samples; }
    State state() const { return m_state; }
    GatherWindow *marker() const { return m_marker; }
    QRect sampledRect() const;

    // The buttons' work, for the buttons and the shortcuts.
    void startSampling();
    void startPlaying();
    void stop();
    void openFile();
    void saveFile();
    void deleteSamples();
    void convertAndClose();

    QSpinBox *xEdit() const { return m_x; }
    QSpinBox *yEdit() const { return m_y; }
    QSpinBox *widthEdit() const { return m_width; }
    QSpinBox *heightEdit() const { return m_height; }
    QSpinBox *rateEdit() const { return m_rate; }
    QSpinBox *countEdit() const { return m_count; }
    QSpinBox *deleteEdit() const { return m_delete; }
    QSlider *slider() const { return m_slider; }
    QComboBox *displayBox() const { return m_display; }
    QCheckBox *vectorZoomBox() const { return m_vectorZoom; }

protected:
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    void build();
    void sampleTick();
    void playTick();
    void sizeEdited();
    void positionEdited();
    void markerMoved(const QRect &r);
    void sliderMoved(int position);
    void showSample(int index);
    void updateButtons();
    void sliderToEnd(int total);
    void takeGlobalKeys();

    AppContext &m_ctx;
    QString m_settingsPath;
    QString m_platform;
    std::unique_ptr<GlobalHotKeys> m_globalKeys;
    SampleList m_samples;
    State m_state = State::Idle;
    int m_target = 0;
    int m_playing = 0;
    QTimer m_sampleTimer;
    QTimer m_playTimer;
    GatherWindow *m_marker = nullptr;
    QSpinBox *m_x = nullptr;
    QSpinBox *m_y = nullptr;
    QSpinBox *m_width = nullptr;
    QSpinBox *m_height = nullptr;
    QSpinBox *m_rate = nullptr;
    QSpinBox *m_count = nullptr;
    QSpinBox *m_delete = nullptr;
    QSlider *m_slider = nullptr;
    QCheckBox *m_vectorZoom = nullptr;
    QComboBox *m_display = nullptr;
    QLabel *m_preview = nullptr;
    QPushButton *m_sampleButton = nullptr;
    QPushButton *m_playButton = nullptr;
    QPushButton *m_stopButton = nullptr;
};
