#pragma once
// The screen gather's pictures: every sample is width x height pixels of
// 32 bits, blue in byte 0, then green, red and an unused byte (a QImage of
// Format_RGB32 on this little-endian machine), and all samples of the list
// have the same size. The list lives while the gather dialog is open; it
// refuses a sample that would take it past its memory budget, so a long
// run stops with a message instead of exhausting memory.

#include <QImage>
#include <QSize>
#include <cstdint>
#include <vector>

// The memory the samples may take: 2 GiB or half of the memory still
// available, whichever is smaller.
int64_t sampleMemoryBudget();
// Bytes one sample of w x h takes, its bookkeeping included.
int64_t sampleBytes(int width, int height);

class SampleList
{
public:
    explicit SampleList(int width = 150, int height = 100, int64_t budget = sampleMemoryBudget());

    int width() const { return m_width; }
    int height() const { return m_height; }
    QSize size() const { return QSize(m_width, m_height); }
    int count() const { return int(m_samples.size()); }
    bool empty() const { return m_samples.empty(); }
    const QImage &at(int index) const { return m_samples[size_t(index)]; }
    int64_t budget() const { return m_budget; }
    void setBudget(int64_t budget) { m_budget = budget; }

    // Whether `more` further samples of the current size stay within the
    // budget.
    bool fits(int64_t more = 1) const;
    // Appends a picture, converted to 32 bits and cut or padded with black to
    // the list's size. False (nothing added) when it would pass the budget.
    bool append(const QImage &picture);
    // The size the next samples are taken at; every sample is dropped (the
    // list never mixes sizes). Sides below 1 count as 1.
    void resize(int width, int height);
    // Removes `count` samples starting with the 1-based `first`; fewer when
    // the list ends first. Returns how many went.
    int remove(int first, int count);
    void clear() { m_samples.clear(); }
    // Takes the samples of another list (open replaces the samples).
    void replace(SampleList &&other);

private:
    int m_width;
    int m_height;
    int64_t m_budget;
    std::vector<QImage> m_samples;
};

// The sampling timer's period: 1000 / rate ms, a rate below 2 counting as 1.
int samplePeriodMs(int rate);
// A position edit's value on a screen of `extent` pixels: at or beyond the
// edge (or negative) it becomes 0.
int positionOnScreen(int value, int extent);
