#include "capture/gather_dialog.h"

#include "capture/gather.h"
#include "capture/gather_texts.h"
#include "capture/gather_window.h"
#include "capture/global_hot_keys.h"
#include "common/app_context.h"
#include "document/document.h"
#include "settings/profile_file.h"
#include "settings/prompt.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QShowEvent>
#include <QSpinBox>
#include <QToolTip>
#include <QVBoxLayout>

QImage sampleScreen(const QRect &rect)
{
    QScreen *screen = QGuiApplication::screenAt(rect.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QImage();
    const QPoint origin = screen->geometry().topLeft();
    const QPixmap shot = screen->grabWindow(0, rect.x() - origin.x(), rect.y() - origin.y(), rect.width(),
                                            rect.height());
    return shot.isNull() ? QImage() : shot.toImage().convertToFormat(QImage::Format_RGB32);
}

namespace {

constexpr int kPreviewWidth = 240;
constexpr int kPreviewHeight = 160;
constexpr QKeyCombination kGatherSampleKey = Qt::CTRL | Qt::ALT | Qt::Key_F5;
constexpr QKeyCombination kGatherStopKey = Qt::CTRL | Qt::ALT | Qt::Key_F7;

QSpinBox *gatherSpin(int low, int high, int value)
{
    auto *s = new QSpinBox;
    s->setRange(low, high);
    s->setValue(value);
    s->setKeyboardTracking(false);
    return s;
}

QSize screenSize()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualSize() : QSize(1920, 1080);
}

} // namespace

