#pragma once
// "颜色替换": replaces a colour by another over a range of frames, or
// reorders the colour components ("RGB分量替换").

#include "document/colour_replace.h"
#include "transforms/colour_side_picker.h"

#include <QDialog>

class Document;
class Prompt;
class FrameRangeFields;
class QCheckBox;
class QComboBox;

class ColourReplaceDialog : public QDialog
{
    Q_OBJECT
public:
    ColourReplaceDialog(Document &doc, Prompt &prompt, QWidget *parent = nullptr,
                        ColourSidePicker::PickColour pick = {});

    // What the controls say now.
    ColourReplacement replacement() const;

    ColourSidePicker *oldSide() const { return m_old; }
    ColourSidePicker *newSide() const { return m_new; }
    QCheckBox *reorderBox() const { return m_reorder; }
    QComboBox *orderList() const { return m_order; }
    FrameRangeFields *range() const { return m_range; }

    // The item texts of the component order list, by index.
    static QString orderText(int index);

    // Checks the range and the colours; replaces and closes, or shows the
    // message and stays open.
    void accept() override;

private:
    Document &m_doc;
    Prompt &m_prompt;
    ColourSidePicker *m_old = nullptr;
    ColourSidePicker *m_new = nullptr;
    QCheckBox *m_reorder = nullptr;
    QComboBox *m_order = nullptr;
    FrameRangeFields *m_range = nullptr;
};
