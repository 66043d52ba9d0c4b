#include "wiring/wiring_tool_page.h"

#include "canvas/canvas_view.h"
#include "common/app_context.h"
#include "common/app_events.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "document/document.h"
#include "settings/language.h"
#include "settings/prompt.h"
#include "wiring/port_picker.h"
#include "wiring/wiring_canvas_tool.h"
#include "wiring/wiring_editor.h"
#include "wiring/wiring_files.h"
#include "wiring/wiring_texts.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

struct Caption
{
    const char *english;
    const char *chinese;
};

QString caption(const Caption &c) { return threeWayText(QString::fromUtf8(c.english), QString::fromUtf8(c.chinese)); }

// The page's buttons, in the order of WiringToolPage::Button.
const Caption kButtons[] = {
    {"Copy", "复制"}, {"Open", "打开"},   {"Save", "保存"},   {"Paste", "粘贴"},
    {"Reset", "复位"}, {"Delete", "删除"}, {"Undo", "撤销"}, {"Check", "线路检查"},
};

// Tool tips of the small tool bars. The second bar's buttons and the
// second picture button only show themselves pressed.
const Caption kEditTools[] = {
    {"Move pixel", "移动像素"}, {"Insert pixel", "插入像素"}, {"Copy selection", "选择复制"},
    {"Mark 1", "标记1"},         {"Mark 2", "标记2"},         {"Mark 3", "标记3"},
    {"Mark 4", "标记4"},
};
const Caption kPictureTools[] = {
    {"Load tracing picture", "载入描图"}, {"Pin tracing picture", "固定描图"}, {"Move tracing picture", "移动描图"}};

// The wiring steps as Edit > Undo sees them while the page is current: the
// page's Undo button's steps, unnamed, with nothing to redo.
class WiringPageHistory : public PageHistory
{
public:
    WiringPageHistory(WiringEditor &editor, QObject *parent) : PageHistory(parent), m_editor(editor)
    {
        connect(&editor, &WiringEditor::undoChanged, this, &PageHistory::changed);
    }
    bool canUndo() const override { return m_editor.document() && !m_editor.undoStack().isEmpty(); }
    bool canRedo() const override { return false; }
    QString undoName() const override { return {}; }
    QString redoName() const override { return {}; }
    void undo() override { m_editor.undoButton(); }
    void redo() override {}

private:
    WiringEditor &m_editor;
};

// Small drawn icons: a glyph in a rounded square.
QIcon glyphIcon(const QString &glyph, QColor colour)
{
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(150), 1));
    p.setBrush(colour.lighter(170));
    p.drawRoundedRect(QRectF(1.5, 1.5, 17, 17), 3, 3);
    QFont f = p.font();
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    p.setPen(colour.darker(200));
    p.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, glyph);
    return QIcon(pm);
}

} // namespace

WiringToolPage::WiringToolPage(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("LinePage"));
    m_editor = new WiringEditor(ctx.prompt, this);
    m_tool = new WiringCanvasTool(*m_editor, ctx.doc, this);
    m_history = new WiringPageHistory(*m_editor, this);
    buildControls();
    applyTexts();

    connect(m_editor, &WiringEditor::stateChanged, this, &WiringToolPage::syncFromEditor);
    connect(m_editor, &WiringEditor::statusMessage, this, &WiringToolPage::showStatus);
    connect(m_editor, &WiringEditor::focusCanvas, this, [this] {
        if (m_view)
            m_view->setFocus();
    });
    connect(m_editor, &WiringEditor::focusPortBox, this, [this] { m_portBox->setFocus(); });
    connect(&ctx.events, &AppEvents::languageChanged, this, &WiringToolPage::applyTexts);
}

WiringToolPage::~WiringToolPage()
{
    if (m_ctx.editing.pageHistory == m_history)
        m_ctx.editing.setPageHistory(nullptr);
    if (m_view && m_view->tool() == m_tool)
        m_view->setTool(m_previousTool);
}

