#include "shell/tool_pages.h"

#include "shell/app_context.h"

#include <QWidget>

namespace {

QWidget *emptyPage(QWidget *parent, const char *name)
{
    auto *page = new QWidget(parent);
    page->setObjectName(QString::fromLatin1(name));
    return page;
}

} // namespace

QWidget *createAnimatePage(AppContext &, QWidget *parent) { return emptyPage(parent, "AnimatePage"); }

QWidget *createDataPage(AppContext &, QWidget *parent) { return emptyPage(parent, "DataPage"); }

QWidget *createLinePage(AppContext &, QWidget *parent) { return emptyPage(parent, "LinePage"); }

QWidget *createPaletteBar(AppContext &, QWidget *parent)
{
    QWidget *bar = emptyPage(parent, "PaletteBar");
    bar->setMinimumHeight(64);
    return bar;
}
