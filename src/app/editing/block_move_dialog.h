#pragma once
// "区域移动": the block's 1-based corner and size, and offsets. "移动" moves
// the block by the offsets (kept inside the grid), "重新定义" makes the
// block anew from the corner and size. Either ends the dialog with OK.

#include <QDialog>

struct AppContext;
class QLineEdit;
class QPushButton;

class BlockMoveDialog : public QDialog
{
    Q_OBJECT
public:
    BlockMoveDialog(AppContext &ctx, QWidget *parent = nullptr);

    QLineEdit *field(int i) const { return m_fields[i]; } // X, Y, width, height, OffX, OffY
    QPushButton *moveButton() const { return m_move; }
    QPushButton *redefineButton() const { return m_redefine; }

private:
    void move();
    void redefine();

    AppContext &m_ctx;
    QLineEdit *m_fields[6] = {};
    QPushButton *m_move = nullptr;
    QPushButton *m_redefine = nullptr;
};
