// Brightloom, the LED lighting animation editor.
//
//   brightloom [--no-splash] [project.wst [--wiring project.line]]

#include "shell/editor_application.h"
#include "shell/splash_window.h"
#include "shell/toolbar_icons.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brightloom"));
    QApplication::setApplicationVersion(QStringLiteral(BRIGHTLOOM_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Brightloom"));
    QApplication::setDesktopFileName(QStringLiteral("brightloom"));
    QApplication::setWindowIcon(applicationIcon());

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Brightloom, the LED lighting animation editor."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption noSplash(QStringLiteral("no-splash"), QStringLiteral("Start without the splash picture."));
    options.addOption(noSplash);
    const QCommandLineOption wiring(QStringLiteral("wiring"),
                                    QStringLiteral("A wiring file (.line) for the project, as the Line page opens it."),
                                    QStringLiteral("file.line"));
    options.addOption(wiring);
    options.addPositionalArgument(QStringLiteral("project"), QStringLiteral("A project file (.wst) to open."),
                                  QStringLiteral("[project]"));
    options.process(app);

    // The settings are read and the window is built before the splash; the
    // window shows after it.
    EditorApplication editor;
    if (!options.isSet(noSplash)) {
        SplashWindow splash;
        splash.exec();
    }
    editor.show();
    const QStringList files = options.positionalArguments();
    if (!files.isEmpty() && editor.openOnStart(files.first(), !options.isSet(wiring)) && options.isSet(wiring))
        editor.openWiringOnStart(options.value(wiring));
    return app.exec();
}
