#include "shell/main_window.h"

#include "canvas/canvas_view.h"
#include "common/app_context.h"
#include "common/app_events.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "common/status_progress.h"
#include "document/document.h"
#include "document/edit_history.h"
#include "editing/editing_commands.h"
#include "editing/history_panel.h"
#include "editing/operation_panel.h"
#include "links/controller_page.h"
#include "links/usb_output.h"
#include "palette/palette_bar.h"
#include "patterns/pattern_commands.h"
#include "settings/language.h"
#include "shell/canvas_printing.h"
#include "shell/command_actions.h"
#include "shell/document_commands.h"
#include "shell/main_menu.h"
#include "shell/memory_guard.h"
#include "shell/play_panel.h"
#include "shell/playback_controller.h"
#include "shell/register_commands.h"
#include "shell/status_pane_width.h"
#include "shell/toolbar_icons.h"
#include "wiring/wiring_tool_page.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The tool bar: New, Open, Save, Undo, Redo, Cut, Copy, Paste, Print, a separator,
// About. The ones marked are hidden until the first New or Open.
struct ToolButton
{
    int id;
    bool editingOnly;
};
const ToolButton kToolButtons[] = {
    {Cmd::FileNew, false}, {Cmd::FileOpen, false}, {Cmd::FileSave, true}, {Cmd::EditUndo, true},
    {Cmd::EditRedo, true}, {Cmd::EditCut, true}, {Cmd::EditCopy, true}, {Cmd::EditPaste, true},
    {Cmd::FilePrint, true}, {0, false},
    {Cmd::AppAbout, false},
};

QList<QString> localFiles(const QMimeData *mime)
{
    QList<QString> files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl &url : mime->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

} // namespace

MainWindow::MainWindow(AppContext &ctx, RecentFiles &recent) : m_ctx(ctx), m_recent(recent)
{
    setObjectName(QStringLiteral("MainWindow"));
    m_ctx.window = this;
    setAcceptDrops(true);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);

    new MemoryGuard(m_ctx, this);
    m_canvas = new CanvasView(m_ctx, this);
    m_canvas->setObjectName(QStringLiteral("CanvasView"));
    setCentralWidget(m_canvas);
    // The mouse paints on the canvas; the wiring editor takes over on the
    // " Line " page.
    installPaintingTool(m_ctx, *m_canvas);

    // The tool bar's place comes before the play bar's; its buttons come
    // with the commands.
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setIconSize(QSize(24, 24));
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    m_playPanel = new PlayPanel(m_ctx.doc, this);
    m_playBar = new QToolBar(this);
    m_playBar->setObjectName(QStringLiteral("PlayPanelBar"));
    m_playBar->addWidget(m_playPanel);
    addToolBar(Qt::TopToolBarArea, m_playBar);
    createDocks();
    createStatusBar();
    m_ctx.statusBar = statusBar();
    m_ctx.progress = m_progress;
    m_ctx.playSpeed = [panel = m_playPanel] { return panel->playSpeed(); };

    m_playback = new PlaybackController(m_ctx.doc, *m_playPanel, this);
    connect(m_playback, &PlaybackController::playingChanged, this, &MainWindow::onPlayingChanged);
    // Synchronous USB output follows playback and the area buttons.
    m_usb = new UsbOutput(m_ctx, *m_operationPanel->usbList(), *m_operationPanel->usbSwitch(), this);
    m_playback->onPlayStart = [this] { m_usb->playStarted(); };
    m_playback->onPlayStep = [this](int) { m_usb->playStep(); };
    m_playback->onPlayStop = [this] { m_usb->playStopped(); };
    m_usb->stopPlayback = [this] { m_playback->stop(); };
    connect(m_operationPanel, &OperationPanel::areaCancelled, m_usb, &UsbOutput::areaCancelled);
    connect(m_operationPanel, &OperationPanel::areaMoveClosed, m_usb, &UsbOutput::areaMoved);
    m_documents = new DocumentCommands(m_ctx, *m_playback, m_recent, this);
    m_documents->loadProgress = [this](int position) { showLoadProgress(position); };
    connect(m_documents, &DocumentCommands::documentReady, this, [this] {
        showEditingLayout();
        m_canvas->actualSize();
        m_canvas->refreshStatusTexts();
    });
    connect(m_documents, &DocumentCommands::titleChanged, this, &MainWindow::updateTitle);
    // Open, Save and Save As put the file at the top of the recent list.
    connect(m_documents, &DocumentCommands::titleChanged, this, [this] { m_menu->refreshRecentFiles(); });
    m_printing = new CanvasPrinting(*m_canvas, m_ctx.prompt, this);

    // Every part a handler needs is there: the subsystems declare their
    // commands, and the actions, tool bar buttons and menus are made from
    // them.
    registerAllCommands(m_ctx, *this);
    m_actions = new CommandActions(m_ctx.commands, this);
    fillToolBar();
    m_menu = new MainMenu(*menuBar(), m_ctx.commands, *m_actions, m_recent);
    m_menu->onRecentFile = [this](const QString &path) { m_documents->openFile(path); };
    connect(m_menu, &MainMenu::aboutToShowMenu, this, &MainWindow::refreshCommandStates);
    m_menu->showStartupMenu();

    auto *next = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(next, &QShortcut::activated, this, [this] { focusNextPane(true); });
    auto *previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this);
    connect(previous, &QShortcut::activated, this, [this] { focusNextPane(false); });

    connect(m_canvas, &CanvasView::statusTextChanged, this, [this](int pane, const QString &text) {
        if (pane >= 0 && pane <= 3)
            m_panes[pane]->setText(text);
    });

    // Every command and every change of the document may change what is
    // enabled or checked.
    connect(&m_ctx.commands, &CommandRegistry::commandRan, this, &MainWindow::refreshCommandStates);
    Document &doc = m_ctx.doc;
    for (auto signal : {&Document::framesChanged, &Document::frameContentChanged, &Document::geometryChanged,
                        &Document::wiringChanged, &Document::contentsReplaced})
        connect(&doc, signal, this, &MainWindow::refreshCommandStates);
    connect(&doc, &Document::currentFrameChanged, this, &MainWindow::refreshCommandStates);
    connect(&doc.history(), &EditHistory::changed, this, &MainWindow::refreshCommandStates);
    connect(&m_ctx.editing, &EditingState::pageHistoryChanged, this, &MainWindow::refreshCommandStates);
    connect(&doc, &Document::modifiedChanged, this, [this] {
        refreshCommandStates();
        updateTitle();
    });

    applyLanguage();
    updateTitle();
    refreshCommandStates();
}

