#include "simoptions.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace {

struct Number
{
    const char *name;
    double minimum;
    double maximum;
};

bool readNumber(const QCommandLineParser &parser, const Number &config, double *out)
{
    const QString name = QLatin1String(config.name);
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const double number = parser.value(name).toDouble(&ok);
    if (!ok || number < config.minimum || number > config.maximum)
        return false;
    *out = number;
    return true;
}

} // namespace

bool SimOptions::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulates the devices of a project on loopback TCP."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("project"),
                                 QStringLiteral("Project archive (.cpz, .cpn) or panel file "
                                                "(.cpf); without one, a single device."));
    const auto valued = [&parser](const char *name, const char *what, const char *help) {
        parser.addOption(
            QCommandLineOption(QLatin1String(name), QLatin1String(help), QLatin1String(what)));
    };
    const auto flag = [&parser](const char *name, const char *help) {
        parser.addOption(QCommandLineOption(QLatin1String(name), QLatin1String(help)));
    };
    valued("port", "N", "Serve a single device on port N (0: any free port).");
    valued("device", "NAME", "With --port: the device to serve (default: the first).");
    flag("ephemeral", "Serve every device on a port the system chooses.");
    flag("bind", "Bind the project's own addresses even when they are not loopback.");
    valued("seed", "N", "Seed of the meter readings and fault draws.");
    flag("no-subscribe", "Refuse subscriptions.");
    flag("silent-probe", "Never answer the subscription probe.");
    valued("nak-rate", "P", "Answer this share of commands (0..1) with NAK.");
    valued("no-answer-rate", "P", "Leave this share of commands (0..1) unanswered.");
    valued("delay", "MS", "Delay every reply.");
    valued("split", "N", "Write replies in chunks of N bytes.");
    flag("join", "Join pending replies with \";\" into one write.");
    valued("close-after", "N", "Close a connection after N commands.");
    flag("refuse", "Accept no connections.");
    flag("lower-case-meter", "Name the meter of a level reply in lower-case hexadecimal.");
    valued("log", "FILE", "Write every command and reply to FILE.");
    flag("summary", "Print a summary at exit.");
    flag("stdin-quit",
         "Stop when standard input closes; until then, a line \"ring NUMBER[,NAME]\"\n"
         "rings the first telephone and \"hangup\" ends its call from the far end.");
    valued("combine-every", "SECONDS",
           "Join rooms 1 and 2 of group 1, then split them, every SECONDS (0.1 to 3600).");
    valued("answer-after", "SECONDS",
           "A dialled telephone call is answered after SECONDS (0.1 to 3600; default 2).");
    flag("busy", "Every dialled telephone number is busy.");
    valued("far-hangup-after", "SECONDS",
           "The far end ends a connected call after SECONDS (0, the default: never).");
    valued("incoming-call", "NUMBER[,NAME]",
           "Ring the project's first telephone from NUMBER, naming the caller if NAME is given.");
    valued("after", "SECONDS", "With --incoming-call: ring after SECONDS (default 1).");

    if (!parser.parse(arguments))
        return fail(parser.errorText());
    m_helpText = parser.helpText();
    m_helpRequested = parser.isSet(QStringLiteral("help"));
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return fail(QStringLiteral("more than one project given"));
    m_project = positional.value(0);

    double port = -1, seed = 0, delay = 0, split = 0, closeAfter = 0, combineEvery = 0;
    double answerAfter = 2, farHangUpAfter = 0, after = 1;
    if (!readNumber(parser, {"port", 0, 65535}, &port) ||
        !readNumber(parser, {"seed", 0, 4294967295.0}, &seed) ||
        !readNumber(parser, {"nak-rate", 0, 1}, &m_faults.nakRate) ||
        !readNumber(parser, {"no-answer-rate", 0, 1}, &m_faults.noAnswerRate) ||
        !readNumber(parser, {"delay", 0, 600000}, &delay) ||
        !readNumber(parser, {"split", 0, 65536}, &split) ||
        !readNumber(parser, {"close-after", 0, 1e9}, &closeAfter) ||
        !readNumber(parser, {"combine-every", 0.1, 3600}, &combineEvery) ||
        !readNumber(parser, {"answer-after", 0.1, 3600}, &answerAfter) ||
        !readNumber(parser, {"far-hangup-after", 0, 3600}, &farHangUpAfter) ||
        !readNumber(parser, {"after", 0, 3600}, &after))
        return fail(QStringLiteral("an option's number is missing or out of range"));
    m_port = int(port);
    m_hasSeed = parser.isSet(QStringLiteral("seed"));
    m_seed = quint32(seed);
    m_faults.delayMs = int(delay);
    m_faults.splitBytes = int(split);
    m_faults.closeAfter = int(closeAfter);
    m_combineEveryMs = int(combineEvery * 1000);
    m_answerAfterMs = int(answerAfter * 1000);
    m_farHangUpAfterMs = int(farHangUpAfter * 1000);
    m_incomingAfterMs = int(after * 1000);
    m_busy = parser.isSet(QStringLiteral("busy"));
    if (parser.isSet(QStringLiteral("incoming-call"))) {
        const QString call = parser.value(QStringLiteral("incoming-call"));
        m_incomingNumber = call.section(QLatin1Char(','), 0, 0);
        m_incomingName = call.section(QLatin1Char(','), 1).trimmed();
        // The caller's texts travel inside one quoted reply.
        static const QRegularExpression number(QStringLiteral("^[0-9*#+]{1,32}$"));
        if (!number.match(m_incomingNumber).hasMatch() ||
            m_incomingName.contains(QRegularExpression(QStringLiteral("[\";\\r\\n]"))))
            return fail(QStringLiteral("--incoming-call wants NUMBER[,NAME]: digits, * # +, "
                                       "and a name without quotes or \";\""));
    }
    m_faults.noSubscribe = parser.isSet(QStringLiteral("no-subscribe"));
    m_faults.silentProbe = parser.isSet(QStringLiteral("silent-probe"));
    m_faults.join = parser.isSet(QStringLiteral("join"));
    m_faults.refuse = parser.isSet(QStringLiteral("refuse"));
    m_faults.lowerCaseMeter = parser.isSet(QStringLiteral("lower-case-meter"));
    m_device = parser.value(QStringLiteral("device"));
    m_ephemeral = parser.isSet(QStringLiteral("ephemeral"));
    m_bindAnyAddress = parser.isSet(QStringLiteral("bind"));
    m_logFile = parser.value(QStringLiteral("log"));
    m_summary = parser.isSet(QStringLiteral("summary"));
    m_stdinQuit = parser.isSet(QStringLiteral("stdin-quit"));
    return true;
}

bool SimOptions::fail(const QString &message)
{
    m_errorString = message;
    return false;
}
