#include "transforms/brightness_dialog.h"

#include "document/document.h"
#include "document/frame_picture.h"
#include "settings/language.h"
#include "settings/prompt.h"
#include "transforms/brightness_curve_editor.h"
#include "transforms/frame_range_fields.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kPreviewBox = 192; // the preview fits a square of this size

QSpinBox *coordinateField(QWidget *owner, int value)
{
    auto *s = new QSpinBox(owner);
    s->setRange(0, 255);
    s->setValue(value);
    return s;
}

} // namespace

BrightnessDialog::BrightnessDialog(Document &doc, const BlockArea &area, Prompt &prompt, QWidget *parent)
    : QDialog(parent), m_doc(doc), m_area(area), m_prompt(prompt)
{
    setObjectName(QStringLiteral("BrightnessDialog"));
    setWindowTitle(captionText("BrightTitle", "Title", QStringLiteral("亮度设定")));

    m_editor = new BrightnessCurveEditor(this);

    auto *fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("X"), this), 0, 1, Qt::AlignHCenter);
    fields->addWidget(new QLabel(QStringLiteral("Y"), this), 0, 2, Qt::AlignHCenter);
    const char *keys[2] = {"Label1", "Label2"};
    const char *names[2] = {"点1", "点2"};
    for (int i = 0; i < 2; ++i) {
        const QPoint p = m_editor->point(i + 1);
        m_x[i] = coordinateField(this, p.x());
        m_y[i] = coordinateField(this, p.y());
        m_x[i]->setObjectName(QStringLiteral("x%1").arg(i + 1));
        m_y[i]->setObjectName(QStringLiteral("y%1").arg(i + 1));
        fields->addWidget(new QLabel(captionText("BrightLabel", keys[i], QString::fromUtf8(names[i])), this), i + 1, 0);
        fields->addWidget(m_x[i], i + 1, 1);
        fields->addWidget(m_y[i], i + 1, 2);
        const int which = i + 1;
        auto fromFields = [this, which, i] { m_editor->setPoint(which, m_x[i]->value(), m_y[i]->value()); };
        connect(m_x[i], &QSpinBox::valueChanged, this, fromFields);
        connect(m_y[i], &QSpinBox::valueChanged, this, fromFields);
    }
    auto *rangeGrid = new QGridLayout;
    m_range = new FrameRangeFields(this, rangeGrid, 0, doc.currentIndex(), doc.frameCount(), false, "CopyLabel",
                                   "Label1", "开始帧:", "Label2", "结束帧:");

    m_previewLabel = new QLabel(this);
    m_previewLabel->setObjectName(QStringLiteral("preview"));
    m_previewLabel->setFixedSize(kPreviewBox, kPreviewBox);
    m_previewLabel->setAlignment(Qt::AlignCenter);
    auto *previewBox = new QGroupBox(captionText("BrightLabel", "Label3", QStringLiteral("预览")), this);
    auto *previewLayout = new QVBoxLayout(previewBox);
    previewLayout->addWidget(m_previewLabel);

    auto *side = new QVBoxLayout;
    side->addLayout(fields);
    side->addLayout(rangeGrid);
    side->addWidget(previewBox);
    side->addStretch(1);

    auto *top = new QHBoxLayout;
    top->addWidget(m_editor, 0, Qt::AlignTop);
    top->addLayout(side);

    auto *ok = new QPushButton(captionText("AutoButton", "ButtonConfirm", QStringLiteral("确定")), this);
    auto *cancel = new QPushButton(captionText("AutoButton", "ButtonCancel", QStringLiteral("取消")), this);
    ok->setObjectName(QStringLiteral("confirm"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &BrightnessDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &BrightnessDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_editor, &BrightnessCurveEditor::pointsChanged, this, [this] {
        syncFields();
        updatePreview();
    });
    updatePreview();
}

void BrightnessDialog::syncFields()
{
    for (int i = 0; i < 2; ++i) {
        const QPoint p = m_editor->point(i + 1);
        const QSignalBlocker bx(m_x[i]);
        const QSignalBlocker by(m_y[i]);
        m_x[i]->setValue(p.x());
        m_y[i]->setValue(p.y());
    }
}

void BrightnessDialog::updatePreview()
{
    const Frame *frame = m_doc.currentFrame();
    const int rows = m_doc.rows();
    const int cols = m_doc.cols();
    if (!frame || frame->size() != size_t(m_doc.pointCount()) || rows <= 0 || cols <= 0) {
        m_preview = QImage();
        m_previewLabel->clear();
        return;
    }
    // The preview runs the same map as the frames will get, on a copy.
    Frame copy = *frame;
    BlockArea area = m_area;
    const BrightnessTable table = brightnessTable(m_editor->curve());
    const GridRect rect = area.areaOrGrid(rows, cols);
    for (int y = rect.top; y <= rect.bottom; ++y)
        applyBrightness(copy.data() + size_t(y) * size_t(cols) + size_t(rect.left), size_t(rect.width()), table);

    m_preview = framePicture(copy, rows, cols);
    m_previewLabel->setPixmap(QPixmap::fromImage(
        m_preview.scaled(kPreviewBox - 8, kPreviewBox - 8, Qt::KeepAspectRatio, Qt::FastTransformation)));
}

void BrightnessDialog::accept()
{
    // Points are ordered by x first, as the curve is read left to right.
    const BrightnessCurve ordered = m_editor->curve().normalised();
    m_editor->setPoint(1, ordered.x1, ordered.y1);
    m_editor->setPoint(2, ordered.x2, ordered.y2);
    const std::optional<FrameRange> range = m_range->range();
    if (!range) {
        m_prompt.inform(frameRangeErrorText(), PromptIcon::Error);
        return;
    }
    adjustBrightness(m_doc, *range, m_area, ordered);
    QDialog::accept();
}
