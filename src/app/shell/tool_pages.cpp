#include "shell/tool_pages.h"

#include "common/app_context.h"
#include "editing/operation_panel.h"
#include "links/controller_page.h"
#include "palette/palette_bar.h"
#include "wiring/wiring_tool_page.h"

#include <QWidget>

QWidget *createAnimatePage(AppContext &ctx, QWidget *parent) { return new OperationPanel(ctx, parent); }

QWidget *createDataPage(AppContext &ctx, QWidget *parent) { return createControllerPage(ctx, parent); }

QWidget *createLinePage(AppContext &ctx, QWidget *parent) { return new WiringToolPage(ctx, parent); }

QWidget *createPaletteBar(AppContext &ctx, QWidget *parent) { return new PaletteBar(ctx, parent); }