GatherDialog::GatherDialog(AppContext &ctx, const QString &settingsPath, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_settingsPath(settingsPath), m_platform(QGuiApplication::platformName())
{
    const ProfileFile profile = ProfileFile::load(settingsPath);
    const int w = std::clamp(profile.readInt(QStringLiteral("Gather"), QStringLiteral("m_wid"), 150), 1, kMaxGridSide);
    const int h = std::clamp(profile.readInt(QStringLiteral("Gather"), QStringLiteral("m_hei"), 100), 1, kMaxGridSide);
    m_samples.resize(w, h);
    build();
    {
        const QSignalBlocker bw(m_width);
        const QSignalBlocker bh(m_height);
        m_width->setValue(w);
        m_height->setValue(h);
    }

    m_marker = new GatherWindow(this);
    m_marker->setSampledRect(QRect(m_x->value(), m_y->value(), w, h));
    connect(m_marker, &GatherWindow::sampledRectChanged, this, &GatherDialog::markerMoved);
    m_marker->show();

    connect(&m_sampleTimer, &QTimer::timeout, this, &GatherDialog::sampleTick);
    connect(&m_playTimer, &QTimer::timeout, this, &GatherDialog::playTick);
    // The hot keys of the dialog; they reach it whichever of the editor's
    // windows has the focus, and on X11 from any program while the dialog
    // is shown (takeGlobalKeys).
    auto *sampleKey = new QShortcut(QKeySequence(kGatherSampleKey), this);
    sampleKey->setContext(Qt::ApplicationShortcut);
    connect(sampleKey, &QShortcut::activated, this, &GatherDialog::startSampling);
    auto *stopKey = new QShortcut(QKeySequence(kGatherStopKey), this);
    stopKey->setContext(Qt::ApplicationShortcut);
    connect(stopKey, &QShortcut::activated, this, &GatherDialog::stop);
    updateButtons();
}

GatherDialog::~GatherDialog() = default;

void GatherDialog::build()
{
    setWindowTitle(GatherText::caption());
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    layout->addLayout(top);

    auto *start = new QGroupBox(GatherText::startGroup());
    auto *startGrid = new QGridLayout(start);
    m_x = gatherSpin(0, 99999, 250);
    m_y = gatherSpin(0, 99999, 120);
    startGrid->addWidget(new QLabel(QStringLiteral("X:")), 0, 0);
    startGrid->addWidget(m_x, 0, 1);
    startGrid->addWidget(new QLabel(QStringLiteral("Y:")), 1, 0);
    startGrid->addWidget(m_y, 1, 1);
    top->addWidget(start);

    auto *size = new QGroupBox(GatherText::sizeGroup());
    auto *sizeGrid = new QGridLayout(size);
    m_width = gatherSpin(1, kMaxGridSide, 150);
    m_height = gatherSpin(1, kMaxGridSide, 100);
    sizeGrid->addWidget(new QLabel(GatherText::widthLabel()), 0, 0);
    sizeGrid->addWidget(m_width, 0, 1);
    sizeGrid->addWidget(new QLabel(GatherText::heightLabel()), 1, 0);
    sizeGrid->addWidget(m_height, 1, 1);
    top->addWidget(size);

    auto *params = new QGroupBox(GatherText::paramGroup());
    auto *paramGrid = new QGridLayout(params);
    m_rate = gatherSpin(0, 1000, 20);
    m_count = gatherSpin(1, 1000000, 100);
    m_vectorZoom = new QCheckBox(GatherText::vectorZoom());
    m_vectorZoom->setChecked(true);
    m_display = new QComboBox;
    for (int i = 0; i < 3; ++i)
        m_display->addItem(GatherText::displayMode(i));
    m_display->setCurrentIndex(2);
    paramGrid->addWidget(new QLabel(GatherText::rateLabel()), 0, 0);
    paramGrid->addWidget(m_rate, 0, 1);
    paramGrid->addWidget(new QLabel(GatherText::countLabel()), 1, 0);
    paramGrid->addWidget(m_count, 1, 1);
    paramGrid->addWidget(m_vectorZoom, 2, 0, 1, 2);
    paramGrid->addWidget(new QLabel(GatherText::displayLabel()), 3, 0);
    paramGrid->addWidget(m_display, 3, 1);
    top->addWidget(params);

    m_preview = new QLabel;
    m_preview->setFixedSize(kPreviewWidth, kPreviewHeight);
    m_preview->setStyleSheet(QStringLiteral("background: black"));
    layout->addWidget(m_preview, 0, Qt::AlignHCenter);
    m_slider = new QSlider(Qt::Horizontal);
    m_slider->setRange(0, 0);
    layout->addWidget(m_slider);

    auto *deleteRow = new QHBoxLayout;
    m_delete = gatherSpin(1, 1000000, 1);
    auto *deleteButton = new QPushButton(GatherText::deleteButton());
    deleteRow->addWidget(new QLabel(GatherText::deleteLabel()));
    deleteRow->addWidget(m_delete);
    deleteRow->addWidget(deleteButton);
    deleteRow->addStretch();
    layout->addLayout(deleteRow);

    auto *buttons = new QHBoxLayout;
    m_sampleButton = new QPushButton(GatherText::sampleButton());
    m_sampleButton->setToolTip(QStringLiteral("Ctrl+Alt+F5"));
    m_playButton = new QPushButton(GatherText::playButton());
    m_stopButton = new QPushButton(GatherText::stopButton());
    m_stopButton->setToolTip(QStringLiteral("Ctrl+Alt+F7"));
    auto *openButton = new QPushButton(GatherText::openButton());
    auto *saveButton = new QPushButton(GatherText::saveButton());
    auto *okButton = new QPushButton(GatherText::okButton());
    for (QPushButton *b : {m_sampleButton, m_playButton, m_stopButton, openButton, saveButton, okButton}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    connect(m_sampleButton, &QPushButton::clicked, this, &GatherDialog::startSampling);
    connect(m_playButton, &QPushButton::clicked, this, &GatherDialog::startPlaying);
    connect(m_stopButton, &QPushButton::clicked, this, &GatherDialog::stop);
    connect(openButton, &QPushButton::clicked, this, &GatherDialog::openFile);
    connect(saveButton, &QPushButton::clicked, this, &GatherDialog::saveFile);
    connect(deleteButton, &QPushButton::clicked, this, &GatherDialog::deleteSamples);
    connect(okButton, &QPushButton::clicked, this, &GatherDialog::convertAndClose);
    connect(m_x, &QSpinBox::valueChanged, this, &GatherDialog::positionEdited);
    connect(m_y, &QSpinBox::valueChanged, this, &GatherDialog::positionEdited);
    connect(m_width, &QSpinBox::valueChanged, this, &GatherDialog::sizeEdited);
    connect(m_height, &QSpinBox::valueChanged, this, &GatherDialog::sizeEdited);
    connect(m_slider, &QSlider::valueChanged, this, &GatherDialog::sliderMoved);
    connect(m_display, &QComboBox::currentIndexChanged, this, [this] { showSample(m_slider->value() - 1); });
}

QRect GatherDialog::sampledRect() const
{
    return QRect(m_x->value(), m_y->value(), m_samples.width(), m_samples.height());
}

void GatherDialog::positionEdited()
{
    const QSize screen = screenSize();
    {
        const QSignalBlocker bx(m_x);
        const QSignalBlocker by(m_y);
        m_x->setValue(positionOnScreen(m_x->value(), screen.width()));
        m_y->setValue(positionOnScreen(m_y->value(), screen.height()));
    }
    m_marker->setSampledRect(sampledRect());
}

void GatherDialog::sizeEdited()
{
    const int w = m_width->value();
    const int h = m_height->value();
    if (w == m_samples.width() && h == m_samples.height())
        return;
    if (!confirmSizeChange(m_samples, m_ctx.prompt, GatherText::caption())) {
        // The samples keep their size, and so do the edits: the next run
        // must not mix sizes.
        const QSignalBlocker bw(m_width);
        const QSignalBlocker bh(m_height);
        m_width->setValue(m_samples.width());
        m_height->setValue(m_samples.height());
        return;
    }
    m_samples.resize(w, h);
    m_slider->setRange(0, 0);
    m_preview->clear();
    m_marker->setSampledRect(sampledRect());
}

void GatherDialog::markerMoved(const QRect &r)
{
    {
        const QSignalBlocker bx(m_x);
        const QSignalBlocker by(m_y);
        m_x->setValue(std::max(r.x(), 0));
        m_y->setValue(std::max(r.y(), 0));
    }
    if (r.width() != m_samples.width() || r.height() != m_samples.height()) {
        m_width->setValue(r.width());
        m_height->setValue(r.height());
        // A refused change puts the marker back over the samples' size.
        if (m_width->value() != r.width() || m_height->value() != r.height())
            m_marker->setSampledRect(sampledRect());
    }
}

void GatherDialog::startSampling()
{
    if (m_state != State::Idle)
        return;
    if (const QString refusal = samplingRefusal(m_platform); !refusal.isEmpty()) {
        m_ctx.prompt.inform(refusal, PromptIcon::Warning, GatherText::caption());
        return;
    }
    m_state = State::Sampling;
    m_target = m_samples.count() + m_count->value();
    m_slider->setRange(1, m_target);
    m_marker->setSampling(true);
    updateButtons();
    m_sampleTimer.start(samplePeriodMs(m_rate->value()));
}

void GatherDialog::sampleTick()
{
    if (m_samples.count() >= m_target) {
        stop();
        return;
    }
    if (!m_samples.fits()) {
        stop();
        m_ctx.prompt.inform(GatherText::memoryFull(), PromptIcon::Warning, GatherText::caption());
        return;
    }
    const QImage picture = sampleScreen(sampledRect());
    if (picture.isNull()) {
        stop();
        m_ctx.prompt.inform(GatherText::displayMemoryFull(), PromptIcon::Warning, GatherText::caption());
        return;
    }
    m_samples.append(picture);
    const QSignalBlocker blocker(m_slider);
    m_slider->setValue(m_samples.count());
}

void GatherDialog::startPlaying()
{
    if (m_state != State::Idle || m_samples.empty())
        return;
    m_state = State::Playing;
    m_playing = 0;
    updateButtons();
    m_playTimer.start(samplePeriodMs(m_rate->value()));
    playTick();
}

void GatherDialog::playTick()
{
    if (m_playing >= m_samples.count()) {
        stop();
        return;
    }
    showSample(m_playing);
    const QSignalBlocker blocker(m_slider);
    m_slider->setValue(++m_playing);
}

void GatherDialog::stop()
{
    if (m_state == State::Sampling) {
        m_sampleTimer.stop();
        if (isMinimized())
            showNormal();
        m_marker->setSampling(false);
        m_slider->setRange(m_samples.empty() ? 0 : 1, m_samples.count());
        showSample(m_slider->value() - 1);
    } else if (m_state == State::Playing) {
        m_playTimer.stop();
    }
    m_state = State::Idle;
    updateButtons();
}

void GatherDialog::updateButtons()
{
    m_sampleButton->setEnabled(m_state != State::Playing);
    m_playButton->setEnabled(m_state != State::Sampling);
}

void GatherDialog::sliderMoved(int position)
{
    m_slider->setToolTip(GatherText::sliderTip(position, m_samples.count()));
    if (m_state == State::Idle)
        showSample(position - 1);
}

void GatherDialog::showSample(int index)
{
    if (index < 0 || index >= m_samples.count()) {
        m_preview->clear();
        return;
    }
    QImage area(m_preview->size(), QImage::Format_RGB32);
    area.fill(Qt::black);
    const QImage &sample = m_samples.at(index);
    const DisplayMode mode = displayModeFromIndex(m_display->currentIndex());
    QPainter p(&area);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(placedRect(sample.size(), area.size(), mode), sample);
    p.end();
    m_preview->setPixmap(QPixmap::fromImage(area));
}

void GatherDialog::sliderToEnd(int total)
{
    m_slider->setRange(total > 0 ? 1 : 0, total);
    m_slider->setValue(total);
}

void GatherDialog::openFile()
{
    stop();
    const QString path = m_ctx.prompt.chooseOpenFile(GatherText::openButton(), GatherText::fileFilter());
    if (path.isEmpty() || !openSamples(path, m_samples, m_ctx.prompt))
        return;
    const QSignalBlocker bw(m_width);
    const QSignalBlocker bh(m_height);
    m_width->setValue(m_samples.width());
    m_height->setValue(m_samples.height());
    m_marker->setSampledRect(sampledRect());
    sliderToEnd(m_samples.count());
    m_slider->setValue(1);
    showSample(0);
}

void GatherDialog::saveFile()
{
    stop();
    if (m_samples.empty())
        return;
    const QString path =
        m_ctx.prompt.chooseSaveFile(GatherText::saveButton(), GatherText::fileFilter(), QString(), QStringLiteral("wst"));
    if (!path.isEmpty())
        saveSamples(path, m_samples, m_ctx.doc.geometry(), m_rate->value(), m_ctx.prompt);
}

void GatherDialog::deleteSamples()
{
    stop();
    if (::deleteSamples(m_samples, m_slider->value(), m_delete->value(), m_ctx.prompt) > 0) {
        sliderToEnd(m_samples.count());
        showSample(m_slider->value() - 1);
    }
}

void GatherDialog::convertAndClose()
{
    stop();
    PatternTarget target(m_ctx.doc, int(m_ctx.editing.addMode), m_ctx.editing.area, &m_ctx.palette);
    const int made = convertSamples(target, m_samples, displayModeFromIndex(m_display->currentIndex()),
                                    m_vectorZoom->isChecked(), m_ctx.prompt);
    if (made < 0)
        return; // the samples stay, and so does the dialog
    ProfileFile profile = ProfileFile::load(m_settingsPath);
    profile.write(QStringLiteral("Gather"), QStringLiteral("m_wid"), QString::number(m_samples.width()));
    profile.write(QStringLiteral("Gather"), QStringLiteral("m_hei"), QString::number(m_samples.height()));
    profile.save(m_settingsPath);
    accept();
}

void GatherDialog::closeEvent(QCloseEvent *e)
{
    stop();
    QDialog::closeEvent(e);
}

void GatherDialog::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!m_globalKeys)
        takeGlobalKeys();
}

