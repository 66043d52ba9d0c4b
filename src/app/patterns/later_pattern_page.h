#pragma once
// The text, jumping-notes, picture and palette-fill tabs: their pages come
// with a later version; until then the tab says so.

#include <QWidget>

class LaterPatternPage : public QWidget
{
    Q_OBJECT
public:
    explicit LaterPatternPage(QWidget *parent = nullptr);
};
