#include "patterns/picture_pattern_page.h"

#include "common/app_context.h"
#include "document/document.h"
#include "document/frame_picture.h"
#include "patterns/picture_pattern.h"
#include "patterns/transition_effects.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

PicturePatternPage::PicturePatternPage(AppContext &ctx, QWidget *parent) : PatternPage(ctx, parent)
{
    setObjectName(QStringLiteral("PicturePatternPage"));
    // The picture brings its own colours: no colour group on this page.
    foregroundBox()->parentWidget()->hide();

    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setFrameShape(QFrame::Box);
    m_preview->setFixedSize(kPreviewWidth + 2, kPreviewHeight + 2);
    m_preview->setAlignment(Qt::AlignCenter);
    m_previewImage = QImage(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    m_previewImage.fill(Qt::black);
    m_preview->setPixmap(QPixmap::fromImage(m_previewImage));

    m_load = new QPushButton(lookedUpText("AutoButton", "BtnLoad", QStringLiteral("装入图片")), this);
    m_load->setObjectName(QStringLiteral("load"));
    m_load->setAutoDefault(false);
    m_takeFrame = new QPushButton(lookedUpText("AutoButton", "BtnCurFrame", QStringLiteral("取当前帧")), this);
    m_takeFrame->setObjectName(QStringLiteral("currentFrame"));
    m_takeFrame->setAutoDefault(false);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_load);
    buttons->addWidget(m_takeFrame);
    buttons->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addWidget(m_preview);
    top->addLayout(buttons);
    form()->addRow(top);

    m_entrance = addFrameCount("Entrance", QStringLiteral("入场"), 20, "entrance");
    m_wait = addFrameCount("WaitFor", QStringLiteral("等待"), 10, "wait");
    m_exit = addFrameCount("Exeunt", QStringLiteral("出场"), 0, "exit");

    m_effect = new QComboBox(this);
    m_effect->setObjectName(QStringLiteral("effect"));
    for (int entry = kStuntFirstEffect; entry < kStuntEntryCount; ++entry)
        m_effect->addItem(stuntText(entry));
    m_effect->setCurrentIndex(0);
    m_effect->setMaxVisibleItems(20);
    form()->addRow(addLabel("LabelAction", QStringLiteral("动作")), m_effect);

    connect(m_load, &QPushButton::clicked, this, [this] { loadPicture(); });
    connect(m_takeFrame, &QPushButton::clicked, this, [this] { takeCurrentFrame(); });
}

QLineEdit *PicturePatternPage::addFrameCount(const char *key, const QString &chineseDefault, int value,
                                             const char *name)
{
    auto *edit = new QLineEdit(QString::number(value), this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new QIntValidator(edit));
    auto *row = new QHBoxLayout;
    row->addWidget(edit);
    auto *unit = new QLabel(lookedUpText("AutoLabel", "Frame", QStringLiteral("帧")), this);
    row->addWidget(unit);
    form()->addRow(addLabel(key, chineseDefault), row);
    return edit;
}

void PicturePatternPage::showInPreview(const QImage &image)
{
    QPainter painter(&m_previewImage);
    painter.drawImage(QRect(0, 0, kPreviewWidth, kPreviewHeight), image);
    painter.end();
    m_preview->setPixmap(QPixmap::fromImage(m_previewImage));
}

bool PicturePatternPage::loadPicture()
{
    const QString path = m_ctx.prompt.chooseOpenFile(m_load->text(), pictureFileFilter());
    if (path.isEmpty())
        return false;
    const QImage image = loadPatternPicture(path, m_ctx.prompt);
    if (image.isNull())
        return false;
    showInPreview(image);
    drawIntoPagePicture(m_picture, image, m_ctx.doc.cols(), m_ctx.doc.rows());
    return true;
}

bool PicturePatternPage::takeCurrentFrame()
{
    const Frame *frame = m_ctx.doc.currentFrame();
    if (!frame)
        return false;
    const QImage image = framePicture(*frame, m_ctx.doc.rows(), m_ctx.doc.cols());
    if (image.isNull())
        return false;
    showInPreview(image);
    drawIntoPagePicture(m_picture, image, m_ctx.doc.cols(), m_ctx.doc.rows());
    return true;
}

int PicturePatternPage::generate(PatternTarget &target)
{
    PicturePatternParams p;
    p.effectItem = m_effect->currentIndex();
    p.entrance = numberOf(m_entrance);
    p.wait = numberOf(m_wait);
    p.exit = numberOf(m_exit);
    return runPicturePattern(target, m_picture, p, m_ctx.prompt);
}
