#include "patterns/pattern_preview.h"

#include "document/document.h"
#include "document/frame_picture.h"

#include <QPainter>

#include <algorithm>

PatternPreview::PatternPreview(const Document &doc, QWidget *parent) : QWidget(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("PatternPreview"));
    setMinimumSize(120, 90);
    connect(&m_timer, &QTimer::timeout, this, &PatternPreview::step);
}

void PatternPreview::play(int first, int last, int fps)
{
    m_first = first;
    m_last = last;
    if (first < 0 || last < first || !show(first)) {
        stop();
        return;
    }
    m_timer.start(1000 / std::max(1, fps));
}

void PatternPreview::stop() { m_timer.stop(); }

void PatternPreview::step()
{
    if (m_first < 0)
        return;
    const int next = m_at < m_first || m_at >= m_last ? m_first : m_at + 1;
    if (!show(next))
        stop();
}

bool PatternPreview::show(int index)
{
    if (index < 0 || index >= m_doc.frameCount())
        return false;
    QImage picture = framePicture(m_doc.frames().at(index), m_doc.rows(), m_doc.cols());
    if (picture.isNull())
        return false;
    m_picture = std::move(picture);
    m_at = index;
    update();
    return true;
}

void PatternPreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(24, 24, 24));
    if (m_picture.isNull())
        return;
    // The whole grid, its cells square, centred; sharp cell edges.
    const QSize fitted = m_picture.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    p.drawImage(target, m_picture);
}
