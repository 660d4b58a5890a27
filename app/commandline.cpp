#include "app/commandline.h"

#include "util/uversion.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

namespace {
const QString kSamples = QStringLiteral(":/data/Veloxa");
const QString kDemo = QStringLiteral("Demo");
const QString kFullscreen = QStringLiteral("fullscreen");
const QString kVerbose = QStringLiteral("verbose");
const QString kDemoOption = QStringLiteral("demo");
const QString kSample = QStringLiteral("sample");
} // namespace

CommandLine::CommandLine()
{
    m_parser.setApplicationDescription(tr("Remote control panels for audio devices."));
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addOptions({
        {kDemoOption, tr("Open the built-in demonstration project.")},
        {kSample,
         tr("Open the built-in sample <name> (%1).")
             .arg(sampleNames().join(QStringLiteral(", ")).toLower()),
         tr("name")},
        {kFullscreen, tr("Show the window full screen.")},
        {kVerbose, tr("Write debug output.")},
    });
    m_parser.addPositionalArgument(
        tr("project"),
        tr("A project archive (.cpz), a received download (.cpn) or a panel file (.cpf)."),
        tr("[project]"));
}

CommandLine::Action CommandLine::parse(const QStringList &arguments)
{
    m_projectPath.clear();
    m_errorText.clear();
    if (!m_parser.parse(arguments)) {
        m_errorText = m_parser.errorText();
        return Action::Fail;
    }
    if (m_parser.isSet(QStringLiteral("help")) || m_parser.isSet(QStringLiteral("help-all")))
        return Action::ShowHelp;
    if (m_parser.isSet(QStringLiteral("version")))
        return Action::ShowVersion;
    m_fullscreen = m_parser.isSet(kFullscreen);
    m_verbose = m_parser.isSet(kVerbose);

    const QStringList files = m_parser.positionalArguments();
    const int choices = int(files.size()) + (m_parser.isSet(kDemoOption) ? 1 : 0) +
                        (m_parser.isSet(kSample) ? 1 : 0);
    if (choices > 1) {
        m_errorText = tr("Name one project only: a file, --demo or --sample.");
        return Action::Fail;
    }
    if (!files.isEmpty()) {
        m_projectPath = QFileInfo(files.constFirst()).absoluteFilePath();
    } else if (m_parser.isSet(kDemoOption)) {
        m_projectPath = kSamples + QLatin1Char('/') + kDemo + QStringLiteral(".cpz");
    } else if (m_parser.isSet(kSample)) {
        const QString wanted = m_parser.value(kSample);
        const QStringList known = sampleNames();
        for (const QString &name : known) {
            if (name.compare(wanted, Qt::CaseInsensitive) == 0)
                m_projectPath = kSamples + QLatin1Char('/') + name + QStringLiteral(".cpz");
        }
        if (m_projectPath.isEmpty()) {
            m_errorText = tr("There is no sample \"%1\"; the samples are: %2.")
                              .arg(wanted, known.join(QStringLiteral(", ")).toLower());
            return Action::Fail;
        }
    }
    return Action::Run;
}

QString CommandLine::helpText() const
{
    return m_parser.helpText();
}

QString CommandLine::versionText()
{
    return QCoreApplication::applicationName() + QLatin1Char(' ') + UVersion::text();
}

void CommandLine::applyLogging(bool verbose)
{
    if (verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*.debug=true"));
    else if (!qEnvironmentVariableIsSet("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*.debug=false"));
}

QStringList CommandLine::sampleNames()
{
    QStringList names;
    const QStringList files =
        QDir(kSamples).entryList({QStringLiteral("*.cpz")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        names.append(QFileInfo(file).completeBaseName());
    return names;
}
