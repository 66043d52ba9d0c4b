#include "shell/splash_window.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QScreen>
#include <cmath>

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(picture())
{
    setObjectName(QStringLiteral("SplashWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(m_picture.size());
    setWindowOpacity(kStartOpacity / 255.0);
    setFocusPolicy(Qt::StrongFocus);
    connect(&m_timer, &QTimer::timeout, this, &SplashWindow::tick);
}

void SplashWindow::tick()
{
    m_counter += kStep;
    if (m_counter <= 255)
        setWindowOpacity(m_counter / 255.0);
    if (m_counter > kCloseAfter)
        close();
}

void SplashWindow::exec()
{
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QEventLoop loop;
    connect(this, &SplashWindow::finished, &loop, &QEventLoop::quit);
    show();
    raise();
    activateWindow();
    m_timer.start(kTickMs);
    loop.exec();
}

void SplashWindow::closeEvent(QCloseEvent *event)
{
    m_timer.stop();
    QWidget::closeEvent(event);
    emit finished();
}

void SplashWindow::mousePressEvent(QMouseEvent *) { close(); }

void SplashWindow::keyPressEvent(QKeyEvent *) { close(); }

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
}

QPixmap SplashWindow::picture()
{
    const int width = 560;
    const int height = 320;
    QPixmap pixmap(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient night(0, 0, 0, height);
    night.setColorAt(0, QColor(12, 14, 32));
    night.setColorAt(1, QColor(4, 4, 12));
    p.fillRect(pixmap.rect(), night);

    // A wall of lamps lit by a diagonal rainbow wave: the product in one
    // picture.
    const int cell = 16;
    const int cols = width / cell;
    const int rows = 12;
    const int top = 24;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < cols; ++x) {
            const double phase = (x * 0.22 + y * 0.35);
            const double glow = 0.5 + 0.5 * std::sin(phase);
            QColor lamp = QColor::fromHsvF(std::fmod(phase / 6.2832, 1.0), 0.85, 0.25 + 0.75 * glow);
            const QPointF centre(x * cell + cell / 2.0, top + y * cell + cell / 2.0);
            QRadialGradient halo(centre, cell * 0.9);
            QColor outer = lamp;
            outer.setAlpha(0);
            QColor inner = lamp;
            inner.setAlpha(int(90 * glow));
            halo.setColorAt(0, inner);
            halo.setColorAt(1, outer);
            p.setPen(Qt::NoPen);
            p.setBrush(halo);
            p.drawEllipse(centre, cell * 0.9, cell * 0.9);
            p.setBrush(lamp);
            p.drawEllipse(centre, cell * 0.3, cell * 0.3);
        }
    }

    QLinearGradient band(0, 0, 0, height);
    band.setColorAt(0.55, QColor(0, 0, 0, 0));
    band.setColorAt(0.72, QColor(4, 4, 12, 235));
    p.fillRect(pixmap.rect(), band);

    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(46);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(250, 244, 226));
    p.drawText(QRect(0, 222, width, 56), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Brightloom"));

    QFont sub(QStringLiteral("Liberation Sans"));
    sub.setPixelSize(15);
    p.setFont(sub);
    p.setPen(QColor(170, 176, 200));
    p.drawText(QRect(0, 276, width, 24), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("LED lighting animation editor  ·  version %1").arg(QStringLiteral(BRIGHTLOOM_VERSION)));

    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return pixmap;
}
