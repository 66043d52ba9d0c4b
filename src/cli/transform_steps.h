#pragma once
// The steps of "brightloom-cli transform", parsed from the command line and
// applied in the order given to a document.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class Document;

struct TransformStep
{
    enum Kind { Rotate, OddRows, EvenRows, AddRow, DeleteRow, AddCol, DeleteCol, Invert, Repeat, ReplaceRgb };
    Kind kind = Rotate;
    int start = 0; // frame range, 1-based and inclusive as in the dialogs
    int last = 0;
    int value = 0;  // repeat count, or component order index
    QString option; // the step as written, for messages
};

struct TransformPlan
{
    QStringList files; // the positional arguments
    std::vector<TransformStep> steps;
    bool help = false;
    QString error; // empty when the command line parsed
};

TransformPlan parseTransformArgs(const QStringList &args);

// Applies one step. Returns an empty text when it was applied (or, like the
// editor's command at the smallest grid, did nothing), else the message why
// it could not be: a frame range outside the frames gives the editor's
// range message.
QString applyTransformStep(Document &doc, const TransformStep &step, QString *note);
