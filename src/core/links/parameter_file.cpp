#include "links/parameter_file.h"

#include "settings/file_access.h"
#include "settings/language.h"

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
    StagedSaveFile file(path);
    const QByteArray text = parameterFileText(params);
    if (!file.open() || !file.write(text) || !file.commit()) {
        if (errorDetail)
            *errorDetail = file.failureReason();
        file.cancel();
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
    const QString text = QString::fromUtf8(line);
    // Only the fields the longest list can use are taken apart; the rest of
    // a far too long line is only counted.
    constexpr qsizetype kUsableFields = 3 + 2 * qsizetype(kMaxOrderListRows);
    qsizetype cut = 0;
    for (qsizetype commas = 0; cut < text.size() && commas < kUsableFields; ++cut)
        if (text[cut] == u',')
            ++commas;
    const QList<QStringView> fields = QStringView(text).left(cut).split(u',');
    const qsizetype fieldCount = text.count(u',') + 1;

    ParameterFileResult result;
    if (fields.first() != QLatin1String("0") && fields.first() != QLatin1String("1")) {
        result.kind = ParameterFileResult::NotParameterFile;
        return result;
    }
    if (fields.size() < 3)
        return failed(pairedText(QStringLiteral("the cycle or the row count is missing."),
                                 QStringLiteral("缺少周期或行数。")));

    // The cycle is taken as the panel takes a typed one: a file cannot set
    // a cycle the panel would refuse (0, negative, beyond the largest).
    const std::optional<int> cycle = cycleFromText(fields.at(1));
    if (!cycle)
        return failed(pairedText(QStringLiteral("the cycle '%1' is not a whole number from 1 to %2."),
                                 QStringLiteral("周期“%1”不是 1 到 %2 之间的整数。"))
                          .arg(fields.at(1).left(20).toString())
                          .arg(kMaxCycle));

    const int rowCount = leadingInteger(fields.at(2));
    // No cycle uses more rows than this; a longer list is no list the panel
    // could have saved.
    if (rowCount > kMaxOrderListRows)
        return failed(pairedText(QStringLiteral("it lists %1 rows; a list has at most %2."),
                                 QStringLiteral("列出 %1 行；列表最多 %2 行。"))
                          .arg(rowCount)
                          .arg(kMaxOrderListRows));
    // Each row takes two fields; a count the text cannot hold (negative,
    // or the file cut short) would leave a list half read.
    const qsizetype available = (fieldCount - 3) / 2;
    if (rowCount < 0 || rowCount > available)
        return failed(pairedText(QStringLiteral("it lists %1 rows but holds %2."),
                                 QStringLiteral("列出 %1 行，实际只有 %2 行。"))
                          .arg(rowCount)
                          .arg(available));

    ParameterFileContents contents;
    contents.cycle = *cycle;
    std::vector<RgbOrderRow> rows;
    rows.reserve(size_t(rowCount));
    for (int i = 0; i < rowCount; ++i) {
        const QStringView pixelField = fields.at(3 + 2 * i);
        RgbOrderRow row;
        if (pixelField == QLatin1String("null")) {
            row.pixel = pixelField.toString();
            ++contents.nullRows;
        } else {
            row.pixel = QString::number(leadingInteger(pixelField));
        }
        row.color = fields.at(4 + 2 * i).toString();
        rows.push_back(std::move(row));
    }
    // The file lists rows from the bottom up.
    contents.orderList.assignLogical(std::move(rows));
    result.kind = ParameterFileResult::Loaded;
    result.contents = std::move(contents);
    return result;
}

ParameterFileResult readParameterFile(const QString &path)
{
    const FileBytes read = readRegularFile(path, kMaxParameterFileBytes + 1);
    if (!read.ok()) {
        ParameterFileResult r;
        r.kind = ParameterFileResult::Failed;
        // A fixed text in every language.
        r.message = QStringLiteral("Open file fail.");
        return r;
    }
    const QByteArray &head = read.bytes;
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
