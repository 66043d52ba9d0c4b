// Brightloom, the LED lighting animation editor.
//
//   brightloom [--no-splash] [project.wst]

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
    if (!files.isEmpty())
        editor.openOnStart(files.first());
    return app.exec();
}
