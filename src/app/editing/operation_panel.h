#pragma once
// The operation panel ("操作", the "Animate" page of the TOOL Bar): the
// editing switches (pen, colour action, stroke spread, AddMode), the frame
// buttons ("保存", "全亮") and the area buttons ("区域定义", "区域移动",
// "区域取消").
//
// The pattern keys (A, D, W, S, B, F), the action type list and the command
// count are put into patternSlot() by the pattern subsystem; the USB
// controller list and the "USB" switch (usbList(), usbSwitch()) are run by
// the USB output, which hears of the area buttons through the signals.

#include <QWidget>

struct AppContext;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QToolButton;
class QVBoxLayout;

class OperationPanel : public QWidget
{
    Q_OBJECT
public:
    OperationPanel(AppContext &ctx, QWidget *parent = nullptr);

    QToolButton *penButton() const { return m_pen; }
    QComboBox *colourActionBox() const { return m_colourAction; }
    QComboBox *strokeSpreadBox() const { return m_spread; }
    QComboBox *addModeBox() const { return m_addMode; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *allLightButton() const { return m_allLight; }
    QPushButton *defineButton() const { return m_define; }
    QPushButton *moveButton() const { return m_move; }
    QPushButton *cancelButton() const { return m_cancel; }
    QComboBox *usbList() const { return m_usbList; }
    QCheckBox *usbSwitch() const { return m_usb; }

    // Where the pattern keys, the action type list and the command count
    // are laid out (top of the panel).
    QVBoxLayout *patternSlot() const { return m_patternSlot; }

    void applyTexts();

    // The buttons' actions, also reachable without a click.
    void togglePen();
    void defineArea();
    void moveArea();
    void cancelArea();

signals:
    // The area was cancelled; the area move dialog closed (either way).
    void areaCancelled();
    void areaMoveClosed();

private:
    AppContext &m_ctx;
    QGroupBox *m_group = nullptr;
    QVBoxLayout *m_patternSlot = nullptr;
    QToolButton *m_pen = nullptr;
    QComboBox *m_colourAction = nullptr;
    QComboBox *m_spread = nullptr;
    QComboBox *m_addMode = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_allLight = nullptr;
    QPushButton *m_define = nullptr;
    QPushButton *m_move = nullptr;
    QPushButton *m_cancel = nullptr;
    QComboBox *m_usbList = nullptr;
    QCheckBox *m_usb = nullptr;
};
