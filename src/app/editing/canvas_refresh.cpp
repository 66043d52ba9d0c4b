#include "editing/canvas_refresh.h"

#include "common/app_context.h"

#include <QWidget>

void refreshCanvas(AppContext &ctx)
{
    // Found by name, so panels need not know the canvas class.
    if (!ctx.window)
        return;
    if (auto *canvas = ctx.window->findChild<QWidget *>(QStringLiteral("CanvasView")))
        canvas->update();
}
