#include "links/serial/program_file.h"

#include "links/serial/transfer_packets.h"
#include "settings/language.h"

#include <QFile>

ProgramFile readProgramFile(const QString &path)
{
    ProgramFile result;
    if (path.isEmpty()) {
        result.problem = ProgramFileProblem::NoFileChosen;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.problem = ProgramFileProblem::OpenFailed;
        return result;
    }
    const QByteArray head = file.read(SerialPacket::kProgramBytes);
    if (head.size() < SerialPacket::kProgramBytes) {
        // A read error part way counts as a short file: the controller would
        // otherwise get a program with a hole in it.
        result.problem = ProgramFileProblem::TooShort;
        return result;
    }
    result.bytes.assign(head.begin(), head.end());
    return result;
}

QString programFileProblemText(ProgramFileProblem problem)
{
    switch (problem) {
    case ProgramFileProblem::None:
        return {};
    case ProgramFileProblem::NoFileChosen:
        return LanguageText("Message", "SelectProgramFile", QStringLiteral("请先选择程序文件!"));
    case ProgramFileProblem::OpenFailed:
        return LanguageText("Message", "OpenFileFailure", QStringLiteral("打开文件失败!"));
    case ProgramFileProblem::TooShort:
        return LanguageText("Message", "ProgramFileTooShort",
                            QStringLiteral("程序文件至少需要4096个字节!"));
    }
    return {};
}
