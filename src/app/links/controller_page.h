#pragma once
// The " Data " page of the tool bar: the controller panel over the editor's
// one set of controller values, following the language commands.

class QWidget;
struct AppContext;

QWidget *createControllerPage(AppContext &ctx, QWidget *parent);
