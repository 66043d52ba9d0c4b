#pragma once
// Keeps the controller values in step with the document's grid: new grid
// settings rebuild the colour order list for the grid's base colour count.

#include "links/controller_params.h"

#include <QObject>

class Document;

class OrderListFollower : public QObject
{
    Q_OBJECT
public:
    // Follows `doc` for as long as both live.
    OrderListFollower(Document &doc, ControllerParams &params, QObject *parent = nullptr);

signals:
    // The list was rebuilt; the panel shows it again.
    void orderListRebuilt();

private:
    void rebuild();

    Document &m_doc;
    ControllerParams &m_params;
    int m_baseColorNum;
};
