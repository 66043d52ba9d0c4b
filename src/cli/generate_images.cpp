#include "generate_images.h"

#include "patterns/picture_pattern.h"
#include "patterns/text_pattern.h"
#include "patterns/transition_effects.h"

#include <QGuiApplication>

namespace {

// Fonts and picture formats need a GUI application; without a display the
// offscreen platform serves.
void needGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "brightloom-cli";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // lives until the tool ends
}

} // namespace

QStringList pictureFamilyOptions() { return {"--image", "--entrance", "--wait", "--exit", "--effect"}; }
QStringList textFamilyOptions() { return {"--text", "--font", "--size", "--colour", "--mode", "--step"}; }

std::optional<int> generatePictureFamily(const CliArgs &a, PatternTarget &target, Prompt &prompt, QString &usage)
{
    CliNumbers opt(a);
    PicturePatternParams p;
    p.entrance = opt.number("--entrance", 20);
    p.wait = opt.number("--wait", 10);
    p.exit = opt.number("--exit", 0);
    p.effectItem = opt.number("--effect", 0, 0, kPictureRandomItem);
    if (!a.has("--image"))
        opt.fail(QStringLiteral("picture needs --image FILE"));
    if (!opt.error().isEmpty()) {
        usage = opt.error();
        return std::nullopt;
    }
    needGuiApplication();
    QImage image = loadPatternPicture(a.text("--image"), prompt);
    if (image.isNull())
        return 0;
    QImage picture;
    drawIntoPagePicture(picture, image, target.doc.cols(), target.doc.rows());
    return runPicturePattern(target, picture, p, prompt);
}

std::optional<int> generateTextFamily(const CliArgs &a, PatternTarget &target, Prompt &prompt, QString &usage)
{
    CliNumbers opt(a);
    TextPatternParams p;
    p.appearance = opt.number("--mode", 0, 0, kStuntEntryCount - 1);
    p.step = opt.number("--step", 2);
    const int size = opt.number("--size", 16, 4, 512);
    QColor colour = QColor::fromRgb(kDefaultTextColour);
    if (a.has("--colour")) {
        const QString hex = a.text("--colour");
        bool ok = hex.size() == 6;
        const uint rgb = hex.toUInt(&ok, 16);
        if (!ok || hex.size() != 6)
            opt.fail(QStringLiteral("--colour needs RRGGBB in hexadecimal, not '%1'").arg(hex));
        colour = QColor::fromRgb(QRgb(0xFF000000u | rgb));
    }
    if (!a.has("--text"))
        opt.fail(QStringLiteral("text needs --text \"...\""));
    if (!opt.error().isEmpty()) {
        usage = opt.error();
        return std::nullopt;
    }
    needGuiApplication();
    QFont font = defaultTextFont();
    if (a.has("--font"))
        font.setFamily(a.text("--font"));
    font.setPixelSize(size);
    QString text = a.text("--text");
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return runTextPattern(target, plainTextLines(text, font, colour), p, prompt);
}
