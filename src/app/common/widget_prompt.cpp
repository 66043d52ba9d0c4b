#include "common/widget_prompt.h"

#include <QApplication>
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

PromptAnswer WidgetPrompt::ask(const QString &text, PromptButtons buttons, PromptIcon icon,
                               const QString &title)
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
    QMessageBox box(boxIcon(icon), boxTitle(title), text, offered, m_parent);
    box.setEscapeButton(escape);
    switch (box.exec()) {
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

QString WidgetPrompt::chooseOpenFile(const QString &title, const QString &filter, const QString &folder)
{
    return QFileDialog::getOpenFileName(m_parent, title, folder, filter);
}

QString WidgetPrompt::chooseSaveFile(const QString &title, const QString &filter, const QString &suggestedName)
{
    return QFileDialog::getSaveFileName(m_parent, title, suggestedName, filter);
}
