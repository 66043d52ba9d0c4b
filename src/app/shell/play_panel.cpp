#include "shell/play_panel.h"

#include "document/document.h"
#include "settings/language.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <climits>

PlayPanel::PlayPanel(Document &doc, QWidget *parent) : QWidget(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("PlayPanel"));
    m_speedLabel = new QLabel(this);
    m_speed = new QSlider(Qt::Horizontal, this);
    m_speed->setObjectName(QStringLiteral("speedSlider"));
    m_speed->setRange(kMinSpeed, kMaxSpeed);
    m_speed->setValue(kStartSpeed);
    m_speed->setFixedWidth(140);
    m_frameLabel = new QLabel(this);
    m_frameSlider = new QSlider(Qt::Horizontal, this);
    m_frameSlider->setObjectName(QStringLiteral("frameSlider"));
    m_frameSlider->setRange(1, 1);
    m_frameSlider->setMinimumWidth(260);
    // The spin box is the index field with its spin buttons. Its own range
    // is left wide so that the clamping below decides, as the field did.
    m_index = new QSpinBox(this);
    m_index->setObjectName(QStringLiteral("frameIndex"));
    m_index->setRange(0, INT_MAX);
    m_index->setValue(0);
    m_index->setMinimumWidth(80);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    row->addWidget(m_speedLabel);
    row->addWidget(m_speed);
    row->addSpacing(16);
    row->addWidget(m_frameLabel);
    row->addWidget(m_frameSlider, 1);
    row->addWidget(m_index);

    connect(m_speed, &QSlider::valueChanged, this, &PlayPanel::onSpeedMoved);
    connect(m_frameSlider, &QSlider::valueChanged, this, [this](int position) {
        if (!m_updating)
            m_index->setValue(position);
    });
    connect(m_index, &QSpinBox::valueChanged, this, &PlayPanel::onIndexEdited);

    connect(&m_doc, &Document::framesChanged, this, [this] { setFrameCount(m_doc.frameCount()); });
    connect(&m_doc, &Document::currentFrameChanged, this, [this](int index) {
        if (index >= 0)
            showIndex(index + 1);
    });
    setFrameCount(m_doc.frameCount());
    applyTexts();
}

void PlayPanel::setSpeedSliderPosition(int position) { m_speed->setValue(position); }

void PlayPanel::onSpeedMoved(int position)
{
    m_playSpeed = position <= 0 ? 1 : position;
    updateSpeedToolTip();
    emit playSpeedChanged(m_playSpeed);
}

void PlayPanel::setFrameCount(int count)
{
    m_frameCount = count;
    const QSignalBlocker block(m_frameSlider);
    m_frameSlider->setRange(1, count < 1 ? 1 : count);
}

void PlayPanel::showIndex(int oneBased)
{
    m_updating = true;
    {
        const QSignalBlocker block(m_index);
        // The spin box keeps the length of a selection across a new value,
        // so "1" selected would leave "78" of "781" selected: a field that
        // was selected shows the new number selected whole.
        QLineEdit *edit = m_index->findChild<QLineEdit *>();
        const bool selected = edit && edit->hasSelectedText();
        m_index->setValue(oneBased);
        if (selected)
            m_index->selectAll();
    }
    m_frameSlider->setValue(oneBased);
    m_updating = false;
}

void PlayPanel::onIndexEdited(int value)
{
    if (m_updating)
        return;
    // With no frames there is nothing to choose; the field keeps what was
    // typed.
    if (m_frameCount <= 0)
        return;
    int clamped = value;
    if (clamped < 1)
        clamped = 1;
    else if (clamped > m_frameCount)
        clamped = m_frameCount;
    showIndex(clamped);
    m_doc.goToFrame(clamped - 1);
}

int PlayPanel::currentIndex()
{
    int value = m_index->value();
    if (value <= 0)
        value = 1;
    else if (m_frameCount > 0 && value > m_frameCount)
        value = m_frameCount;
    if (value != m_index->value())
        showIndex(value);
    return value - 1;
}

QString PlayPanel::indexText() const { return m_index->text(); }

void PlayPanel::updateSpeedToolTip()
{
    QString tip;
    if (Language::code() == Language::Chinese)
        tip = formatText(QStringLiteral("播放速度:%d帧每秒"), QStringLiteral("播放速度:%d帧每秒"), {m_playSpeed});
    else
        tip = formatText(LanguageText("Panel", "sPlayRate", QStringLiteral("Play speed:%dfps")),
                         QStringLiteral("Play speed:%dfps"), {m_playSpeed});
    m_speed->setToolTip(tip);
}

void PlayPanel::applyTexts()
{
    m_speedLabel->setText(lookedUpText("Panel", "PanelRate", QStringLiteral("播放速度")) + QLatin1Char(':'));
    m_frameLabel->setText(lookedUpText("Panel", "PanelFrame", QStringLiteral("当前帧")) + QLatin1Char(':'));
    updateSpeedToolTip();
}
