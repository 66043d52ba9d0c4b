#include "patterns/auto_pattern_dialog.h"

#include "common/app_context.h"
#include "patterns/palette_pattern_pages.h"
#include "patterns/pattern_preview.h"
#include "patterns/picture_pattern_page.h"
#include "patterns/solid_pattern_pages.h"
#include "patterns/text_pattern_page.h"
#include "settings/language.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString exitText() { return threeWayText(QStringLiteral("Exit"), QStringLiteral("退出")); }

QString previewText()
{
    return lookedUpText("AutoTile", "Preview", QStringLiteral("预览"), QStringLiteral("Preview"));
}

// The preview plays at the play panel's speed.
constexpr int kPreviewFallbackSpeed = 20;

} // namespace

QString AutoPatternDialog::tabText(int tab)
{
    static const char *const kDefaults[kTabCount] = {"拉幕",     "百叶窗", "堆积木", "滴水",
                                                     "文字输入", "音符跳动", "图片", "调色盘填充"};
    if (tab < 0 || tab >= kTabCount)
        return QString();
    const QByteArray key = "TabSheet" + QByteArray::number(tab + 1);
    return lookedUpText("AutoPageControl", key.constData(), QString::fromUtf8(kDefaults[tab]));
}

AutoPatternDialog::AutoPatternDialog(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("AutoPatternDialog"));
    setWindowTitle(lookedUpText("AutoTile", "Title", QStringLiteral("自动花样")));

    m_tabs = new QTabWidget(this);
    m_tabs->setUsesScrollButtons(false); // all eight tabs in view
    for (int t = 0; t < kTabCount; ++t) {
        auto *holder = new QWidget(m_tabs);
        auto *holderLayout = new QVBoxLayout(holder);
        holderLayout->setContentsMargins(0, 0, 0, 0);
        m_tabs->addTab(holder, tabText(t));
    }
    m_exit = new QPushButton(exitText(), this);
    m_exit->setObjectName(QStringLiteral("exit"));
    m_exit->setAutoDefault(false);
    connect(m_exit, &QPushButton::clicked, this, &QDialog::reject);

    m_previewBox = new QCheckBox(previewText(), this);
    m_previewBox->setObjectName(QStringLiteral("previewBox"));
    m_preview = new PatternPreview(ctx.doc, this);
    m_preview->hide();
    connect(m_previewBox, &QCheckBox::toggled, this, &AutoPatternDialog::showPreview);

    auto *layout = new QVBoxLayout(this);
    auto *pages = new QHBoxLayout;
    pages->addWidget(m_tabs, 1);
    pages->addWidget(m_preview);
    layout->addLayout(pages);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_previewBox);
    buttons->addStretch(1);
    buttons->addWidget(m_exit);
    layout->addLayout(buttons);

    showPage(0);
    connect(m_tabs, &QTabWidget::currentChanged, this, &AutoPatternDialog::showPage);
}

void AutoPatternDialog::showPage(int tab)
{
    // Settings are not carried over: the old page goes, the new one starts
    // from its defaults.
    delete m_page;
    m_page = nullptr;
    QWidget *holder = m_tabs->widget(tab);
    if (!holder)
        return;
    switch (tab) {
    case 0: m_page = new CurtainPage(m_ctx, holder); break;
    case 1: m_page = new BlindsPage(m_ctx, holder); break;
    case 2: m_page = new StackingPage(m_ctx, holder); break;
    case 3: m_page = new WaterDripPage(m_ctx, holder); break;
    case 4: m_page = new TextPatternPage(m_ctx, holder); break;
    case 5: m_page = new NoteJumpPage(m_ctx, holder); break;
    case 6: m_page = new PicturePatternPage(m_ctx, holder); break;
    case 7: m_page = new PaletteFillPage(m_ctx, holder); break;
    default: return; // there are no other tabs
    }
    holder->layout()->addWidget(m_page);
    m_page->show();
    if (auto *page = qobject_cast<PatternPage *>(m_page))
        connect(page, &PatternPage::ran, this, &AutoPatternDialog::pageRan);
}

void AutoPatternDialog::pageRan(int frames, int first, int last)
{
    if (frames <= 0)
        return;
    m_lastFirst = first;
    m_lastLast = last;
    if (m_previewBox->isChecked())
        showPreview(true);
}

void AutoPatternDialog::showPreview(bool on)
{
    m_preview->setVisible(on);
    if (!on) {
        m_preview->stop();
        return;
    }
    const int fps = m_ctx.playSpeed ? m_ctx.playSpeed() : kPreviewFallbackSpeed;
    m_preview->play(m_lastFirst, m_lastLast, fps);
}

void AutoPatternDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