void WiringToolPage::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("LineTitle"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_title);

    m_group = new QGroupBox(this);
    auto *group = new QVBoxLayout(m_group);

    auto *portRow = new QHBoxLayout;
    m_portLabel = new QLabel(m_group);
    m_portBox = new QSpinBox(m_group);
    m_portBox->setObjectName(QStringLiteral("PortBox"));
    // 0 can be typed so that the page can say it is not a port.
    m_portBox->setRange(0, kMaxWiringPorts);
    m_portBox->setValue(1);
    portRow->addWidget(m_portLabel);
    portRow->addWidget(m_portBox, 1);
    group->addLayout(portRow);
    connect(m_portBox, &QSpinBox::valueChanged, this, [this](int value) {
        if (m_wiringMode && value != m_editor->portBox())
            m_editor->setPortBox(value);
    });

    m_picker = new PortPicker(m_group);
    group->addWidget(m_picker);
    connect(m_picker, &PortPicker::portPicked, this, [this](int port) { m_portBox->setValue(port); });

    auto *buttons = new QGridLayout;
    for (int i = 0; i < ButtonCount; ++i) {
        m_buttons[size_t(i)] = new QPushButton(m_group);
        m_buttons[size_t(i)]->setObjectName(QStringLiteral("LineButton%1").arg(i));
        buttons->addWidget(m_buttons[size_t(i)], i / 4, i % 4);
    }
    group->addLayout(buttons);
    connect(m_buttons[Copy], &QPushButton::clicked, m_editor, &WiringEditor::copyButton);
    connect(m_buttons[Open], &QPushButton::clicked, m_editor, &WiringEditor::openButton);
    connect(m_buttons[Save], &QPushButton::clicked, m_editor, &WiringEditor::saveButton);
    connect(m_buttons[Paste], &QPushButton::clicked, m_editor, &WiringEditor::pasteButton);
    connect(m_buttons[Reset], &QPushButton::clicked, m_editor, &WiringEditor::resetButton);
    connect(m_buttons[Delete], &QPushButton::clicked, m_editor, &WiringEditor::deleteButton);
    connect(m_buttons[Undo], &QPushButton::clicked, m_editor, &WiringEditor::undoButton);
    connect(m_buttons[Check], &QPushButton::clicked, this, [this] { m_ctx.commands.trigger(Cmd::CircuitryCheck); });

    // Its state is used by nothing of the wiring or the data generation.
    m_syncController = new QCheckBox(m_group);
    m_syncController->setObjectName(QStringLiteral("SyncController"));
    group->addWidget(m_syncController);

    const QColor barColours[3] = {QColor(40, 120, 200), QColor(120, 120, 120), QColor(40, 150, 80)};
    auto *edit1 = new QToolBar(m_group);
    auto *edit2 = new QToolBar(m_group);
    auto *pictures = new QToolBar(m_group);
    const QString editGlyphs[7] = {QStringLiteral("M"), QStringLiteral("I"), QStringLiteral("C"), QStringLiteral("1"),
                                   QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    for (int i = 0; i < 7; ++i) {
        QToolBar *bar = i < 3 ? edit1 : edit2;
        QAction *a = bar->addAction(glyphIcon(editGlyphs[i], barColours[i < 3 ? 0 : 1]), QString());
        a->setCheckable(true);
        a->setObjectName(QStringLiteral("LineTool%1").arg(i));
        m_editTools[size_t(i)] = a;
        connect(a, &QAction::triggered, this, [this, i] {
            m_editor->chooseTool(WiringToolButton(i));
            if (m_view)
                m_view->update();
        });
    }
    const QString pictureGlyphs[3] = {QStringLiteral("B"), QStringLiteral("P"), QStringLiteral("✥")};
    for (int i = 0; i < 3; ++i) {
        QAction *a = pictures->addAction(glyphIcon(pictureGlyphs[i], barColours[2]), QString());
        a->setObjectName(QStringLiteral("PictureTool%1").arg(i));
        a->setCheckable(i > 0);
        m_pictureTools[size_t(i)] = a;
    }
    connect(m_pictureTools[0], &QAction::triggered, this, &WiringToolPage::loadPicture);
    connect(m_pictureTools[2], &QAction::toggled, this, [this](bool on) { m_tool->setPictureMode(on); });
    auto *bars = new QHBoxLayout;
    bars->addWidget(edit1);
    bars->addWidget(edit2);
    group->addLayout(bars);
    group->addWidget(pictures);

    layout->addWidget(m_group);
    layout->addStretch(1);
}

void WiringToolPage::applyTexts()
{
    m_title->setText(WiringText::pageTitle());
    m_group->setTitle(caption({"Wiring tools", "线路定义工具"}));
    m_portLabel->setText(caption({"Port", "端口"}));
    m_syncController->setText(caption({"Sync controller", "同步控制器"}));
    for (int i = 0; i < ButtonCount; ++i)
        m_buttons[size_t(i)]->setText(caption(kButtons[i]));
    for (int i = 0; i < 7; ++i)
        m_editTools[size_t(i)]->setToolTip(caption(kEditTools[i]));
    for (int i = 0; i < 3; ++i)
        m_pictureTools[size_t(i)]->setToolTip(caption(kPictureTools[i]));
}

QString WiringToolPage::widestAssignmentText()
{
    // The highest port and a pixel number of five digits, more than any
    // controller port drives.
    return WiringText::cellAssignment(kMaxWiringPorts, 99999);
}

void WiringToolPage::setWiringMode(bool on, CanvasView *view)
{
    if (on == m_wiringMode)
        return;
    m_wiringMode = on;
    if (on) {
        m_view = view;
        if (view) {
            m_previousTool = view->tool();
            m_tool->attach(view);
            view->setTool(m_tool);
        }
        m_editor->enterWiringMode(m_ctx.doc);
        syncFromEditor();
    } else {
        if (m_view && m_view->tool() == m_tool)
            m_view->setTool(m_previousTool);
        m_tool->attach(nullptr);
    }
    // Edit > Undo takes back wiring steps while the page is current.
    m_ctx.editing.setPageHistory(on ? m_history : nullptr);
    if (m_view)
        m_view->update();
}

void WiringToolPage::syncFromEditor()
{
    if (m_portBox->value() != m_editor->portBox()) {
        const QSignalBlocker block(m_portBox);
        m_portBox->setValue(m_editor->portBox());
    }
    const int pressed = int(m_editor->pressedTool());
    for (int i = 0; i < 7; ++i)
        m_editTools[size_t(i)]->setChecked(i == pressed);
    if (m_view)
        m_view->update();
}

void WiringToolPage::showStatus(const QString &text)
{
    if (m_view)
        m_view->showStatus(0, text);
}

void WiringToolPage::loadPicture()
{
    const QString path = m_ctx.prompt.chooseOpenFile(
        QString(), QStringLiteral("位图文件 (*.bmp *.dib);;All Files (*)"));
    if (path.isEmpty())
        return;
    if (!m_tool->picture().load(path)) {
        m_ctx.prompt.inform(WiringText::openFileFail(), PromptIcon::Error);
        return;
    }
    if (m_view)
        m_view->update();
}
