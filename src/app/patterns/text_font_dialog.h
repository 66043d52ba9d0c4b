#pragma once
// The text page's font dialog: family, height in pixels (grid cells),
// colour, bold, italic and underline for the selected text, preset from
// the selection. A list of presets picks the fonts that read well on an
// LED grid (Unifont is drawn for 16-pixel cells).

#include <QColor>
#include <QDialog>
#include <QFont>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QPushButton;
class QSpinBox;

struct TextFontChoice
{
    QString family;
    int pixelHeight = 16;
    QColor colour = Qt::red;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

class TextFontDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TextFontDialog(const TextFontChoice &start, QWidget *parent = nullptr);

    TextFontChoice choice() const;

    QFontComboBox *familyBox() const { return m_family; }
    QComboBox *presetBox() const { return m_presets; }
    QSpinBox *sizeBox() const { return m_size; }
    QPushButton *colourButton() const { return m_colourButton; }
    QCheckBox *boldBox() const { return m_bold; }
    QCheckBox *italicBox() const { return m_italic; }
    QCheckBox *underlineBox() const { return m_underline; }
    void setColour(const QColor &colour);

    // The presets offered: the installed ones of Unifont 16, Liberation
    // Sans 16 and Noto Sans CJK SC 16, as "family|pixels".
    static QStringList presets();

private:
    void pickColour();

    QFontComboBox *m_family = nullptr;
    QComboBox *m_presets = nullptr;
    QSpinBox *m_size = nullptr;
    QPushButton *m_colourButton = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    QColor m_colour;
};
