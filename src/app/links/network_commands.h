#pragma once
// The network output's command in the "硬件配置" menu: the dialog that sets
// up and switches on sending the frames to E1.31, Art-Net or DDP receivers.

struct AppContext;
class NetworkOutput;

// Makes the live output (it follows the document from then on) and
// registers its command; the output belongs to the main window.
NetworkOutput *registerNetworkCommands(AppContext &ctx);
