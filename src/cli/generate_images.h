#pragma once
// The picture and text families of `generate`: a picture file or a typed
// text brought into the grid as the editor's picture and text tabs do.

#include "cli_support.h"

#include <QString>
#include <optional>

class Prompt;
struct PatternTarget;

// The options each of the two families takes besides the common ones.
QStringList pictureFamilyOptions();
QStringList textFamilyOptions();

// Runs the family; the frames made, or nothing after a usage problem,
// which `usage` then holds (a refusal of the run itself goes through the
// prompt and makes 0 frames).
std::optional<int> generatePictureFamily(const CliArgs &a, PatternTarget &target, Prompt &prompt, QString &usage);
std::optional<int> generateTextFamily(const CliArgs &a, PatternTarget &target, Prompt &prompt, QString &usage);
