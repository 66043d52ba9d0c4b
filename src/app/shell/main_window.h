#pragma once
// The main window: the canvas in the middle, the tool bar, the play panel at
// the top, the "TOOL Bar" with its three pages on the left, the palette bar
// at the bottom and the status bar with its panes and progress indicator.
// Until the first New or Open only the start-up menu, the New/Open/About
// buttons and the status bar are there.

#include <QByteArray>
#include <QMainWindow>

class QDockWidget;
class QLabel;
class QProgressBar;
class QTabWidget;
class QToolBar;
struct AppContext;
class CanvasPrinting;
class CanvasView;
class CommandActions;
class DocumentCommands;
class MainMenu;
class OperationPanel;
class UsbOutput;
class PlaybackController;
class PlayPanel;
class RecentFiles;
class WiringToolPage;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    MainWindow(AppContext &ctx, RecentFiles &recent);
    ~MainWindow() override;

    AppContext &context() { return m_ctx; }
    CanvasView *canvas() const { return m_canvas; }
    PlayPanel *playPanel() const { return m_playPanel; }
    PlaybackController &playback() { return *m_playback; }
    DocumentCommands &documents() { return *m_documents; }
    CommandActions &actions() { return *m_actions; }
    MainMenu &mainMenu() { return *m_menu; }
    CanvasPrinting &printing() { return *m_printing; }
    RecentFiles &recentFiles() { return m_recent; }

    QToolBar *toolBar() const { return m_toolBar; }
    QToolBar *playBar() const { return m_playBar; }
    QDockWidget *toolDock() const { return m_toolDock; }
    QTabWidget *toolTabs() const { return m_toolTabs; }
    QDockWidget *paletteDock() const { return m_paletteDock; }
    QDockWidget *historyDock() const { return m_historyDock; }
    WiringToolPage *wiringPage() const { return m_wiringPage; }
    OperationPanel *operationPanel() const { return m_operationPanel; }
    UsbOutput &usbOutput() { return *m_usb; }
    QProgressBar *progressIndicator() const { return m_progress; }
    // Status panes 1 (grid position), 2 (colour), 3 (total frames).
    QLabel *statusPane(int pane) const;

    // Menus, bars and status texts in the active language.
    void applyLanguage();
    // The language commands: a language already active does nothing.
    void setLanguage(int code);
    // Enabled and checked state of every action.
    void refreshCommandStates();
    // The full menu, the hidden buttons and the three bars (after New and
    // Open).
    void showEditingLayout();
    bool isEditingLayout() const;

    // The " Line " page is selected: the canvas is in wiring mode, the
    // wiring page's tool has its mouse.
    void setWiringMode(bool on);
    // FrameLoadProgress: 0..50 on the status bar's indicator; 0 ends it.
    void showLoadProgress(int position);
    // F6 / Shift+F6: the focus moves between the canvas and the docked bars.
    void focusNextPane(bool forward);
    void updateTitle();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void fillToolBar();
    void createStatusBar();
    // Status panes 1 to 3 as wide as their widest texts in the language.
    void fitStatusPanes();
    void createDocks();
    void onPlayingChanged(bool playing);
    // The bars playback hides or keeps: tool bar, docks, play bar, status
    // bar.
    QList<QWidget *> barsAroundCanvas() const;
    QList<QWidget *> focusPanes() const;

    AppContext &m_ctx;
    RecentFiles &m_recent;
    CommandActions *m_actions = nullptr;
    MainMenu *m_menu = nullptr;
    CanvasView *m_canvas = nullptr;
    PlayPanel *m_playPanel = nullptr;
    PlaybackController *m_playback = nullptr;
    DocumentCommands *m_documents = nullptr;
    CanvasPrinting *m_printing = nullptr;

    QToolBar *m_toolBar = nullptr;
    QList<QAction *> m_editingButtons; // hidden until the first New or Open
    QToolBar *m_playBar = nullptr;
    QDockWidget *m_toolDock = nullptr;
    QTabWidget *m_toolTabs = nullptr;
    WiringToolPage *m_wiringPage = nullptr;
    OperationPanel *m_operationPanel = nullptr;
    UsbOutput *m_usb = nullptr;
    QDockWidget *m_paletteDock = nullptr;
    QDockWidget *m_historyDock = nullptr;
    QLabel *m_panes[4] = {};
    QProgressBar *m_progress = nullptr;
    bool m_editingLayout = false;

    // Window state kept while playback fills the screen.
    QByteArray m_placementBeforePlay;
    Qt::WindowStates m_statesBeforePlay;
    QList<QWidget *> m_barsShownBeforePlay;
    QPoint m_gridOffsetBeforePlay;
};
