#pragma once

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

// What the program was asked to do on its command line. No window is needed to find out, so
// --help and --version answer before one exists.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    enum class Action { Run, ShowHelp, ShowVersion, Fail };

    CommandLine();

    // arguments[0] is the program.
    Action parse(const QStringList &arguments);

    // Empty: the start-up choice decides.
    QString projectPath() const { return m_projectPath; }
    bool fullscreen() const { return m_fullscreen; }
    bool verbose() const { return m_verbose; }
    QString errorText() const { return m_errorText; }
    QString helpText() const;
    static QString versionText();

    // Debug output stays off unless asked for here or by QT_LOGGING_RULES.
    static void applyLogging(bool verbose);

private:
    static QStringList sampleNames();

    QCommandLineParser m_parser;
    QString m_projectPath;
    QString m_errorText;
    bool m_fullscreen = false;
    bool m_verbose = false;
};
