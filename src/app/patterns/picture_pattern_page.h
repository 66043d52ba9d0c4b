#pragma once
// The picture page ("图片"): a loaded picture or the current frame, shown
// in a preview, comes into the area with one transition effect, stays for
// a number of frames and leaves with the same effect. The page keeps its
// picture while it exists; a new load draws over it.

#include "patterns/pattern_page.h"

#include <QImage>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class PicturePatternPage : public PatternPage
{
    Q_OBJECT
public:
    static constexpr int kPreviewWidth = 192;
    static constexpr int kPreviewHeight = 128;

    explicit PicturePatternPage(AppContext &ctx, QWidget *parent = nullptr);

    QPushButton *loadButton() const { return m_load; }
    QPushButton *currentFrameButton() const { return m_takeFrame; }
    QComboBox *effectBox() const { return m_effect; }
    QLineEdit *entranceEdit() const { return m_entrance; }
    QLineEdit *waitEdit() const { return m_wait; }
    QLineEdit *exitEdit() const { return m_exit; }
    QLabel *previewLabel() const { return m_preview; }
    // The picture the effects draw: Cols x Rows, null until one is loaded
    // or taken.
    const QImage &picture() const { return m_picture; }

    // "装入图片": asks for a file through the prompt; a file that cannot be
    // read leaves the picture as it was. Returns whether one was loaded.
    bool loadPicture();
    // "取当前帧": nothing without a current frame.
    bool takeCurrentFrame();

protected:
    int generate(PatternTarget &target) override;

private:
    void showInPreview(const QImage &image);
    QLineEdit *addFrameCount(const char *key, const QString &chineseDefault, int value, const char *name);

    QImage m_picture;
    QImage m_previewImage;
    QLabel *m_preview = nullptr;
    QPushButton *m_load = nullptr;
    QPushButton *m_takeFrame = nullptr;
    QLineEdit *m_entrance = nullptr;
    QLineEdit *m_wait = nullptr;
    QLineEdit *m_exit = nullptr;
    QComboBox *m_effect = nullptr;
};
