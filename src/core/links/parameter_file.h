#pragma once
// Controller parameter files (".zari"): the cycle and the colour order list
// as one line of comma-separated text without a line end:
//
//   0,<Cycle>,<row count>,<pixel>,<color>,<pixel>,<color>,...,
//
// The first field is a version the controllers' tools write as "0" or "1";
// any other first field marks a file that is not a parameter file. Rows are
// listed in logical order, from the bottom row of the list up to the top.

#include "links/controller_params.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The text the panel's "保存" writes for the current cycle and list.
QByteArray parameterFileText(const ControllerParams &params);

// Writes that text atomically; false (and the reason in `errorDetail`) when
// the file cannot be written, the old file is then left as it was.
bool writeParameterFile(const QString &path, const ControllerParams &params, QString *errorDetail = nullptr);

struct ParameterFileContents
{
    int cycle = 0;
    RgbOrderList orderList;
    int nullRows = 0; // rows whose pixel is "null": the group extra after loading
};

struct ParameterFileResult
{
    enum Kind {
        Loaded,
        // The first field is neither "0" nor "1": the file is passed over
        // without a word, as the controllers' tools do.
        NotParameterFile,
        // The file cannot be read, or it claims more rows than it holds, or a
        // count that cannot be right: the user is told, nothing changes.
        Failed,
    };
    Kind kind = Failed;
    std::optional<ParameterFileContents> contents; // when Loaded
    QString message;                               // when Failed
};

// Parses the first line of a parameter file.
ParameterFileResult readParameterText(const QByteArray &bytes);
ParameterFileResult readParameterFile(const QString &path);

// Takes loaded contents over into the set: the cycle, the list and the group
// extra (the number of "null" rows).
void applyParameterFile(ControllerParams &params, const ParameterFileContents &contents);

// The usual string-to-integer reading of the fields: leading blanks, an
// optional sign, then digits up to the first other character; 0 when there
// are none. Values beyond the 32-bit range are clamped.
int leadingInteger(QStringView text);
