#include "patterns/later_pattern_page.h"

#include "settings/language.h"

#include <QLabel>
#include <QVBoxLayout>

LaterPatternPage::LaterPatternPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LaterPatternPage"));
    auto *label = new QLabel(lookedUpText("AutoTile", "PageLater", QStringLiteral("这一页的花样将在以后的版本中提供。")), this);
    label->setObjectName(QStringLiteral("laterText"));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(label);
    layout->addStretch(1);
}
