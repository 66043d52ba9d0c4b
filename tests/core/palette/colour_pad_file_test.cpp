// The start palette "CurColorPad.dat".
#include "palette/colour_pad_file.h"
#include "palette_test_support.h"

namespace {

const std::vector<ColorValue> kRedGreenBlue = {0x0000FF, 0x00FF00, 0xFF0000};

QByteArray padBytes(int bytes)
{
    QByteArray b(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        b[i] = char(i * 7 + 3);
    return b;
}

TEST(ColourPadFile, TheCountIsTheLengthDivFourCappedAt512)
{
    const struct
    {
        int bytes;
        size_t colours;
    } cases[] = {{2100, 512}, {2048, 512}, {2047, 511}, {6, 1}, {4, 1}, {8, 2}};
    for (const auto &c : cases)
        EXPECT_EQ(parseColourPad(padBytes(c.bytes)).size(), c.colours) << c.bytes << " bytes";
}

TEST(ColourPadFile, ColoursAreLittleEndianFourByteValues)
{
    const QByteArray b("\x11\x22\x33\x00\xFF\x00\x00\x00\x99", 9);
    EXPECT_EQ(parseColourPad(b), (std::vector<ColorValue>{0x00332211, 0x000000FF}));
}

TEST(ColourPadFile, AMissingOrTooShortFileGivesRedGreenAndBlue)
{
    QTemporaryDir dir;
    EXPECT_EQ(loadColourPad(dir.filePath("CurColorPad.dat")), kRedGreenBlue);
    EXPECT_EQ(loadColourPad(writeBytes(dir.path(), "three.dat", "\x01\x02\x03")), kRedGreenBlue);
    EXPECT_EQ(loadColourPad(writeBytes(dir.path(), "empty.dat", {})), kRedGreenBlue);
    EXPECT_EQ(loadColourPad(writeBytes(dir.path(), "six.dat", padBytes(6))).size(), 1u);
    EXPECT_EQ(loadColourPad(writeBytes(dir.path(), "big.dat", padBytes(2100))).size(), 512u);
}

} // namespace
