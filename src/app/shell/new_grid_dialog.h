#pragma once
// The new-grid dialog of File > New: rows, columns, cell width and height,
// program mode and base colour count. Confirming hands the values to a
// check that either takes them over (and the dialog closes) or returns the
// error text, which is shown with an error icon while the dialog stays open.

#include "document/new_grid.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class Prompt;

class NewGridDialog : public QDialog
{
    Q_OBJECT
public:
    using Confirm = std::function<QString(const NewGridValues &)>;

    NewGridDialog(const GridGeometry &current, Prompt &prompt, Confirm confirm, QWidget *parent = nullptr);

    // The values as entered; text that is not a whole number counts as 0.
    NewGridValues values() const;

    QLineEdit *rowsEdit() const { return m_edits[0]; }
    QLineEdit *colsEdit() const { return m_edits[1]; }
    QLineEdit *cellWidthEdit() const { return m_edits[2]; }
    QLineEdit *cellHeightEdit() const { return m_edits[3]; }
    QComboBox *modeList() const { return m_mode; }
    QComboBox *baseColourList() const { return m_baseColours; }
    QPushButton *confirmButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    void accept() override;

private:
    Prompt &m_prompt;
    Confirm m_confirm;
    QLineEdit *m_edits[4];
    QComboBox *m_mode;
    QComboBox *m_baseColours;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};
