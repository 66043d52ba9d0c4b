#include "common/widget_prompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Error:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Message boxes without a title of their own carry the program's name, as
// they always did.
QString boxTitle(const QString &title)
{
    return title.isEmpty() ? QStringLiteral("Brightloom") : title;
}

} // namespace

void WidgetPrompt::inform(const QString &text, PromptIcon icon, const QString &title)
{
    QMessageBox box(boxIcon(icon), boxTitle(title), text, QMessageBox::Ok, m_parent);
    box.exec();
}

namespace {

// `checked` non-null: a check box with the text `option` under the question.
PromptAnswer askInBox(QWidget *parent, const QString &text, PromptButtons buttons, PromptIcon icon,
                      const QString &title, const QString &option = QString(), bool *checked = nullptr)
{
    QMessageBox::StandardButtons offered;
    QMessageBox::StandardButton escape = QMessageBox::NoButton;
    switch (buttons) {
    case PromptButtons::Ok:
        offered = QMessageBox::Ok;
        escape = QMessageBox::Ok;
        break;
    case PromptButtons::OkCancel:
        offered = QMessageBox::Ok | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        break;
    case PromptButtons::YesNo:
        offered = QMessageBox::Yes | QMessageBox::No;
        escape = QMessageBox::No;
        break;
    case PromptButtons::YesNoCancel:
        offered = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        break;
    }
    QMessageBox box(boxIcon(icon), boxTitle(title), text, offered, parent);
    box.setEscapeButton(escape);
    if (checked) {
        box.setCheckBox(new QCheckBox(option)); // the box owns it
        box.checkBox()->setChecked(*checked);
    }
    const int pressed = box.exec();
    if (checked)
        *checked = box.checkBox()->isChecked();
    switch (pressed) {
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    default:
        return PromptAnswer::Cancel;
    }
}

} // namespace

PromptAnswer WidgetPrompt::ask(const QString &text, PromptButtons buttons, PromptIcon icon,
                               const QString &title)
{
    return askInBox(m_parent, text, buttons, icon, title);
}

PromptAnswer WidgetPrompt::askWithOption(const QString &text, PromptButtons buttons, const QString &option,
                                         bool &checked, PromptIcon icon)
{
    return askInBox(m_parent, text, buttons, icon, QString(), option, &checked);
}

QString WidgetPrompt::chooseOpenFile(const QString &title, const QString &filter, const QString &folder)
{
    return QFileDialog::getOpenFileName(m_parent, title, folder, filter);
}

QString WidgetPrompt::chooseSaveFile(const QString &title, const QString &filter, const QString &suggestedName,
                                     const QString &defaultSuffix)
{
    QFileDialog dialog(m_parent, title, suggestedName, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