MainWindow::~MainWindow()
{
    // The wiring tool watches the canvas's events while the Line page is
    // open; the canvas sends some (leaving the mouse) as it goes, and the
    // tool must not take them for a live canvas's. It lets go first.
    setWiringMode(false);
    // Hiding the bars while the window goes away must not ask the half
    // destroyed window for its state. The tool tabs too: as their pages go,
    // the current tab moves on and would hand the canvas to the wiring page.
    for (QObject *sender : std::initializer_list<QObject *>{m_toolBar, m_toolDock, m_toolTabs, m_paletteDock,
                                                            &m_ctx.commands, &m_ctx.doc, &m_ctx.editing})
        sender->disconnect(this);
    m_ctx.window = nullptr;
    m_ctx.statusBar = nullptr;
    m_ctx.progress = nullptr;
    m_ctx.playSpeed = nullptr;
}

void MainWindow::fillToolBar()
{
    for (const ToolButton &b : kToolButtons) {
        if (b.id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction *a = m_actions->action(b.id);
        a->setIcon(toolBarIcon(b.id));
        m_toolBar->addAction(a);
        if (b.editingOnly) {
            // None of these is in the start-up menu, so hiding the action
            // hides just the button.
            a->setVisible(false);
            m_editingButtons << a;
        }
    }
    connect(m_toolBar, &QToolBar::visibilityChanged, this, &MainWindow::refreshCommandStates);
}

void MainWindow::createDocks()
{
    m_toolDock = new QDockWidget(this);
    m_toolDock->setObjectName(QStringLiteral("ToolBarDock"));
    m_toolDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_toolTabs = new QTabWidget(m_toolDock);
    m_toolTabs->setObjectName(QStringLiteral("ToolTabs"));
    // "Animate": the operation panel with the pattern keys; " Data ": the
    // controller panel; " Line ": the wiring tool page.
    auto *animate = m_operationPanel = new OperationPanel(m_ctx, m_toolTabs);
    installPatternKeys(m_ctx, animate->patternSlot(), m_canvas);
    m_toolTabs->addTab(animate, QStringLiteral("Animate"));
    m_toolTabs->addTab(createControllerPage(m_ctx, m_toolTabs), QStringLiteral(" Data "));
    m_wiringPage = new WiringToolPage(m_ctx, m_toolTabs);
    m_toolTabs->addTab(m_wiringPage, QStringLiteral(" Line "));
    m_toolTabs->setMinimumWidth(240);
    connect(m_toolTabs, &QTabWidget::currentChanged, this,
            [this] { setWiringMode(m_toolTabs->currentWidget() == m_wiringPage); });
    m_toolDock->setWidget(m_toolTabs);
    addDockWidget(Qt::LeftDockWidgetArea, m_toolDock);

    m_paletteDock = new QDockWidget(this);
    m_paletteDock->setObjectName(QStringLiteral("PaletteDock"));
    m_paletteDock->setAllowedAreas(Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea);
    m_paletteDock->setWidget(new PaletteBar(m_ctx, m_paletteDock));
    addDockWidget(Qt::BottomDockWidgetArea, m_paletteDock);

    // Edit > History shows it; it starts hidden.
    m_historyDock = new HistoryPanel(m_ctx, this);
    addDockWidget(Qt::RightDockWidgetArea, m_historyDock);
    m_historyDock->hide();

    // The bars appear with the first New or Open.
    m_toolDock->hide();
    m_paletteDock->hide();
    m_playBar->hide();
    for (QDockWidget *dock : {m_toolDock, m_paletteDock, static_cast<QDockWidget *>(m_historyDock)})
        connect(dock, &QDockWidget::visibilityChanged, this, &MainWindow::refreshCommandStates);
}

void MainWindow::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    for (int i = 0; i < 4; ++i) {
        m_panes[i] = new QLabel(bar);
        m_panes[i]->setObjectName(QStringLiteral("StatusPane%1").arg(i));
    }
    // A long message in the first pane is cut at the bar's width; it never
    // pushes the other panes out of the window. Their widths follow their
    // texts in the active language (fitStatusPanes).
    m_panes[0]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(m_panes[0], 1);
    m_progress = new QProgressBar(bar);
    m_progress->setObjectName(QStringLiteral("LoadProgress"));
    m_progress->setRange(0, 50);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setFixedWidth(140);
    m_progress->setMaximumHeight(14);
    bar->addPermanentWidget(m_progress);
    // An empty indicator says nothing: it shows only while a load or a run
    // moves it. Its place is kept, so that it can appear in the middle of a
    // run that does not go back to the event loop, and the panes beside it
    // do not jump.
    QSizePolicy keepPlace = m_progress->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_progress->setSizePolicy(keepPlace);
    m_progress->hide();
    connect(m_progress, &QProgressBar::valueChanged, this,
            [this](int value) { m_progress->setVisible(value > m_progress->minimum()); });
    for (int i = 1; i < 4; ++i)
        bar->addPermanentWidget(m_panes[i]);
}

