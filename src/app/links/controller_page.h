#pragma once
// The " Data " page of the tool bar: the controller panel over the editor's
// one set of controller values, following the language commands.

#include "links/controller_params.h"

class QWidget;
struct AppContext;

// The controller values of the running program. The panel shows them, data
// generation and the USB output read them; nothing else stores them.
ControllerParams &applicationControllerParams();

QWidget *createControllerPage(AppContext &ctx, QWidget *parent);
