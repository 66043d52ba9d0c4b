#pragma once
// Sequences written into memory or a temporary folder and read back, for
// the FSEQ tests.

#include "output/fseq/fseq_sequence.h"
#include "output/fseq/fseq_writer.h"
#include "output_fixture.h"

#include <QBuffer>
#include <random>

// Reads `file` through `map` into frames of `points` colours; fails the
// test when the reader refuses it.
inline std::vector<Frame> importOrFail(const QByteArray &file, const FseqChannelMap &map, int points)
{
    const FseqImportResult r =
        importFseqData(reinterpret_cast<const uint8_t *>(file.constData()), size_t(file.size()), map, points);
    EXPECT_TRUE(r.ok()) << r.error.toStdString();
    return r.ok() ? r.data->frames : std::vector<Frame>{};
}

inline FseqParseResult parseBytes(const QByteArray &file)
{
    return parseFseq(reinterpret_cast<const uint8_t *>(file.constData()), size_t(file.size()));
}

// A sequence written by writeFseq into memory; frame f's channel c holds
// (f * 7 + c * 3) & 0xFF.
inline QByteArray sequenceBytes(FseqWriteSpec spec)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    const bool ok = writeFseq(
        buffer, spec,
        [&](uint32_t f, uint8_t *out) {
            for (uint32_t c = 0; c < spec.channelsPerFrame; ++c)
                out[c] = uint8_t(f * 7 + c * 3);
        },
        {}, &error);
    EXPECT_TRUE(ok) << error.toStdString();
    return buffer.data();
}

class FseqTest : public OutputTest
{
protected:
    // Colours of every point of every frame from a seeded generator.
    void randomFrames(int rows, int cols, int frames)
    {
        doc = std::make_unique<Document>(outputGrid(rows, cols, 3));
        std::mt19937 rng(20261208u);
        for (int f = 0; f < frames; ++f) {
            Frame frame(size_t(rows) * size_t(cols));
            for (ColorValue &c : frame.pixels())
                c = rng() & 0xFFFFFFu;
            doc->frames().append(std::move(frame));
        }
    }

    QString path(const char *name = "show.fseq") const { return dir.filePath(QString::fromLatin1(name)); }

    QByteArray fileBytes(const char *name = "show.fseq") const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    bool exportDoc(FseqCompression compression, ChannelOrder order = {}, int stepMs = 25)
    {
        FseqExportOptions o;
        o.compression = compression;
        o.order = order;
        o.stepMs = stepMs;
        return exportDocumentFseq(*doc, path(), o, prompt);
    }
};
