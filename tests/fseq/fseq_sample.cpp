// Writes a project, its wiring and its FSEQ exports (each compression, GRB
// order) into a folder, for the independent Python check of the files.
//
//     fseq_sample FOLDER
#include "document/project_file.h"
#include "output/fseq/fseq_sequence.h"
#include "wiring/wiring_files.h"

#include <QDir>
#include <cstdio>
#include <random>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fseq_sample FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    GridGeometry g;
    g.rows = 6;
    g.cols = 8;
    FrameSequence frames;
    std::mt19937 rng(21u);
    for (int f = 0; f < 40; ++f) {
        Frame frame(size_t(g.pointCount()));
        for (ColorValue &c : frame.pixels())
            c = rng() & 0xFFFFFFu;
        frames.append(std::move(frame));
    }
    // Port 1 snakes over rows 0 and 1; port 3 takes every other point of row
    // 4 (its odd pixel numbers are gaps); port 2 is empty; the rest unwired.
    Wiring wiring;
    wiring.setKind(CircuitryKind::Led);
    wiring.resetCellMap(g.rows, g.cols);
    auto wire = [&](int x, int y, int port, int pixel) {
        WiringPixel p;
        p.column = x;
        p.row = y;
        p.port = port;
        p.pixel = pixel;
        wiring.append(p);
    };
    for (int x = 0; x < 8; ++x)
        wire(x, 0, 0, x);
    for (int x = 0; x < 8; ++x)
        wire(7 - x, 1, 0, 8 + x);
    for (int x = 0; x < 8; x += 2)
        wire(x, 4, 2, x);

    bool ok = writeProjectFile(dir.filePath(QStringLiteral("sample.wst")), g, frames)
        && writeLineFile(dir.filePath(QStringLiteral("sample.line")), g.rows, g.cols, 2, wiring.pixels());
    const auto map = FseqChannelMap::fromWiring(wiring, g.rows, g.cols, *ChannelOrder::parse(QStringLiteral("grb")));
    const FseqChannelMap grid = FseqChannelMap::fromGrid(g.rows, g.cols, {});
    const FrameAt at = [&](int i) -> const Frame & { return frames.at(i); };
    for (FseqCompression c : {FseqCompression::None, FseqCompression::Zstd, FseqCompression::Zlib}) {
        FseqExportOptions o;
        o.compression = c;
        o.stepMs = 40;
        o.order = map->order();
        const QString name = QStringLiteral("wired_%1.fseq").arg(fseqCompressionName(c));
        ok &= exportFseqFile(dir.filePath(name), frames.count(), at, *map, o).ok;
        o.order = {};
        ok &= exportFseqFile(dir.filePath(QStringLiteral("grid_%1.fseq").arg(fseqCompressionName(c))),
                             frames.count(), at, grid, o).ok;
    }
    return ok ? 0 : 1;
}
