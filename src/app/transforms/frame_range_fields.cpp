#include "transforms/frame_range_fields.h"

#include "settings/language.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

QLineEdit *makeNumberField(QWidget *owner, int value)
{
    // Signed, so that 0 and negative entries reach the range check and get
    // its message instead of being silently refused by the field.
    static const QRegularExpression signedInteger(QStringLiteral("-?[0-9]{0,9}"));
    auto *edit = new QLineEdit(QString::number(value), owner);
    edit->setValidator(new QRegularExpressionValidator(signedInteger, edit));
    edit->setMinimumWidth(80);
    return edit;
}

int numberIn(const QLineEdit *edit)
{
    bool ok = false;
    const int n = edit->text().toInt(&ok);
    return ok ? n : 0;
}

FrameRangeFields::FrameRangeFields(QWidget *owner, QGridLayout *grid, int row, int currentIndex, int frameCount,
                                   bool withButtons, const char *labelSection, const char *startKey,
                                   const char *startDefault, const char *endKey, const char *endDefault)
    : QObject(owner), m_frameCount(frameCount)
{
    const int opening = currentIndex + 1;
    m_start = makeNumberField(owner, opening);
    m_end = makeNumberField(owner, opening);
    m_start->setObjectName(QStringLiteral("startFrame"));
    m_end->setObjectName(QStringLiteral("endFrame"));
    grid->addWidget(new QLabel(captionText(labelSection, startKey, QString::fromUtf8(startDefault)), owner), row, 0);
    grid->addWidget(m_start, row, 1);
    grid->addWidget(new QLabel(captionText(labelSection, endKey, QString::fromUtf8(endDefault)), owner), row + 1, 0);
    grid->addWidget(m_end, row + 1, 1);
    if (!withButtons)
        return;
    m_first = new QPushButton(captionText("CopyButton", "Button1", QStringLiteral("第一帧")), owner);
    m_last = new QPushButton(captionText("CopyButton", "Button2", QStringLiteral("最后一帧")), owner);
    m_first->setObjectName(QStringLiteral("firstFrame"));
    m_last->setObjectName(QStringLiteral("lastFrame"));
    m_first->setAutoDefault(false);
    m_last->setAutoDefault(false);
    grid->addWidget(m_first, row, 2);
    grid->addWidget(m_last, row + 1, 2);
    connect(m_first, &QPushButton::clicked, this, [this] { setStart(1); });
    connect(m_last, &QPushButton::clicked, this, [this] { setEnd(m_frameCount); });
}

int FrameRangeFields::start() const { return numberIn(m_start); }
int FrameRangeFields::end() const { return numberIn(m_end); }
void FrameRangeFields::setStart(int v) { m_start->setText(QString::number(v)); }
void FrameRangeFields::setEnd(int v) { m_end->setText(QString::number(v)); }

std::optional<FrameRange> FrameRangeFields::range() const
{
    return FrameRange::fromDialog(start(), end(), m_frameCount);
}
