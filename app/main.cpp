#include "app/commandline.h"
#include "app/mainwindow.h"
#include "model/mmodel.h"
#include "util/utranslation.h"
#include "util/uversion.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <cstdio>
#include <memory>

namespace {
void print(FILE *stream, const QString &text)
{
    std::fputs(qPrintable(text), stream);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', stream);
}

// Answers what needs no window; -1 when the program should go on.
int answer(const CommandLine &commandLine, CommandLine::Action action)
{
    switch (action) {
    case CommandLine::Action::ShowHelp:
        print(stdout, commandLine.helpText());
        return 0;
    case CommandLine::Action::ShowVersion:
        print(stdout, CommandLine::versionText());
        return 0;
    case CommandLine::Action::Fail:
        print(stderr,
              commandLine.errorText() + QLatin1Char('\n') +
                  CommandLine::tr("Try \"%1 --help\".").arg(QCoreApplication::applicationName()));
        return 2;
    case CommandLine::Action::Run:
        break;
    }
    return -1;
}

// Options that QApplication takes away; the probe does not know them.
bool namesToolkitOption(const QStringList &arguments)
{
    static const QStringList toolkit = {
        QStringLiteral("platform"),      QStringLiteral("platformpluginpath"),
        QStringLiteral("platformtheme"), QStringLiteral("plugin"),
        QStringLiteral("qmljsdebugger"), QStringLiteral("qwindowgeometry"),
        QStringLiteral("qwindowicon"),   QStringLiteral("qwindowtitle"),
        QStringLiteral("reverse"),       QStringLiteral("session"),
        QStringLiteral("display"),       QStringLiteral("geometry"),
        QStringLiteral("style"),         QStringLiteral("stylesheet"),
        QStringLiteral("widgetcount"),
    };
    for (QString argument : arguments.mid(1)) {
        while (argument.startsWith(QLatin1Char('-')))
            argument.remove(0, 1);
        if (toolkit.contains(argument.section(QLatin1Char('='), 0, 0)))
            return true;
    }
    return false;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("veloxa-remote"));
    QCoreApplication::setApplicationVersion(UVersion::text());
    // Help and version need no display. Options of Qt's own (-platform) are unknown here; the
    // full application below takes them away and asks again.
    {
        QCoreApplication probe(argc, argv);
        UTranslation translation;
        translation.install(QLocale());
        CommandLine commandLine;
        const CommandLine::Action action = commandLine.parse(probe.arguments());
        // A usage error is told here too, so that it never waits for a display.
        if (action != CommandLine::Action::Run &&
            (action != CommandLine::Action::Fail || !namesToolkitOption(probe.arguments())))
            return answer(commandLine, action);
    }

    auto application = std::make_unique<QApplication>(argc, argv);
    // The window installs its own translation; this one speaks before there is a window.
    auto translation = std::make_unique<UTranslation>();
    translation->install(QLocale());
    CommandLine commandLine;
    const int answered = answer(commandLine, commandLine.parse(application->arguments()));
    if (answered >= 0)
        return answered;
    CommandLine::applyLogging(commandLine.verbose());

    // A project named on the command line is not replaced by another when it fails: the user
    // asked for that one.
    const QString project = commandLine.projectPath();
    QString reason;
    if (!project.isEmpty() && !MModel::checkProject(project, &reason)) {
        const QString message = CommandLine::tr("The project \"%1\" could not be opened: %2.")
                                    .arg(QDir::toNativeSeparators(project), reason);
        print(stderr, message);
        // Nobody would see a dialog there, and it would hold the program open.
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            QMessageBox::critical(nullptr, CommandLine::tr("Project not opened"), message);
        return 1;
    }

    translation.reset();
    auto window = std::make_unique<MainWindow>(nullptr, project);
    window->setApplication(application.get());
    if (commandLine.fullscreen())
        window->showFullScreen();
    else
        window->show();
    const int result = application->exec();
    window.reset();
    application.reset();
    return result;
}
