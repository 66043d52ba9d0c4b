#include "links/controller_params.h"

namespace {

void insertPixelRows(RgbOrderList &list, int pixel, int baseColorNum)
{
    const QString p = QString::number(pixel);
    if (baseColorNum == 1) {
        list.insertAtTop({p, QStringLiteral("r")});
    } else if (baseColorNum == 2 || baseColorNum == 3) {
        list.insertAtTop({p, QStringLiteral("r")});
        list.insertAtTop({p, QStringLiteral("g")});
        list.insertAtTop({p, QStringLiteral("b")});
    }
}

} // namespace

ControllerParams ControllerParams::initial(int baseColorNum)
{
    ControllerParams p;
    p.rebuildOrderList(baseColorNum);
    return p;
}

void ControllerParams::rebuildOrderList(int baseColorNum)
{
    orderList.clear();
    groupExtra = 0;
    insertPixelRows(orderList, 1, baseColorNum);
}

void ControllerParams::changeCycle(int newCycle, int baseColorNum)
{
    cycle = newCycle;
    groupExtra = 0;
    orderList.clear();
    for (int p = newCycle; p >= 1; --p)
        insertPixelRows(orderList, p, baseColorNum);
}

void ControllerParams::addNullRow()
{
    orderList.insertAtTop({QStringLiteral("null"), QStringLiteral("null")});
    ++groupExtra;
}

const QStringList &controllerModelNames()
{
    static const QStringList names = {QStringLiteral("KV-M2"), QStringLiteral("KV-M1"), QString(), QString()};
    return names;
}

const QStringList &communicationFormatNames()
{
    static const QStringList names = {
        QStringLiteral("DMX"),     QStringLiteral("SDMX5124"), QStringLiteral("SPI595"),
        QStringLiteral("SCDMX"),   QStringLiteral("LPD6803"),  QStringLiteral("SD600"),
        QStringLiteral("WS2801"),  QStringLiteral("MY9221"),   QStringLiteral("MBI6024"),
        QStringLiteral("CYT3005"), QStringLiteral("TM1803"),   QStringLiteral("LPD8806"),
        QStringLiteral("TLS3001"), QString(),
    };
    return names;
}

const QList<int> &greyLevelChoices()
{
    static const QList<int> levels = {2, 8, 16, 32, 64, 128, 256};
    return levels;
}

std::optional<int> cycleFromText(QStringView text)
{
    bool ok = false;
    const int cycle = text.trimmed().toInt(&ok);
    if (!ok || cycle < 1 || cycle > kMaxCycle)
        return std::nullopt;
    return cycle;
}
