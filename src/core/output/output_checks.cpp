#include "output/output_checks.h"

#include "document/document.h"
#include "settings/language.h"
#include "settings/prompt.h"

bool confirmWiringForOutput(const Document &doc, CircuitryKind circuitry, Prompt &prompt)
{
    const Wiring &wiring = doc.wiring();
    if (wiring.count() < 1 || wiring.kind() != circuitry) {
        prompt.inform(LanguageText("Message", "DefineLineFirst", QStringLiteral("请先进行线路定义。")));
        return false;
    }
    const int missing = doc.pointCount() - wiring.count();
    if (missing > 0) {
        const QString builtIn = QStringLiteral("还有%d点没有进行线路定义，是否生成数据文件?");
        const QString text =
            formatText(LanguageText("Message", "NotDefineAllPoint", builtIn), builtIn, {missing});
        const QString caption = LanguageText("Message", "DataOutCaption", QStringLiteral("数据输出"));
        if (prompt.ask(text, PromptButtons::YesNo, PromptIcon::Question, caption) != PromptAnswer::Yes)
            return false;
    }
    return true;
}

OutputRangeProblem checkOutputRange(int fromFrame, int toFrame, int speed, int frameCount)
{
    if (fromFrame <= 0)
        return OutputRangeProblem::FromNotPositive;
    if (toFrame <= 0)
        return OutputRangeProblem::ToNotPositive;
    if (speed <= 0)
        return OutputRangeProblem::SpeedNotPositive;
    if (fromFrame > toFrame)
        return OutputRangeProblem::FromAfterTo;
    if (fromFrame > frameCount)
        return OutputRangeProblem::FromBeyondEnd;
    return OutputRangeProblem::None;
}

QString outputRangeMessage(OutputRangeProblem problem)
{
    switch (problem) {
    case OutputRangeProblem::None:
        return QString();
    case OutputRangeProblem::FromNotPositive:
    case OutputRangeProblem::ToNotPositive:
    case OutputRangeProblem::SpeedNotPositive:
        return LanguageText("Message", "IntGreaterThan0", QStringLiteral("请输入一个大于0的整数!"));
    case OutputRangeProblem::FromAfterTo:
        return LanguageText("Message", "SatrtFrameLessEndFrame", QStringLiteral("起始帧小于结束帧,请重新选择!"));
    case OutputRangeProblem::FromBeyondEnd:
        return startFrameBeyondLastText();
    }
    return QString();
}

QString startFrameBeyondLastText()
{
    return LanguageText("Message", "StartFrameBeyondLast", QStringLiteral("起始帧超出最后一帧,请重新选择!"));
}

QString outputFileFilter(CircuitryKind circuitry)
{
    return circuitry == CircuitryKind::Neon ? QStringLiteral("Bin file(*.bin)") : QStringLiteral("Led file(*.led)");
}

QString outputFileSuffix(CircuitryKind circuitry)
{
    return circuitry == CircuitryKind::Neon ? QStringLiteral("bin") : QStringLiteral("led");
}

QString outputSuccessMessage()
{
    return LanguageText("Message", "OutputFileSuccess", QStringLiteral("数据生成成功!"));
}
