#pragma once
// "VIDEO" and "Flash": a video (anything FFmpeg decodes) or an animated
// picture (GIF, WebP, APNG) becomes frames of the document: a file, a time
// range, a frame rate (the play speed by default) and the scaling into the
// defined area or the whole grid, with the range's first and last
// pictures shown before the import.

#include "capture/movie_import.h"

#include <QDialog>
#include <memory>

struct AppContext;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

class MovieImportDialog : public QDialog
{
    Q_OBJECT
public:
    MovieImportDialog(AppContext &ctx, bool animatedPicture, QWidget *parent = nullptr);
    ~MovieImportDialog() override;

    // Opens the file (the button asks for one); false with a message when
    // it is no video or picture.
    bool load(const QString &path);
    MovieImportOptions options() const;
    // The import; the dialog closes when frames were made.
    int importFrames();

    QDoubleSpinBox *fromEdit() const { return m_from; }
    QDoubleSpinBox *toEdit() const { return m_to; }
    QSpinBox *rateEdit() const { return m_rate; }
    QComboBox *modeBox() const { return m_mode; }
    QLabel *firstPreview() const { return m_first; }
    QLabel *lastPreview() const { return m_last; }

private:
    void chooseFile();
    void refreshPreview();

    AppContext &m_ctx;
    bool m_animated;
    std::unique_ptr<MovingPicture> m_movie;
    QLabel *m_file = nullptr;
    QLabel *m_summary = nullptr;
    QDoubleSpinBox *m_from = nullptr;
    QDoubleSpinBox *m_to = nullptr;
    QSpinBox *m_rate = nullptr;
    QComboBox *m_mode = nullptr;
    QLabel *m_first = nullptr;
    QLabel *m_last = nullptr;
    QPushButton *m_importButton = nullptr;
};
