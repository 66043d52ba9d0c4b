// Writes the seed files of the FSEQ reader's fuzz target with the writer
// itself: each compression, sparse ranges, and a sequence without frames.
//
//     build/make-fseq-seeds tests/fuzz/corpus/fseq
#include "output/fseq/fseq_writer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

bool writeSeed(const QDir &dir, const char *name, const FseqWriteSpec &spec)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const bool ok = writeFseq(buffer, spec, [&](uint32_t f, uint8_t *out) {
        for (uint32_t c = 0; c < spec.channelsPerFrame; ++c)
            out[c] = uint8_t((f * 29 + c * 13) & 0xFF);
    });
    QFile file(dir.filePath(QString::fromLatin1(name)));
    return ok && file.open(QIODevice::WriteOnly) && file.write(buffer.data()) == buffer.data().size();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-fseq-seeds FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    FseqWriteSpec spec;
    spec.channelsPerFrame = 12;
    spec.frameCount = 24;
    spec.stepMs = 25;
    spec.uniqueId = 1; // seeds stay the same from run to run
    spec.creator = fseqCreatorText();
    bool ok = true;
    for (FseqCompression c : {FseqCompression::None, FseqCompression::Zstd, FseqCompression::Zlib}) {
        spec.compression = c;
        ok &= writeSeed(dir, ("plain_" + fseqCompressionName(c).toStdString() + ".fseq").c_str(), spec);
    }
    spec.compression = FseqCompression::Zstd;
    spec.sparseRanges = {{3, 6}, {30, 6}};
    ok &= writeSeed(dir, "sparse_zstd.fseq", spec);
    spec.sparseRanges.clear();
    spec.frameCount = 0;
    ok &= writeSeed(dir, "empty_zlib.fseq", spec);
    return ok ? 0 : 1;
}
