#include "patterns/pattern_key_panel.h"

#include "common/app_context.h"
#include "common/app_events.h"
#include "document/document.h"
#include "patterns/pattern_key_pictures.h"
#include "patterns/pattern_key_run.h"
#include "settings/language.h"

#include <QComboBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QToolButton>

PatternKeyPanel::PatternKeyPanel(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("PatternKeyPanel"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    // Keyboard layout: W above S; A and D either side; B and F below.
    const int row[kPatternKeyCount] = {1, 1, 0, 1, 2, 2};
    const int col[kPatternKeyCount] = {0, 2, 1, 1, 0, 2};
    for (int k = 0; k < kPatternKeyCount; ++k) {
        auto *button = new QToolButton(this);
        button->setObjectName(QStringLiteral("key%1").arg(QLatin1Char(patternKeyLetter(PatternKey(k)))));
        button->setIconSize(QSize(36, 36));
        button->setFocusPolicy(Qt::NoFocus); // the letters stay with the canvas
        connect(button, &QToolButton::clicked, this, [this, k] { press(PatternKey(k)); });
        grid->addWidget(button, row[k], col[k]);
        m_keys[size_t(k)] = button;
    }
    m_action = new QComboBox(this);
    m_action->setObjectName(QStringLiteral("actionType"));
    m_action->setFocusPolicy(Qt::NoFocus);
    m_count = new QLineEdit(QStringLiteral("1"), this);
    m_count->setObjectName(QStringLiteral("commandCount"));
    m_count->setValidator(new QIntValidator(m_count));
    m_count->setMaximumWidth(60);
    grid->addWidget(m_action, 3, 0, 1, 2);
    grid->addWidget(m_count, 3, 2);

    applyTexts();
    m_action->setCurrentIndex(0);
    connect(m_action, &QComboBox::currentIndexChanged, this, &PatternKeyPanel::updateKeys);
    connect(&ctx.events, &AppEvents::languageChanged, this, &PatternKeyPanel::applyTexts);
}

void PatternKeyPanel::applyTexts()
{
    const int current = m_action->currentIndex();
    {
        const QSignalBlocker block(m_action);
        m_action->clear();
        for (int a = 0; a < kPatternActionCount; ++a)
            m_action->addItem(patternActionText(a));
        m_action->setCurrentIndex(current < 0 ? 0 : current);
    }
    m_action->setToolTip(pairedText(QStringLiteral("Pattern action type"), QStringLiteral("花样动作类型")));
    m_count->setToolTip(pairedText(QStringLiteral("Order number"), QStringLiteral("命令次数")));
    updateKeys();
}

void PatternKeyPanel::updateKeys()
{
    const PatternAction a = action();
    for (int k = 0; k < kPatternKeyCount; ++k) {
        QToolButton *button = m_keys[size_t(k)];
        button->setIcon(patternKeyPicture(a, PatternKey(k)));
        button->setToolTip(patternKeyTooltip(PatternKey(k)) + QLatin1Char('\n')
                           + patternKeyEffectText(a, PatternKey(k)));
    }
}

PatternAction PatternKeyPanel::action() const
{
    return patternActionFromIndex(m_action->currentIndex());
}

int PatternKeyPanel::count() const
{
    bool ok = false;
    const int n = m_count->text().trimmed().toInt(&ok);
    return ok ? n : 1;
}

bool PatternKeyPanel::press(PatternKey key)
{
    return pressPatternKey(m_ctx.doc, m_ctx.editing, action(), key, count(), m_ctx.prompt);
}

bool PatternKeyPanel::pressLetter(char letter)
{
    const int key = patternKeyForLetter(QLatin1Char(letter));
    return key >= 0 && press(PatternKey(key));
}
