#include "wiring/tracing_picture.h"

#include <QImageReader>
#include <QPainter>

bool TracingPicture::load(const QString &path)
{
    QImageReader reader(path);
    // A picture of the installation, not a poster: refuse what would take
    // more memory than a very large photograph.
    reader.setAllocationLimit(256);
    QImage image = reader.read();
    if (image.isNull())
        return false;
    m_image = std::move(image);
    m_topLeft = QPointF(kStart);
    m_scale = 1.0;
    return true;
}

QRectF TracingPicture::rect() const
{
    return QRectF(m_topLeft, QSizeF(m_image.size()) * m_scale);
}

void TracingPicture::paint(QPainter &p) const
{
    if (isLoaded())
        p.drawImage(rect(), m_image);
}

bool TracingPicture::grip(QPoint client)
{
    m_gripped = isLoaded() && rect().contains(client);
    m_last = client;
    return m_gripped;
}

void TracingPicture::dragTo(QPoint client)
{
    if (!m_gripped)
        return;
    m_topLeft += QPointF(client - m_last);
    m_last = client;
}

void TracingPicture::gridMoved(const CanvasGeometry &before, const CanvasGeometry &after)
{
    const double ratio = before.zoom() > 0 ? double(after.zoom()) / double(before.zoom()) : 1.0;
    const QPointF oldOrigin(double(before.left()), double(before.top()));
    const QPointF newOrigin(double(after.left()), double(after.top()));
    m_topLeft = newOrigin + (m_topLeft - oldOrigin) * ratio;
    m_scale *= ratio;
}
