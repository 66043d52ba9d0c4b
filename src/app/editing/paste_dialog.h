#pragma once
// The paste dialog ("区域粘贴" with a usable block, "帧粘贴" otherwise):
// start frame, repetitions, insert or overwrite, transparent overlay,
// reverse order and direction.

#include "editing/paste.h"

#include <QDialog>

struct AppContext;
class QCheckBox;
class QComboBox;
class QLineEdit;

class PasteDialog : public QDialog
{
    Q_OBJECT
public:
    PasteDialog(AppContext &ctx, QWidget *parent = nullptr);

    PasteOptions options() const;
    QLineEdit *startField() const { return m_start; }
    QLineEdit *countField() const { return m_count; }
    QComboBox *modeBox() const { return m_mode; }
    QComboBox *directionBox() const { return m_direction; }
    QCheckBox *transparentBox() const { return m_transparent; }
    QCheckBox *reverseBox() const { return m_reverse; }

    // Pastes; a size mismatch ends the dialog, a start below 1 keeps it open.
    void accept() override;

private:
    AppContext &m_ctx;
    QLineEdit *m_start = nullptr;
    QLineEdit *m_count = nullptr;
    QComboBox *m_mode = nullptr;
    QComboBox *m_direction = nullptr;
    QCheckBox *m_transparent = nullptr;
    QCheckBox *m_reverse = nullptr;
};
