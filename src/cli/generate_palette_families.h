#pragma once
// The palette families of `brightloom-cli generate`: jumping notes
// ("notes") and palette fill ("palette-fill"), and the palette file that
// they and the stacking blocks' palette flow read.

#include <QString>
#include <QStringList>
#include <optional>

struct CliArgs;
class CliNumbers;
class Prompt;
struct PatternTarget;
struct PaletteState;

// The options of each palette family besides the common ones.
QStringList notesFamilyOptions();
QStringList paletteFillFamilyOptions();

// Replaces the palette's colours with those of --palette FILE.col when it is
// given (a gradient program's palette is refused by a normal program, as
// the palette bar refuses it). False, with the reason on standard error,
// when the file cannot be used.
bool readCliPalette(const char *command, const CliArgs &a, int scanMode, PaletteState &palette);

// Reads the family's own options and runs it on `target`. Nothing when an
// option was wrong (the problem is kept in `opt`); otherwise the frames
// made, as the editor's page makes them.
std::optional<int> runNotesFamily(const CliArgs &a, CliNumbers &opt, PatternTarget &target, Prompt &prompt);
std::optional<int> runPaletteFillFamily(const CliArgs &a, CliNumbers &opt, PatternTarget &target, Prompt &prompt);