QLabel *MainWindow::statusPane(int pane) const { return pane >= 0 && pane < 4 ? m_panes[pane] : nullptr; }

void MainWindow::applyLanguage()
{
    const int code = Language::code();
    m_menu->applyTexts(code);
    m_toolDock->setWindowTitle(QStringLiteral("TOOL Bar"));
    m_paletteDock->setWindowTitle(lookedUpText("MainFrame", "PaletteBarTitle", QStringLiteral("调色板")));
    m_playBar->setWindowTitle(lookedUpText("MainFrame", "PlayPanelTitle", QStringLiteral("播放")));
    m_toolBar->setWindowTitle(m_ctx.commands.plainText(Cmd::ViewToolbar, code));
    m_playPanel->applyTexts();
    m_panes[0]->setText(lookedUpText("MainFrame", "Ready", QStringLiteral("就绪")));
    m_canvas->refreshStatusTexts();
    fitStatusPanes();
}

void MainWindow::fitStatusPanes()
{
    for (int pane = 1; pane <= 3; ++pane) {
        QStringList texts = m_canvas->widestStatusTexts(pane);
        // On the " Line " page the last pane lends itself to the port and
        // pixel under the mouse.
        if (pane == 3)
            texts << m_wiringPage->widestAssignmentText();
        m_panes[pane]->setFixedWidth(statusPaneWidth(*m_panes[pane], texts));
    }
}

