#include "links/order_list_follower.h"

#include "document/document.h"

OrderListFollower::OrderListFollower(Document &doc, ControllerParams &params, QObject *parent)
    : QObject(parent), m_doc(doc), m_params(params), m_baseColorNum(doc.geometry().baseColorNum)
{
    // Confirmed new grid settings always rebuild the list, as the grid
    // dialog promises. Other geometry changes (a project opened, a rotation,
    // an added row) keep a list the user arranged, unless the number of base
    // colours changed under it: a list of "r","g","b" rows for a single
    // colour grid, or one "r" row for a colour grid, would make wrong data.
    connect(&doc, &Document::gridSettingsApplied, this, &OrderListFollower::rebuild);
    connect(&doc, &Document::geometryChanged, this, [this] {
        if (m_doc.geometry().baseColorNum != m_baseColorNum)
            rebuild();
    });
}

void OrderListFollower::rebuild()
{
    m_baseColorNum = m_doc.geometry().baseColorNum;
    m_params.rebuildOrderList(m_baseColorNum);
    emit orderListRebuilt();
}
