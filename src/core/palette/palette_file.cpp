#include "palette/palette_file.h"

#include "palette/palette_state.h"
#include "settings/file_access.h"
#include "settings/language.h"
#include "settings/program_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

PaletteFileRead parsePaletteFile(const QByteArray &bytes, int scanMode)
{
    PaletteFileRead result;
    if (bytes.size() < kPaletteRecordSize) {
        result.error = PaletteFileRead::TooShort;
        return result;
    }
    const qsizetype n = std::min<qsizetype>(bytes.size() / kPaletteRecordSize, PaletteState::kMaxColours);
    // A scratch list: a file refused half way must not leave the working
    // list half overwritten.
    std::vector<ColorValue> colours;
    colours.reserve(size_t(n));
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    for (qsizetype i = 0; i < n; ++i) {
        const uchar *record = p + i * kPaletteRecordSize;
        const uchar flag = record[6];
        if (scanMode == 0 && flag == '1') {
            result.error = PaletteFileRead::GradientInNormalProgram;
            return result;
        }
        colours.push_back(qFromLittleEndian<quint32>(record + 7));
    }
    result.colours = std::move(colours);
    return result;
}

PaletteFileRead readPaletteFile(const QString &path, int scanMode)
{
    // Records past the 512th are never used.
    const FileBytes read = readRegularFile(path, qint64(PaletteState::kMaxColours) * kPaletteRecordSize);
    if (!read.ok()) {
        PaletteFileRead r;
        r.error = PaletteFileRead::CannotOpen;
        return r;
    }
    return parsePaletteFile(read.bytes, scanMode);
}

QByteArray paletteFileBytes(const std::vector<ColorValue> &colours, int scanMode)
{
    QByteArray out(qsizetype(colours.size()) * kPaletteRecordSize, '\0');
    auto *p = reinterpret_cast<uchar *>(out.data());
    for (size_t i = 0; i < colours.size(); ++i) {
        uchar *record = p + i * kPaletteRecordSize;
        qToLittleEndian<quint32>(quint32(i + 1), record);
        record[4] = 1;
        record[5] = 1;
        record[6] = scanMode != 0 ? '1' : 0;
        qToLittleEndian<quint32>(colours[i], record + 7);
    }
    return out;
}

bool writePaletteFile(const QString &path, const std::vector<ColorValue> &colours, int scanMode,
                      QString *errorDetail)
{
    StagedSaveFile file(path);
    const QByteArray bytes = paletteFileBytes(colours, scanMode);
    if (!file.open() || !file.write(bytes) || !file.commit()) {
        if (errorDetail)
            *errorDetail = file.failureReason();
        file.cancel();
        return false;
    }
    return true;
}

QString paletteReadErrorText(PaletteFileRead::Error error)
{
    switch (error) {
    case PaletteFileRead::None:
        return {};
    case PaletteFileRead::TooShort:
        return captionText("Message", "PaletteFileIllegal", QStringLiteral("非法调色盘文件！"));
    case PaletteFileRead::GradientInNormalProgram:
        return pairedText(QStringLiteral("The colors of color palette is set as gradual colors without adjustment function."),
                          QStringLiteral("调色盘颜色为渐变色不可调用"));
    case PaletteFileRead::CannotOpen:
        return captionText("Message", "PaletteOpenFailed", QStringLiteral("打开文件失败！"));
    }
    return {};
}

QString paletteSaveErrorText(const QString &reason)
{
    return withSystemReason(captionText("Message", "PaletteSaveFailed", QStringLiteral("保存文件失败！")), reason);
}

QString paletteFileFilter()
{
    return captionText("CFLabel", "PaletteFileType", QStringLiteral("调色盘文件")) + QStringLiteral(" (*.col)");
}

QString paletteFolder()
{
    // programFilePath(".") names the program folder itself (it always
    // exists), honouring the folder the tests point it to.
    const QString programFolder = QDir::cleanPath(programFilePath(QStringLiteral(".")));
    const QString beside = QDir(programFolder).filePath(QStringLiteral("color box"));
    if (QFileInfo(beside).isDir() || QDir(programFolder).mkpath(QStringLiteral("color box")))
        return beside;
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                            QStringLiteral("/Brightloom/color box");
    QDir().mkpath(perUser);
    return perUser;
}