void MainWindow::setLanguage(int code)
{
    if (code == Language::code())
        return;
    Language::setCode(code);
    m_ctx.settings.languageCode = uint8_t(code);
    applyLanguage();
    refreshCommandStates();
    emit m_ctx.events.languageChanged(code);
}

void MainWindow::refreshCommandStates() { m_actions->refresh(); }

void MainWindow::showEditingLayout()
{
    m_menu->showFullMenu();
    m_menu->applyTexts(Language::code());
    if (!m_editingLayout) {
        for (QAction *a : std::as_const(m_editingButtons))
            a->setVisible(true);
        m_toolDock->show();
        m_paletteDock->show();
        m_playBar->show();
        m_editingLayout = true;
    }
    refreshCommandStates();
}

bool MainWindow::isEditingLayout() const { return m_editingLayout; }

void MainWindow::setWiringMode(bool on)
{
    // The wiring page's tool takes over the canvas's mouse and drawing.
    m_wiringPage->setWiringMode(on, m_canvas);
}

void MainWindow::showLoadProgress(int position)
{
    showProgressPosition(m_progress, position);
}

void MainWindow::updateTitle()
{
    setWindowTitle(m_documents->documentName() + QStringLiteral(" - Brightloom"));
}

QList<QWidget *> MainWindow::focusPanes() const
{
    QList<QWidget *> panes{m_canvas};
    if (!m_toolDock->isHidden())
        panes << m_toolTabs;
    if (!m_paletteDock->isHidden())
        panes << m_paletteDock->widget();
    if (!m_playBar->isHidden())
        panes << m_playPanel;
    return panes;
}

void MainWindow::focusNextPane(bool forward)
{
    const QList<QWidget *> panes = focusPanes();
    QWidget *focus = QApplication::focusWidget();
    int at = -1;
    for (int i = 0; i < panes.size(); ++i)
        if (focus && (focus == panes[i] || panes[i]->isAncestorOf(focus)))
            at = i;
    for (int step = 1; step <= panes.size(); ++step) {
        const int n = int(panes.size());
        const int i = ((at + (forward ? step : -step)) % n + n) % n;
        QWidget *pane = panes[i];
        QWidget *target = nullptr;
        if (pane->focusPolicy() & Qt::TabFocus) {
            target = pane;
        } else {
            for (QWidget *child : pane->findChildren<QWidget *>())
                if ((child->focusPolicy() & Qt::TabFocus) && child->isVisibleTo(pane) && child->isEnabled()) {
                    target = child;
                    break;
                }
        }
        if (target) {
            target->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

QList<QWidget *> MainWindow::barsAroundCanvas() const
{
    return {m_toolBar, m_toolDock, m_paletteDock, m_playBar, statusBar()};
}

void MainWindow::onPlayingChanged(bool playing)
{
    m_canvas->setPlayShowsWiredOnly(playing);
    if (playing) {
        // Full screen on top of everything; only the play panel (and the
        // status bar, when it was on) stays. What was shown is noted bar by
        // bar, so Stop brings back exactly that and not bars the user had
        // put away.
        m_placementBeforePlay = saveGeometry();
        m_statesBeforePlay = windowState();
        m_barsShownBeforePlay.clear();
        for (QWidget *bar : barsAroundCanvas())
            if (!bar->isHidden())
                m_barsShownBeforePlay << bar;
        m_gridOffsetBeforePlay = m_canvas->gridCentreOffset();
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        m_toolBar->hide();
        m_toolDock->hide();
        m_paletteDock->hide();
        showFullScreen();
        // The canvas keeps the grid's offset from its centre while it grows
        // to the screen, so a grid centred now is centred full screen.
        m_canvas->centreGrid();
    } else {
        setWindowFlag(Qt::WindowStaysOnTopHint, false);
        for (QWidget *bar : barsAroundCanvas())
            bar->setVisible(m_barsShownBeforePlay.contains(bar));
        if (m_statesBeforePlay & Qt::WindowMaximized) {
            showMaximized();
        } else {
            showNormal();
            restoreGeometry(m_placementBeforePlay);
        }
        m_canvas->setGridCentreOffset(m_gridOffsetBeforePlay);
    }
    m_canvas->update();
    refreshCommandStates();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_playback->stop();
    if (!m_documents->maybeSave()) {
        event->ignore();
        return;
    }
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QList<QString> files = localFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // One document at a time: the first file dropped is opened.
    m_documents->openFile(files.first());
}
