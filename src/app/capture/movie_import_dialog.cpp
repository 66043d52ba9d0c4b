#include "capture/movie_import_dialog.h"

#include "capture/gather_texts.h"
#include "common/app_context.h"
#include "common/run_progress_dialog.h"
#include "common/status_progress.h"
#include "document/document.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kMoviePreviewSide = 160;

QPixmap moviePreview(const QImage &picture, DisplayMode mode)
{
    QImage area = fitPicture(picture, QSize(kMoviePreviewSide, kMoviePreviewSide * 3 / 4), mode);
    return QPixmap::fromImage(area);
}

} // namespace

MovieImportDialog::MovieImportDialog(AppContext &ctx, bool animatedPicture, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_animated(animatedPicture)
{
    setWindowTitle(animatedPicture ? GatherText::animatedCaption() : GatherText::videoCaption());
    auto *layout = new QVBoxLayout(this);
    auto *fileRow = new QHBoxLayout;
    auto *choose = new QPushButton(GatherText::chooseFile());
    m_file = new QLabel;
    fileRow->addWidget(choose);
    fileRow->addWidget(m_file, 1);
    layout->addLayout(fileRow);
    m_summary = new QLabel;
    layout->addWidget(m_summary);

    auto *form = new QFormLayout;
    m_from = new QDoubleSpinBox;
    m_from->setRange(0, 1e6);
    m_from->setDecimals(2);
    m_to = new QDoubleSpinBox;
    m_to->setRange(0, 1e6);
    m_to->setDecimals(2);
    m_rate = new QSpinBox;
    m_rate->setRange(1, 1000);
    m_rate->setValue(ctx.playSpeed ? std::clamp(ctx.playSpeed(), 1, 1000) : 20);
    m_mode = new QComboBox;
    for (int i = 0; i < 3; ++i)
        m_mode->addItem(GatherText::displayMode(i));
    m_mode->setCurrentIndex(1);
    form->addRow(GatherText::rangeFrom(), m_from);
    form->addRow(GatherText::rangeTo(), m_to);
    form->addRow(GatherText::targetRate(), m_rate);
    form->addRow(GatherText::scaling(), m_mode);
    layout->addLayout(form);

    auto *previews = new QGridLayout;
    m_first = new QLabel;
    m_last = new QLabel;
    for (QLabel *l : {m_first, m_last}) {
        l->setFixedSize(kMoviePreviewSide, kMoviePreviewSide * 3 / 4);
        l->setStyleSheet(QStringLiteral("background: black"));
    }
    previews->addWidget(new QLabel(GatherText::firstFrame()), 0, 0);
    previews->addWidget(new QLabel(GatherText::lastFrame()), 0, 1);
    previews->addWidget(m_first, 1, 0);
    previews->addWidget(m_last, 1, 1);
    layout->addLayout(previews);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    // Qt's own "Cancel" stays English whatever the editor's language.
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(lookedUpText("AutoButton", "ButtonCancel", QStringLiteral("取消"), QStringLiteral("Cancel")));
    QPushButton *importButton = buttons->addButton(GatherText::importButton(), QDialogButtonBox::AcceptRole);
    importButton->setEnabled(false);
    layout->addWidget(buttons);

    connect(choose, &QPushButton::clicked, this, &MovieImportDialog::chooseFile);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(importButton, &QPushButton::clicked, this, &MovieImportDialog::importFrames);
    for (QDoubleSpinBox *s : {m_from, m_to})
        connect(s, &QDoubleSpinBox::editingFinished, this, &MovieImportDialog::refreshPreview);
    connect(m_rate, &QSpinBox::editingFinished, this, &MovieImportDialog::refreshPreview);
    connect(m_mode, &QComboBox::currentIndexChanged, this, &MovieImportDialog::refreshPreview);
    m_importButton = importButton;
}

MovieImportDialog::~MovieImportDialog() = default;

void MovieImportDialog::chooseFile()
{
    const QString path = m_ctx.prompt.chooseOpenFile(windowTitle(), m_animated ? GatherText::animatedFilter()
                                                                               : GatherText::videoFilter());
    if (!path.isEmpty())
        load(path);
}

bool MovieImportDialog::load(const QString &path)
{
    QString why;
    std::unique_ptr<MovingPicture> movie = openMovie(path, &why, m_animated);
    if (!movie) {
        m_ctx.prompt.inform(GatherText::movieUnreadable(why), PromptIcon::Error, windowTitle());
        return false;
    }
    m_movie = std::move(movie);
    m_file->setText(QFileInfo(path).fileName());
    m_summary->setText(GatherText::movieSummary(m_movie->size().width(), m_movie->size().height(),
                                                m_movie->duration()));
    if (m_movie->duration() > 0)
        m_to->setValue(m_movie->duration());
    m_importButton->setEnabled(true);
    refreshPreview();
    return true;
}

MovieImportOptions MovieImportDialog::options() const
{
    MovieImportOptions o;
    o.fps = m_rate->value();
    o.from = m_from->value();
    o.to = m_to->value();
    o.mode = displayModeFromIndex(m_mode->currentIndex());
    return o;
}

void MovieImportDialog::refreshPreview()
{
    if (!m_movie)
        return;
    const auto [first, last] = movieRangeEnds(*m_movie, options());
    m_first->setPixmap(first.isNull() ? QPixmap() : moviePreview(first, options().mode));
    m_last->setPixmap(last.isNull() ? QPixmap() : moviePreview(last, options().mode));
}

int MovieImportDialog::importFrames()
{
    if (!m_movie)
        return 0;
    PatternTarget target(m_ctx.doc, int(m_ctx.editing.addMode), m_ctx.editing.area, &m_ctx.palette);
    RunProgressDialog progress(this, GatherText::importProgress());
    const RunProgress dialogProgress = progress.callback();
    QProgressBar *bar = m_ctx.progress;
    target.progress = [&dialogProgress, bar](int64_t made, int64_t expected) {
        if (expected > 0)
            showProgressPosition(bar, int(made * 100 / expected));
        return dialogProgress(made, expected);
    };
    const int made = importMovie(target, *m_movie, options(), m_ctx.prompt,
                                 m_animated ? kAnimatedImportEdit : kVideoImportEdit);
    showProgressPosition(bar, 0);
    if (made > 0)
        accept();
    return made;
}
