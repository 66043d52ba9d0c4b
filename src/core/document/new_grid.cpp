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

QString applyNewGridValues(Document &doc, const NewGridValues &v)
{
    if (v.rows <= 0 || v.cols <= 0 || v.celWidth <= 0 || v.celHeight <= 0
        || v.celWidth > kMaxGridSide || v.celHeight > kMaxGridSide || !gridSizeAllowed(v.rows, v.cols))
        return parameterErrorText();

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
