#pragma once
// The one set of controller values of the running program, shown and edited
// on the controller panel. Data generation and the USB output read it when
// they run; nothing stores it except a parameter file the user saves.

#include "links/rgb_order_list.h"

#include <QStringList>
#include <QStringView>
#include <optional>

struct ControllerParams
{
    // Index into the model list: 0 "KV-M2", 1 "KV-M1". Index 0 enables the
    // timing check of data generation; index 1 with format 4 and 32 grey
    // levels packs two bytes per pixel.
    int controllerModel = 0;
    // Index into the communication format list; picks the frame block layout.
    int communicationFormat = 2; // "SPI595"
    // The number shown by the grey level list: 2, 8, 16, 32, 64, 128 or 256.
    int greyLevels = 256;
    // The hidden controls of the panel: their values never change from these.
    int sdCardSpeed = 3;
    int scanEnhancement = 0;
    int dividerA = 8; // 2..256
    int dividerB = 7; // 2..256
    float rate = 10.0f; // 0.3..25
    // Pixels per group of the order list. The panel refuses values below 1,
    // but a parameter file may still carry one (the encoders then use 1).
    int cycle = 1;
    RgbOrderList orderList;
    // "null" rows added since the last cycle change or file load: extra bytes
    // per cycle group in the port file header.
    int groupExtra = 0;

    // A fresh set as the panel starts it, for a grid of `baseColorNum`
    // colours.
    static ControllerParams initial(int baseColorNum);

    // The list as at panel creation: (1,"b"), (1,"g"), (1,"r") from the top
    // for two or three base colours, (1,"r") for one, empty otherwise. The
    // group extra goes back to 0 with it, since the "null" rows it counted
    // are gone.
    void rebuildOrderList(int baseColorNum);

    // The cycle was edited: the group extra goes to 0 and the list is built
    // for pixels Cycle down to 1, each inserted at the top, so that it reads
    // (1,"b"), (1,"g"), (1,"r"), (2,"b") ... (Cycle,"r") from the top. A
    // cycle below 1 leaves the list empty.
    void changeCycle(int newCycle, int baseColorNum);

    // The "null" button: a ("null","null") row at the top, counted in the
    // group extra.
    void addNullRow();
};

// The entries of the panel's drop-down lists, in index order. Empty entries
// are part of the lists as the controllers expect their indices.
const QStringList &controllerModelNames();
const QStringList &communicationFormatNames();
const QList<int> &greyLevelChoices();
constexpr int kInitialGreyLevelIndex = 6; // "256"

// The largest cycle the panel and the command-line tool take: the list gets
// up to three rows per pixel of the cycle.
constexpr int kMaxCycle = 4096;
// The longest list a parameter file may hold: three rows per pixel of the
// largest cycle, and as many "null" rows again.
constexpr int kMaxOrderListRows = 2 * 3 * kMaxCycle;

// The cycle as the panel's edit field takes it, typed or read from a
// parameter file: a whole number from 1 to kMaxCycle (blanks around it
// allowed); nothing for any other text.
std::optional<int> cycleFromText(QStringView text);
