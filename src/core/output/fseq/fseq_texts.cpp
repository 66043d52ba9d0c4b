#include "output/fseq/fseq_texts.h"

#include "settings/language.h"

namespace FseqText {

QString text(const char *key, const QString &chineseDefault, std::initializer_list<QVariant> args)
{
    return formatText(LanguageText("Fseq", key, chineseDefault), chineseDefault, args);
}

QString notSequence()
{
    return text("NotSequence", QStringLiteral("这不是 FSEQ 序列文件。"));
}

QString unsupportedVersion(int major, int minor)
{
    return text("UnsupportedVersion", QStringLiteral("FSEQ 版本 %d.%d 无法读取：只支持 2.x 版本。"), {major, minor});
}

QString headerDamaged()
{
    return text("HeaderDamaged", QStringLiteral("FSEQ 文件头已损坏：偏移或长度与文件不符。"));
}

QString noChannels()
{
    return text("NoChannels", QStringLiteral("FSEQ 文件的帧没有通道。"));
}

QString unknownCompression(int type)
{
    return text("UnknownCompression", QStringLiteral("未知的 FSEQ 压缩方式 %d。"), {type});
}

QString blockIndexDamaged(int block)
{
    return text("BlockIndexDamaged", QStringLiteral("FSEQ 压缩块索引已损坏（第 %d 块）。"), {block});
}

QString blockLengthsWrong()
{
    return text("BlockLengthsWrong", QStringLiteral("FSEQ 压缩块的长度合计与文件大小不符。"));
}

QString sparseRangesWrong()
{
    return text("SparseRangesWrong", QStringLiteral("FSEQ 稀疏通道范围与每帧通道数不符。"));
}

QString incomplete(qint64 framesThere, qint64 frames)
{
    return text("Incomplete", QStringLiteral("FSEQ 文件不完整：只有 %d 帧（共 %d 帧）。"), {framesThere, frames});
}

QString tooLarge(qint64 frames, qint64 channels)
{
    return text("TooLarge", QStringLiteral("FSEQ 序列过大：%d 帧 × %d 通道超出了读取上限。"), {frames, channels});
}

QString blockDamaged(int block)
{
    return text("BlockDamaged", QStringLiteral("FSEQ 第 %d 个压缩块已损坏：无法解压或大小不符。"), {block});
}

QString cannotOpen(const QString &path, const QString &reason)
{
    return text("CannotOpen", QStringLiteral("无法打开文件 %s：%s"), {path, reason});
}

QString cannotWrite(const QString &path, const QString &reason)
{
    return text("CannotWrite", QStringLiteral("无法写入文件 %s：%s"), {path, reason});
}

QString tooManyChannels(qint64 channels)
{
    return text("TooManyChannels", QStringLiteral("线路需要 %d 个通道，超出了 FSEQ 的上限：请检查线路的端口号和像素号。"),
                {channels});
}

QString replaceQuestion(const QString &path)
{
    return text("ReplaceQuestion", QStringLiteral("%s 已存在。要替换它吗？"), {path});
}

QString written(const QString &path, qint64 frames, qint64 channels)
{
    return text("Written", QStringLiteral("已导出 %s：%d 帧，每帧 %d 通道。"), {path, frames, channels});
}

} // namespace FseqText
