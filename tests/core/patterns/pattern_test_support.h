#pragma once
// Small documents and readable pictures for the pattern tests: a frame is
// compared as one string per row, one letter per grid point.

#include "qstring_print.h"
#include "document/document.h"
#include "palette/palette_state.h"
#include "patterns/pattern_target.h"
#include "settings/language.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>


constexpr ColorValue kRed = 0x0000FF;
constexpr ColorValue kYellow = 0x00FFFF;
constexpr ColorValue kGreen = 0x00FF00;
constexpr ColorValue kBlue = 0xFF0000;
constexpr ColorValue kWhite = 0xFFFFFF;
constexpr ColorValue kBlack = 0x000000;

inline GridGeometry gridOf(int rows, int cols)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    return g;
}

// A document of rows x cols with `frames` black frames, the first current.
inline std::unique_ptr<Document> documentOf(int rows, int cols, int frames = 1)
{
    auto doc = std::make_unique<Document>(gridOf(rows, cols));
    doc->startNew(gridOf(rows, cols));
    for (int i = 1; i < frames; ++i)
        doc->frames().append(doc->backgroundFrame());
    doc->goToFrame(0);
    return doc;
}

// Letters: '#' red (the default foreground), '.' black, 'W' white, 'G'
// green, 'B' blue, 'Y' yellow; '?' anything else.
inline std::vector<std::string> picture(const Frame &f, int rows, int cols,
                                        std::map<ColorValue, char> letters = {})
{
    if (letters.empty())
        letters = {{kRed, '#'}, {kBlack, '.'}, {kWhite, 'W'}, {kGreen, 'G'}, {kBlue, 'B'}, {kYellow, 'Y'}};
    std::vector<std::string> out;
    for (int y = 0; y < rows; ++y) {
        std::string row;
        for (int x = 0; x < cols; ++x) {
            auto it = letters.find(f.at(x, y, cols));
            row += it == letters.end() ? '?' : it->second;
        }
        out.push_back(row);
    }
    return out;
}

inline std::vector<std::string> picture(const Document &doc, int index)
{
    return picture(doc.frames().at(index), doc.rows(), doc.cols());
}

// One row of a one-row document's frame as a string.
inline std::string strip(const Document &doc, int index)
{
    return picture(doc, index).front();
}

inline BlockArea drawnArea(int x0, int y0, int x1, int y1)
{
    BlockArea a;
    a.defined = true;
    a.x0 = x0;
    a.y0 = y0;
    a.x1 = x1;
    a.y1 = y1;
    return a;
}

// Texts are the built-in Chinese ones: no language file is read.
class PatternTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(languageDir.isValid());
        Language::setFolder(languageDir.path());
        Language::setCode(Language::Chinese);
        Language::reload();
    }
    void TearDown() override
    {
        Language::setFolder(QString());
        Language::setCode(Language::Chinese);
        Language::reload();
    }

    QTemporaryDir languageDir;
};

// Pattern-key tests draw frames as letters: one string per row, one letter
// per grid point.
using Rows = std::vector<std::string>;

inline const Rows kFourByThree = {"abcd", "efgh", "ijkl"};

// A frame whose cells hold the letters of `rows` (as colour values).
inline Frame lettered(const Rows &rows)
{
    Frame f(rows.size() * rows.front().size());
    size_t i = 0;
    for (const std::string &row : rows)
        for (char c : row)
            f[i++] = ColorValue(uint8_t(c));
    return f;
}

inline Rows letters(const Frame &f, int rows, int cols)
{
    Rows out;
    for (int y = 0; y < rows; ++y) {
        std::string row;
        for (int x = 0; x < cols; ++x)
            row += char(f.at(x, y, cols));
        out.push_back(row);
    }
    return out;
}
