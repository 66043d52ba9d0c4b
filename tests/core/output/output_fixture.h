#pragma once
// A small document with a wiring, written to port files in a temporary
// folder with a scripted prompt, and the bytes read back for checking.

#include "document/document.h"
#include "links/controller_params.h"
#include "output/port_data_files.h"
#include "scripted_prompt.h"
#include "settings/language.h"
#include "../wiring/wiring_test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

inline GridGeometry outputGrid(int rows, int cols, int base)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    g.baseColorNum = uint8_t(base);
    return g;
}

class OutputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The built-in Chinese texts, so the tests see the described words.
        Language::setCode(Language::Chinese);
        Language::setFolder(dir.path());
    }
    void TearDown() override
    {
        Language::setCode(Language::English);
        Language::setFolder(QString());
    }

    // A document of one row of `cols` points and `frames` frames in which
    // point x of frame f has colour (x + 1 + 16f, x + 2 + 16f, x + 3 + 16f).
    void makeDocument(int cols, int frames, int base = 3, int rows = 1)
    {
        doc = std::make_unique<Document>(outputGrid(rows, cols, base));
        params = ControllerParams::initial(base);
        for (int f = 0; f < frames; ++f) {
            Frame frame(size_t(rows) * size_t(cols));
            for (int i = 0; i < rows * cols; ++i)
                frame[size_t(i)] = makeColor(unsigned(i + 1 + 16 * f), unsigned(i + 2 + 16 * f),
                                             unsigned(i + 3 + 16 * f));
            doc->frames().append(std::move(frame));
        }
        doc->wiring().setKind(CircuitryKind::Led);
    }
    // Points 0 .. count-1 of row 0 on `port`, pixel i at point i.
    void wireRow(int count, int port = 0)
    {
        for (int i = 0; i < count; ++i)
            doc->wiring().append(wiredAt(i, 0, port, i));
    }

    PortDataResult write(int from = 1, int to = -1, int speed = 30)
    {
        PortDataRequest r;
        r.fromFrame = from;
        r.toFrame = to < 0 ? doc->frameCount() : to;
        r.speed = speed;
        r.chosenPath = dir.filePath(QStringLiteral("show.led"));
        return writePortDataFiles(*doc, params, r, prompt, {}, &written);
    }

    QString portPath(int port) const { return portFileName(dir.filePath(QStringLiteral("show.led")), CircuitryKind::Led, port); }

    std::vector<uint8_t> portBytes(int port) const
    {
        QFile f(portPath(port));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        const QByteArray b = f.readAll();
        return std::vector<uint8_t>(b.begin(), b.end());
    }

    static unsigned u16(const std::vector<uint8_t> &b, size_t at) { return unsigned(b[at] | b[at + 1] << 8); }

    // Frame block `index` of a port file whose blocks take `padded` bytes.
    static std::vector<uint8_t> block(const std::vector<uint8_t> &file, size_t index, size_t length, size_t padded)
    {
        const size_t at = 512 + index * padded;
        return std::vector<uint8_t>(file.begin() + long(at), file.begin() + long(at + length));
    }

    QTemporaryDir dir;
    std::unique_ptr<Document> doc;
    ControllerParams params;
    ScriptedPrompt prompt;
    QStringList written;
};
