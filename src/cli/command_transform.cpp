// brightloom-cli transform IN OUT STEP...
#include "cli_command.h"
#include "cli_support.h"
#include "transform_steps.h"

#include "document/document.h"
#include "document/edit_history.h"

int runTransform(const QStringList &args)
{
    const TransformPlan plan = parseTransformArgs(args);
    if (const std::optional<int> done = endsAtParse(plan, "transform"))
        return *done;
    if (plan.files.size() != 2)
        return usageError("transform", QStringLiteral("expected an input and an output file"));
    if (plan.steps.empty())
        return usageError("transform", QStringLiteral("expected at least one step"));

    std::optional<ProjectData> data = loadProject("transform", plan.files.at(0));
    if (!data)
        return ExitFailure;
    const bool truncated = data->truncated;
    Document doc(data->geometry);
    // Nobody undoes a batch run: the steps keep no copies of the frames.
    doc.history().setLimitMegabytes(0);
    doc.replaceContents(data->geometry, std::move(data->frames));

    for (const TransformStep &step : plan.steps) {
        QString note;
        const QString error = applyTransformStep(doc, step, &note);
        if (!error.isEmpty()) {
            complain("transform", QStringLiteral("%1: %2").arg(step.option, error));
            return ExitFailure;
        }
        if (!note.isEmpty())
            complain("transform", note);
    }

    const QString &out = plan.files.at(1);
    QString reason;
    if (!writeProjectFile(out, doc.geometry(), doc.frames(), &reason)) {
        complain("transform", QStringLiteral("%1: cannot write: %2").arg(out, reason));
        return ExitFailure;
    }
    return truncated ? ExitTruncated : ExitOk;
}
