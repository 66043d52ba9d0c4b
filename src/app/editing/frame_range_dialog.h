#pragma once
// "复制和剪切": start and end frame for cut, copy, delete and invert, on the
// block (odd modes) or whole frames (even modes). Confirming runs the
// operation; a range out of bounds shows its message and the dialog stays
// open.

#include <QDialog>

struct AppContext;
class FrameRangeFields;

class FrameRangeDialog : public QDialog
{
    Q_OBJECT
public:
    // mode: 1..8 (cut 1/2, copy 3/4, delete 5/6, invert 7/8).
    FrameRangeDialog(AppContext &ctx, int mode, QWidget *parent = nullptr);

    int mode() const { return m_mode; }
    FrameRangeFields &fields() { return *m_fields; }

    void accept() override;

private:
    AppContext &m_ctx;
    int m_mode;
    FrameRangeFields *m_fields = nullptr;
};
