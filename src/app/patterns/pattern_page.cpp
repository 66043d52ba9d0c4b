#include "patterns/pattern_page.h"

#include "common/app_context.h"
#include "document/document.h"
#include "patterns/basic_colour_list.h"
#include "common/run_progress_dialog.h"
#include "patterns/pattern_run_progress.h"
#include "patterns/pattern_run_summary.h"
#include "patterns/sweep_direction.h"
#include "settings/language.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

PatternPage::PatternPage(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    m_colourGroup = new QGroupBox(lookedUpText("AutoGroupBox", "GroupBoxColor", QStringLiteral("颜色")), this);
    m_colourGroup->setObjectName(QStringLiteral("colourGroup"));
    m_foreground = new QComboBox(m_colourGroup);
    m_foreground->setObjectName(QStringLiteral("foreground"));
    m_background = new QComboBox(m_colourGroup);
    m_background->setObjectName(QStringLiteral("background"));
    addColourItems(m_foreground);
    addColourItems(m_background);
    m_foreground->setCurrentIndex(0);            // red
    m_background->setCurrentIndex(BasicColourList::kCount - 1); // black
    auto *colours = new QFormLayout(m_colourGroup);
    colours->addRow(lookedUpText("AutoLabel", "LabelForColor", QStringLiteral("前景色")), m_foreground);
    colours->addRow(lookedUpText("AutoLabel", "LabelGrdColor", QStringLiteral("背景色")), m_background);

    m_form = new QFormLayout;
    m_confirm = new QPushButton(lookedUpText("AutoButton", "ButtonConfirm", QStringLiteral("确定")), this);
    m_confirm->setObjectName(QStringLiteral("confirm"));
    // Not a default button: Enter typed in a number field must not make
    // another run.
    m_confirm->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_colourGroup);
    layout->addLayout(m_form);
    layout->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_confirm);
    layout->addLayout(buttons);

    connect(m_confirm, &QPushButton::clicked, this, [this] { run(); });
}

void PatternPage::addColourItems(QComboBox *box)
{
    for (int i = 0; i < BasicColourList::kCount; ++i)
        box->addItem(BasicColourList::text(i));
}

QLabel *PatternPage::addLabel(const char *key, const QString &chineseDefault)
{
    auto *label = new QLabel(lookedUpText("AutoLabel", key, chineseDefault), this);
    label->setObjectName(QString::fromLatin1(key));
    return label;
}

QLineEdit *PatternPage::addNumber(const char *labelKey, const QString &labelDefault, int value,
                                  const char *objectName)
{
    auto *edit = new QLineEdit(QString::number(value), this);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setValidator(new QIntValidator(edit));
    m_form->addRow(addLabel(labelKey, labelDefault), edit);
    return edit;
}

QComboBox *PatternPage::addDirection()
{
    auto *box = new QComboBox(this);
    box->setObjectName(QStringLiteral("direction"));
    for (int i = 0; i < kSweepDirectionCount; ++i)
        box->addItem(sweepDirectionText(i));
    box->setCurrentIndex(0);
    m_form->addRow(addLabel("LabelMode", QStringLiteral("方式")), box);
    return box;
}

int PatternPage::numberOf(const QLineEdit *edit)
{
    bool ok = false;
    const int v = edit->text().trimmed().toInt(&ok);
    return ok ? v : 0;
}

int PatternPage::run()
{
    const int framesBefore = m_ctx.doc.frameCount();
    PatternTarget target(m_ctx.doc, int(m_ctx.editing.addMode), m_ctx.editing.area, &m_ctx.palette);
    int made = 0;
    {
        // The progress line and dialog go when the run ends; the summary
        // follows.
        PatternRunProgress status(m_ctx.statusBar, m_ctx.progress);
        RunProgressDialog dialog(this, RunProgressDialog::makingFramesText());
        target.progress = [onStatus = status.callback(), inDialog = dialog.callback()](int64_t made,
                                                                                      int64_t expected) {
            onStatus(made, expected);
            return inDialog(made, expected);
        };
        m_confirm->setEnabled(false); // no second run from inside the first
        made = generate(target);
        m_confirm->setEnabled(true);
    }
    // A while, not for good: the message covers the first pane, where the
    // wiring page writes its hints.
    constexpr int kSummaryMilliseconds = 15000;
    if (m_ctx.statusBar && made > 0)
        m_ctx.statusBar->showMessage(
            patternRunSummary(std::max(0, m_ctx.doc.frameCount() - framesBefore), target.changed),
            kSummaryMilliseconds);
    emit ran(made, target.firstWritten, target.lastWritten);
    return made;
}
