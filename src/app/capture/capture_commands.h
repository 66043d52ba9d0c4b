#pragma once
// The screen gather, the video import and the animated-picture import in
// the AutoPlay menu.

struct AppContext;
class QWidget;

// `mainWindow` is minimised while the gather runs and shown maximised after.
void registerCaptureCommands(AppContext &ctx);
