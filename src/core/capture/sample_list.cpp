#include "capture/sample_list.h"

#include <QFile>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int64_t kMaxSampleBytes = int64_t(2) << 30;
// A QImage's header and the allocator's own bytes around its pixels.
constexpr int64_t kSampleOverhead = 128;

// MemAvailable of /proc/meminfo; unknown leaves the fixed bound.
int64_t availableMemory()
{
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return kMaxSampleBytes * 2;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine(256);
        if (!line.startsWith("MemAvailable:"))
            continue;
        const QList<QByteArray> parts = line.simplified().split(' ');
        bool ok = false;
        const qint64 kib = parts.size() >= 2 ? parts[1].toLongLong(&ok) : 0;
        if (ok && kib > 0)
            return int64_t(kib) * 1024;
    }
    return kMaxSampleBytes * 2;
}

} // namespace

int64_t sampleMemoryBudget()
{
    return std::min(kMaxSampleBytes, availableMemory() / 2);
}

int64_t sampleBytes(int width, int height)
{
    return int64_t(std::max(width, 0)) * int64_t(std::max(height, 0)) * 4 + kSampleOverhead;
}

SampleList::SampleList(int width, int height, int64_t budget)
    : m_width(std::max(width, 1)), m_height(std::max(height, 1)), m_budget(budget)
{
}

bool SampleList::fits(int64_t more) const
{
    const int64_t each = sampleBytes(m_width, m_height);
    return int64_t(m_samples.size()) + more <= m_budget / each;
}

bool SampleList::append(const QImage &picture)
{
    if (!fits())
        return false;
    if (picture.size() == size() && picture.format() == QImage::Format_RGB32) {
        m_samples.push_back(picture);
        return true;
    }
    QImage sample(m_width, m_height, QImage::Format_RGB32);
    if (sample.isNull())
        return false;
    sample.fill(Qt::black);
    if (!picture.isNull()) {
        QPainter painter(&sample);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, picture);
    }
    m_samples.push_back(std::move(sample));
    return true;
}

void SampleList::resize(int width, int height)
{
    m_width = std::max(width, 1);
    m_height = std::max(height, 1);
    m_samples.clear();
}

int SampleList::remove(int first, int count)
{
    const int from = first - 1;
    if (from < 0 || from >= this->count() || count <= 0)
        return 0;
    const int n = std::min(count, this->count() - from);
    m_samples.erase(m_samples.begin() + from, m_samples.begin() + from + n);
    return n;
}

void SampleList::replace(SampleList &&other)
{
    m_width = other.m_width;
    m_height = other.m_height;
    m_samples = std::move(other.m_samples);
    other.m_samples.clear();
}

int samplePeriodMs(int rate)
{
    return 1000 / std::max(rate < 2 ? 1 : rate, 1);
}

int positionOnScreen(int value, int extent)
{
    return value < 0 || value >= extent ? 0 : value;
}