void GatherDialog::hideEvent(QHideEvent *e)
{
    // Minimised (a spontaneous hide) the dialog keeps its keys: that is when
    // they are wanted. Closed, it lets them go.
    if (!e->spontaneous())
        m_globalKeys.reset();
    QDialog::hideEvent(e);
}

void GatherDialog::takeGlobalKeys()
{
    // Elsewhere the application shortcuts are all there is, and that needs
    // no word.
    if (gatherPlatform(m_platform) != GatherPlatform::X11)
        return;
    m_globalKeys = std::make_unique<GlobalHotKeys>();
    QStringList held;
    QStringList console;
    const auto take = [&](QKeyCombination key, void (GatherDialog::*action)()) {
        const QString name = QKeySequence(key).toString(QKeySequence::PortableText);
        switch (m_globalKeys->add(key, [this, action] { (this->*action)(); })) {
        case GlobalHotKeys::Grab::Held:
            held << name;
            break;
        case GlobalHotKeys::Grab::Reserved:
            console << name;
            break;
        default:
            break;
        }
    };
    take(kGatherSampleKey, &GatherDialog::startSampling);
    take(kGatherStopKey, &GatherDialog::stop);
    QStringList texts;
    if (!console.isEmpty())
        texts << GatherText::consoleKeys(console.join(QStringLiteral(", ")));
    if (!held.isEmpty())
        texts << GatherText::hotKeysHeld(held.join(QStringLiteral(", ")));
    if (texts.isEmpty())
        return;
    // Said once the dialog is up, not from inside its show.
    QMetaObject::invokeMethod(
        this,
        [this, text = texts.join(QLatin1Char('\n'))] {
            m_ctx.prompt.inform(text, PromptIcon::Warning, GatherText::caption());
        },
        Qt::QueuedConnection);
}
