#pragma once
// The " Line " page of the tool bar: the wiring editor's controls. Selecting
// the page puts the canvas into wiring mode (the page's canvas tool takes
// the mouse and draws the wiring, Edit > Undo takes back wiring steps);
// selecting another page leaves it.

#include <QPointer>
#include <QWidget>
#include <array>

struct AppContext;
class CanvasTool;
class CanvasView;
class PageHistory;
class PortPicker;
class QAbstractButton;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QToolBar;
class WiringCanvasTool;
class WiringEditor;

class WiringToolPage : public QWidget
{
    Q_OBJECT
public:
    explicit WiringToolPage(AppContext &ctx, QWidget *parent = nullptr);
    ~WiringToolPage() override;

    void setWiringMode(bool on, CanvasView *view);
    bool isWiringMode() const { return m_wiringMode; }

    WiringEditor &editor() { return *m_editor; }
    WiringCanvasTool &canvasTool() { return *m_tool; }
    QSpinBox *portBox() const { return m_portBox; }
    PortPicker *portPicker() const { return m_picker; }

    // Captions in the active language.
    void applyTexts();
    // The widest port-and-pixel text the canvas shows in the last status
    // pane, in the active language.
    static QString widestAssignmentText();

private:
    enum Button { Copy, Open, Save, Paste, Reset, Delete, Undo, Check, ButtonCount };
    void buildControls();
    void syncFromEditor();
    void loadPicture();
    void showStatus(const QString &text);

    AppContext &m_ctx;
    WiringEditor *m_editor = nullptr;
    WiringCanvasTool *m_tool = nullptr;
    PageHistory *m_history = nullptr; // Edit > Undo's steps while the page is current
    QPointer<CanvasView> m_view;
    CanvasTool *m_previousTool = nullptr;
    bool m_wiringMode = false;

    QLabel *m_title = nullptr;
    QGroupBox *m_group = nullptr;
    QLabel *m_portLabel = nullptr;
    QSpinBox *m_portBox = nullptr;
    PortPicker *m_picker = nullptr;
    std::array<QPushButton *, ButtonCount> m_buttons{};
    QCheckBox *m_syncController = nullptr;
    std::array<QAction *, 7> m_editTools{}; // first bar (3) and second bar (4)
    std::array<QAction *, 3> m_pictureTools{};
};
