#pragma once
// The start-up picture: a frameless window on top of everything that fades
// in by timer steps and closes itself after about 2.5 s. A click or a key
// closes it at once.
//
// The opacity counter starts at 5 (of 255); each 100 ms tick adds 40. While
// the counter is at most 255 it is the window's opacity, so the picture
// reaches 245 after six ticks; once it exceeds 1000 (the 25th tick) the
// window closes.

#include <QPixmap>
#include <QTimer>
#include <QWidget>

class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kStartOpacity = 5;
    static constexpr int kStep = 40;
    static constexpr int kTickMs = 100;
    static constexpr int kCloseAfter = 1000;

    explicit SplashWindow(QWidget *parent = nullptr);

    // Shows the window and returns when it has closed.
    void exec();

    int counter() const { return m_counter; }
    // One timer step (the timer calls it; tests may too).
    void tick();

    // The picture, drawn once at start.
    static QPixmap picture();

signals:
    void finished();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QPixmap m_picture;
    QTimer m_timer;
    int m_counter = kStartOpacity;
};
