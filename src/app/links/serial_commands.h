#pragma once
// The serial link's commands in the "硬件配置" menu: choosing the serial
// port, sending frames to the controller and updating its program.

struct AppContext;

void registerSerialCommands(AppContext &ctx);

// The three commands as the menu runs them; each opens its modal dialog.
void chooseSerialPort(AppContext &ctx);
void openDataSendForm(AppContext &ctx);
void openProgramUpdateForm(AppContext &ctx);
