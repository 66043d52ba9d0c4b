#include "shell/tool_pages.h"

#include "editing/operation_panel.h"
#include "palette/palette_bar.h"
#include "shell/app_context.h"
#include "wiring/wiring_tool_page.h"

#include <QWidget>

namespace {

QWidget *emptyPage(QWidget *parent, const char *name)
{
    auto *page = new QWidget(parent);
    page->setObjectName(QString::fromLatin1(name));
    return page;
}

} // namespace

QWidget *createAnimatePage(AppContext &ctx, QWidget *parent) { return new OperationPanel(ctx, parent); }

QWidget *createDataPage(AppContext &, QWidget *parent) { return emptyPage(parent, "DataPage"); }

QWidget *createLinePage(AppContext &ctx, QWidget *parent) { return new WiringToolPage(ctx, parent); }

QWidget *createPaletteBar(AppContext &ctx, QWidget *parent) { return new PaletteBar(ctx, parent); }
