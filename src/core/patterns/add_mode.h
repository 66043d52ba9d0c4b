#pragma once
// How a generated frame enters the sequence: the operation panel's AddMode
// drop-down, and the rule each family applies to it.

#include "document/frame.h"
#include "editing/editing_modes.h"

#include <QString>

class Document;

// Item text of the AddMode drop-down (section "ComboBox",
// "ComboBoxAddModeItem0".."ComboBoxAddModeItem2").
QString addModeText(int index);

// How a family hands its frames over.
enum class AddRule {
    FollowAddMode,      // all three modes (stacking blocks, text, pattern keys)
    InsertOrOverwrite,  // 0 inserts, 1 and 2 overwrite and advance (curtain)
    AlwaysInsert,       // blinds, water drip, jumping notes, palette fills, picture
};

// The operation on the document that `rule` picks for `mode`.
AddMode effectiveAddMode(AddRule rule, AddMode mode);

// Hands one frame to the document by the mode.
void addFrame(Document &doc, AddMode mode, Frame frame);
