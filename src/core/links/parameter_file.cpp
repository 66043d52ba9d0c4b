#include "links/parameter_file.h"

#include "settings/language.h"

#include <QFile>
#include <QSaveFile>
#include <limits>

namespace {

// A parameter file is one short line; anything far longer is not one, and
// reading it whole would only waste memory.
constexpr qint64 kMaxParameterFileBytes = 16 * 1024 * 1024;

QString damagedText()
{
    return pairedText(QStringLiteral("The parameter file is damaged: %1"),
                      QStringLiteral("参数文件已损坏：%1"));
}

ParameterFileResult failed(const QString &detail)
{
    ParameterFileResult r;
    r.kind = ParameterFileResult::Failed;
    r.message = damagedText().arg(detail);
    return r;
}

} // namespace

int leadingInteger(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            value = qint64(std::numeric_limits<int>::max()) + 1;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        value = std::numeric_limits<int>::max();
    return int(value);
}

QByteArray parameterFileText(const ControllerParams &params)
{
    const RgbOrderList &list = params.orderList;
    QString text = QStringLiteral("%1,%2,%3,").arg(0).arg(params.cycle).arg(list.count());
    for (int i = 0; i < list.count(); ++i) {
        const RgbOrderRow &row = list.logical(i);
        text += row.pixel + QLatin1Char(',') + row.color + QLatin1Char(',');
    }
    return text.toUtf8();
}

bool writeParameterFile(const QString &path, const ControllerParams &params, QString *errorDetail)
{
    QSaveFile file(path);
    const QByteArray text = parameterFileText(params);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        if (errorDetail)
            *errorDetail = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

ParameterFileResult readParameterText(const QByteArray &bytes)
{
    // Only the first line counts; a line end written by another tool (with
    // or without a carriage return) is not part of the last field.
    qsizetype end = bytes.indexOf('\n');
    QByteArray line = end < 0 ? bytes : bytes.left(end);
    if (line.endsWith('\r'))
        line.chop(1);
    const QStringList fields = QString::fromUtf8(line).split(QLatin1Char(','));

    ParameterFileResult result;
    if (fields.first() != QLatin1String("0") && fields.first() != QLatin1String("1")) {
        result.kind = ParameterFileResult::NotParameterFile;
        return result;
    }
    if (fields.size() < 3)
        return failed(pairedText(QStringLiteral("the cycle or the row count is missing."),
                                 QStringLiteral("缺少周期或行数。")));

    const int rowCount = leadingInteger(fields.at(2));
    // Each row takes two fields; a count the text cannot hold (negative,
    // huge, or the file cut short) would leave a list half read.
    const qsizetype available = (fields.size() - 3) / 2;
    if (rowCount < 0 || rowCount > available)
        return failed(pairedText(QStringLiteral("it lists %1 rows but holds %2."),
                                 QStringLiteral("列出 %1 行，实际只有 %2 行。"))
                          .arg(rowCount)
                          .arg(available));

    ParameterFileContents contents;
    contents.cycle = leadingInteger(fields.at(1));
    for (int i = 0; i < rowCount; ++i) {
        const QString &pixelField = fields.at(3 + 2 * i);
        RgbOrderRow row;
        if (pixelField == QLatin1String("null")) {
            row.pixel = pixelField;
            ++contents.nullRows;
        } else {
            row.pixel = QString::number(leadingInteger(pixelField));
        }
        row.color = fields.at(4 + 2 * i);
        // The file lists rows from the bottom up; each goes to the top, so
        // the list regains its saved order.
        contents.orderList.insertAtTop(std::move(row));
    }
    result.kind = ParameterFileResult::Loaded;
    result.contents = std::move(contents);
    return result;
}

ParameterFileResult readParameterFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ParameterFileResult r;
        r.kind = ParameterFileResult::Failed;
        // A fixed text in every language.
        r.message = QStringLiteral("Open file fail.");
        return r;
    }
    const QByteArray head = file.read(kMaxParameterFileBytes + 1);
    if (head.size() > kMaxParameterFileBytes && !head.contains('\n')) {
        // A first line this long is no parameter file; still, a file that
        // does not even start like one is passed over silently as usual.
        ParameterFileResult r = readParameterText(head.left(16));
        if (r.kind == ParameterFileResult::NotParameterFile)
            return r;
        return failed(pairedText(QStringLiteral("the file is far too large."), QStringLiteral("文件过大。")));
    }
    return readParameterText(head);
}

void applyParameterFile(ControllerParams &params, const ParameterFileContents &contents)
{
    params.cycle = contents.cycle;
    params.orderList = contents.orderList;
    params.groupExtra = contents.nullRows;
}
