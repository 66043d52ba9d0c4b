#pragma once
// The controller program file of an update: only its first 4,096 bytes go
// to the controller, whatever its length.

#include <QString>
#include <cstdint>
#include <vector>

enum class ProgramFileProblem {
    None,
    NoFileChosen, // "SelectProgramFile"
    OpenFailed,   // "OpenFileFailure"
    TooShort,     // "ProgramFileTooShort": fewer than 4,096 bytes
};

struct ProgramFile
{
    ProgramFileProblem problem = ProgramFileProblem::None;
    std::vector<uint8_t> bytes; // the first 4,096 bytes when there is no problem
};

// Reads the first 4,096 bytes of `path`; never more, however large the
// file is.
ProgramFile readProgramFile(const QString &path);

QString programFileProblemText(ProgramFileProblem problem);
