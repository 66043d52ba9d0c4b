#include "settings/app_settings.h"

#include "settings/profile_file.h"

#include <algorithm>

namespace {

const QString kMain = QStringLiteral("main");

// The settings file holds whole numbers; each field keeps the low bits that
// fit its width, as the program always did (70000 rows read as 4464).
int16_t toInt16(int value) { return static_cast<int16_t>(static_cast<uint16_t>(value)); }
uint8_t toUint8(int value) { return static_cast<uint8_t>(value); }

} // namespace

AppSettings LoadSettings(const QString &path)
{
    const ProfileFile file = ProfileFile::load(path);
    AppSettings settings;
    GridGeometry &g = settings.geometry;
    // Key "language" is not used at start: every run starts in English and
    // the user's choice of the run is written back at exit.
    settings.languageCode = 1;
    g.rows = toInt16(file.readInt(kMain, QStringLiteral("Rows"), 24));
    g.cols = toInt16(file.readInt(kMain, QStringLiteral("Cols"), 40));
    g.celWidth = toInt16(file.readInt(kMain, QStringLiteral("CelWidth"), 20));
    g.celHeight = toInt16(file.readInt(kMain, QStringLiteral("CelHeight"), 20));
    g.scanMode = toUint8(file.readInt(kMain, QStringLiteral("ScanMode"), 1));
    g.baseColorNum = toUint8(file.readInt(kMain, QStringLiteral("BaseColorNum"), 3));
    settings.showUnwiredWhilePlaying = file.readInt(kMain, QStringLiteral("ShowUnwiredWhilePlaying"), 0) != 0;
    settings.loadWiringBesideProject = file.readInt(kMain, QStringLiteral("LoadWiringBeside"), 0) != 0;
    // A negative limit means no undo at all, as 0 does.
    settings.undoMemoryMB = std::max(0, file.readInt(kMain, QStringLiteral("UndoMemoryMB"), 1024));
    const QString usb = QStringLiteral("Usb");
    settings.usbVendorId = file.readText(usb, QStringLiteral("VendorId"), QString());
    settings.usbProductId = file.readText(usb, QStringLiteral("ProductId"), QString());
    // No range check here: a zero or odd size is for the new-grid dialog
    // and the document to refuse, so that the user sees why.
    return settings;
}

bool SaveSettings(const AppSettings &settings, const QString &path)
{
    ProfileFile::LoadStatus status;
    ProfileFile file = ProfileFile::load(path, &status);
    // Replacing a file that exists but could not be read would lose its
    // other sections (the screen gather keeps its own there).
    if (status == ProfileFile::LoadStatus::Unreadable)
        return false;
    const GridGeometry &g = settings.geometry;
    const auto put = [&file](const char *key, int value) {
        file.write(kMain, QString::fromLatin1(key), QString::number(value));
    };
    put("language", settings.languageCode);
    put("Rows", g.rows);
    put("Cols", g.cols);
    put("CelWidth", g.celWidth);
    put("CelHeight", g.celHeight);
    put("ScanMode", g.scanMode);
    put("BaseColorNum", g.baseColorNum);
    put("ShowUnwiredWhilePlaying", settings.showUnwiredWhilePlaying ? 1 : 0);
    put("LoadWiringBeside", settings.loadWiringBesideProject ? 1 : 0);
    return file.save(path);
}
