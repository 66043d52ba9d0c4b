#pragma once
// The application-wide settings record, filled at start from the settings
// file and written back at exit.

#include "settings/color_value.h"
#include "settings/grid_geometry.h"

#include <QString>
#include <QStringList>

struct AppSettings
{
    // 0 Chinese (mainland), 1 English, 2 Chinese shown in traditional
    // characters. Every run starts in English whatever the file holds.
    uint8_t languageCode = 1;
    GridGeometry geometry;
    ColorValue backgroundColor = 0;
    bool newFrameCopiesCurrent = false;
    // Playback draws only the wired points of a wired project; this shows
    // the unwired ones too (View menu).
    bool showUnwiredWhilePlaying = false;
    QString serialPortName = QStringLiteral("COM1");
    // The USB controllers' vendor and product id as written in section
    // "Usb" (keys "VendorId" and "ProductId", hexadecimal); empty when not
    // set. Read only: the file keeps what the user wrote.
    QString usbVendorId;
    QString usbProductId;
    // Opening X.wst with a wiring file X.line beside it loads that wiring
    // without asking (the "always" box of the question).
    bool loadWiringBesideProject = false;
    // Megabytes the undo history may hold before its oldest steps go
    // ("UndoMemoryMB", set by hand in the file; 0 turns undo off).
    int undoMemoryMB = 1024;
    // Video, sound, picture and document file patterns offered by the media
    // commands.
    QStringList mediaPatterns = {
        QStringLiteral("*.avi;*.wmv;*.mpg;*.mpeg;*.asf;*.rm;*.dat;*.vob;*.m2v;*.mov;*.rmvb;*.3gp;"),
        QStringLiteral("*.mp3;*.wav;"),
        QStringLiteral("*.bmp;*.jpg;*.gif;*.pcx;*.wmf;*.ico;"),
        QStringLiteral("*.txt;*.doc;*.rtf;*.swf;*.xls;"),
    };
};

// Reads section "main" (and the USB ids of section "Usb") of the settings
// file at `path` (missing file or keys: the defaults). Values are truncated
// to their field widths; the language read is replaced by English.
AppSettings LoadSettings(const QString &path);

// Writes section "main" back, keeping every other line of the file. Returns
// false when the file could not be written.
bool SaveSettings(const AppSettings &settings, const QString &path);
