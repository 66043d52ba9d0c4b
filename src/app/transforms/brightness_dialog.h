#pragma once
// "亮度设定": the curve editor with the X and Y fields of both points, the
// frame range, and a live preview of the current frame through the curve.

#include "editing/brightness.h"

#include <QDialog>
#include <QImage>

class Document;
class Prompt;
class FrameRangeFields;
class BrightnessCurveEditor;
class QLabel;
class QSpinBox;

class BrightnessDialog : public QDialog
{
    Q_OBJECT
public:
    BrightnessDialog(Document &doc, const BlockArea &area, Prompt &prompt, QWidget *parent = nullptr);

    BrightnessCurveEditor *editor() const { return m_editor; }
    QSpinBox *xField(int which) const { return m_x[which - 1]; }
    QSpinBox *yField(int which) const { return m_y[which - 1]; }
    FrameRangeFields *range() const { return m_range; }
    // The current frame as it would look (inside the block when usable).
    const QImage &preview() const { return m_preview; }

    // Orders the points by x, checks the range, maps the frames and closes;
    // or shows the range message and stays open.
    void accept() override;

private:
    void syncFields();
    void updatePreview();

    Document &m_doc;
    BlockArea m_area;
    Prompt &m_prompt;
    BrightnessCurveEditor *m_editor = nullptr;
    QSpinBox *m_x[2] = {};
    QSpinBox *m_y[2] = {};
    FrameRangeFields *m_range = nullptr;
    QLabel *m_previewLabel = nullptr;
    QImage m_preview;
};
