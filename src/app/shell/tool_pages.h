#pragma once
// The contents of the docked bars. Each subsystem that brings a panel puts
// it in here; until then the page is empty.

class QWidget;
struct AppContext;

// The pages of the "TOOL Bar" tab control.
QWidget *createAnimatePage(AppContext &ctx, QWidget *parent); // "Animate": the operation panel
QWidget *createDataPage(AppContext &ctx, QWidget *parent);    // " Data ": the controller panel
QWidget *createLinePage(AppContext &ctx, QWidget *parent);    // " Line ": the wiring tool page

// The palette bar docked at the bottom.
QWidget *createPaletteBar(AppContext &ctx, QWidget *parent);
