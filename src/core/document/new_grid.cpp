#include "document/new_grid.h"

#include "settings/language.h"

NewGridValues newGridValuesFrom(const GridGeometry &g)
{
    NewGridValues v;
    v.rows = g.rows;
    v.cols = g.cols;
    v.celWidth = g.celWidth;
    v.celHeight = g.celHeight;
    v.scanModeIndex = g.scanMode;
    v.baseColourIndex = g.baseColorNum - 1;
    return v;
}

QString parameterErrorText()
{
    return threeWayText(QStringLiteral("Parameter set error!"), QStringLiteral("参数设置错误！"));
}

namespace {

struct FieldName
{
    const char *key; // of the dialog's labels, section "NFLabel"
    const char *chinese;
    const char *english;
};

const FieldName kFields[4] = {
    {"Label1", "行数", "Rows"},
    {"Label2", "列数", "Columns"},
    {"Label3", "网格宽", "Cell width"},
    {"Label4", "网格高", "Cell height"},
};

QString fieldRangeText(int field)
{
    const FieldName &f = kFields[field];
    const QString name = lookedUpText("NFLabel", f.key, QString::fromUtf8(f.chinese), QString::fromUtf8(f.english));
    const QString chinese = QStringLiteral("%s：应为%d到%d之间的整数");
    const QString text = lookedUpText("Message", "FieldRange", chinese, QStringLiteral("%s: a whole number from %d to %d"));
    return formatText(text, threeWayText(QStringLiteral("%s: a whole number from %d to %d"), chinese),
                      {name, 1, kMaxGridSide});
}

QString gridTooLargeText()
{
    const QString chinese = QStringLiteral("行数×列数：最多%d个网格点");
    const QString english = QStringLiteral("Rows × columns: at most %d grid points");
    return formatText(lookedUpText("Message", "GridTooLarge", chinese, english), threeWayText(english, chinese),
                      {kMaxGridPoints});
}

// The second line of the refusal: the first field, top to bottom, whose
// value is out of its range, or the grid as a whole.
QString wrongFieldText(const NewGridValues &v)
{
    const int values[4] = {v.rows, v.cols, v.celWidth, v.celHeight};
    for (int i = 0; i < 4; ++i)
        if (values[i] < 1 || values[i] > kMaxGridSide)
            return fieldRangeText(i);
    return gridTooLargeText();
}

} // namespace

QString applyNewGridValues(Document &doc, const NewGridValues &v)
{
    if (v.rows <= 0 || v.cols <= 0 || v.celWidth <= 0 || v.celHeight <= 0
        || v.celWidth > kMaxGridSide || v.celHeight > kMaxGridSide || !gridSizeAllowed(v.rows, v.cols))
        return parameterErrorText() + QLatin1Char('\n') + wrongFieldText(v);

    GridGeometry g = doc.geometry();
    g.rows = int16_t(v.rows);
    g.cols = int16_t(v.cols);
    g.celWidth = int16_t(v.celWidth);
    g.celHeight = int16_t(v.celHeight);
    g.scanMode = uint8_t(v.scanModeIndex < 0 || v.scanModeIndex > 1 ? 1 : v.scanModeIndex);
    g.baseColorNum = uint8_t(v.baseColourIndex < 0 || v.baseColourIndex > 2 ? 3 : v.baseColourIndex + 1);
    // setGeometry rebuilds the cell map (and empties the wiring) when the
    // size changed, or creates the map when there is none yet.
    doc.setGeometry(g);
    emit doc.gridSettingsApplied();
    return QString();
}

QString createNewDocument(Document &doc, const NewGridValues &v)
{
    const GridGeometry previous = doc.geometry();
    const QString error = applyNewGridValues(doc, v);
    if (!error.isEmpty())
        return error;
    Document::UpdateBatch batch(doc);
    doc.startNew(previous);
    return QString();
}
