#include "links/program_update_form.h"

#include "links/serial/program_file.h"
#include "serial/serial_transfer_runner.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ProgramUpdateForm::ProgramUpdateForm(Prompt &prompt, QWidget *parent, std::shared_ptr<Clock> clock)
    : SerialTransferForm(prompt, parent, std::move(clock))
{
    setObjectName(QStringLiteral("ProgramUpdateForm"));
    m_label = new QLabel(this);
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("ProgramPath"));
    m_path->setReadOnly(true);
    m_path->setMinimumWidth(320);
    m_browse = new QPushButton(this);
    m_browse->setObjectName(QStringLiteral("Browse"));
    m_update = new QPushButton(this);
    m_update->setObjectName(QStringLiteral("Update"));
    m_update->setDefault(true);
    m_exit = new QPushButton(this);
    m_exit->setObjectName(QStringLiteral("Exit"));

    auto *file = new QHBoxLayout;
    file->addWidget(m_label);
    file->addWidget(m_path, 1);
    file->addWidget(m_browse);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_update);
    buttons->addWidget(m_exit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(file);
    layout->addLayout(buttons);
    connect(m_browse, &QPushButton::clicked, this, &ProgramUpdateForm::browse);
    connect(m_update, &QPushButton::clicked, this, &ProgramUpdateForm::update);
    connect(m_exit, &QPushButton::clicked, this, &ProgramUpdateForm::reject);
    applyTexts();
}

QString ProgramUpdateForm::fileFilter()
{
    return QStringLiteral("程序文件(*.bin);;所有文件(*)");
}

void ProgramUpdateForm::applyTexts()
{
    setWindowTitle(captionText("UPFTitle", "Title", QStringLiteral("控制器程序更新")));
    m_label->setText(captionText("UPFLable", "Label1", QStringLiteral("程序文件:")));
    m_browse->setText(captionText("UPFButton", "Button_Browse", QStringLiteral("浏览")));
    m_update->setText(captionText("UPFButton", "Button_Update", QStringLiteral("更新")));
    m_exit->setText(captionText("UPFButton", "Button_Exit", QStringLiteral("退出")));
}

void ProgramUpdateForm::browse()
{
    if (busy())
        return;
    const QString path = prompt().chooseOpenFile(QString(), fileFilter());
    if (!path.isEmpty())
        m_path->setText(path);
}

void ProgramUpdateForm::update()
{
    if (busy())
        return;
    const ProgramFile file = readProgramFile(m_path->text());
    if (file.problem != ProgramFileProblem::None) {
        prompt().inform(programFileProblemText(file.problem),
                        file.problem == ProgramFileProblem::NoFileChosen ? PromptIcon::Warning : PromptIcon::Error);
        return;
    }
    startTransfer([&file](SerialTransferRunner &r) { return r.startProgramUpdate(file.bytes); });
}

void ProgramUpdateForm::busyChanged(bool busy)
{
    for (QPushButton *b : {m_browse, m_update, m_exit})
        b->setEnabled(!busy);
}
