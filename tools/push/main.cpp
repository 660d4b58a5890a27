// veloxa-push: sends a project to a client waiting in receive mode, as the design tool does.

#include "comm/pfileprotocol.h"
#include "filepusher.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTextStream>

#include <unistd.h>

namespace {

enum ExitCode { Success = 0, Failure = 1, Usage = 2 };

QString tr(const char *text)
{
    return QCoreApplication::translate("veloxa-push", text);
}

int usage(const QCommandLineParser &parser, const QString &message)
{
    QTextStream(stderr) << "veloxa-push: " << message << "\n\n" << parser.helpText() << Qt::flush;
    return Usage;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veloxa-push"));
    // QT_LOGGING_RULES still overrides this.
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*.debug=false"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Sends FILE to a Veloxa Remote client that waits in receive mode."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("HOST"), tr("Address or name of the client."));
    parser.addPositionalArgument(QStringLiteral("FILE"), tr("The project to send (.cpz)."));
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        tr("Port of the client (default %1).").arg(PFileProtocol::DefaultPort), QStringLiteral("N"),
        QString::number(PFileProtocol::DefaultPort));
    parser.addOption(portOption);
    if (!parser.parse(QCoreApplication::arguments()))
        return usage(parser, parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(Success);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2)
        return usage(parser, tr("expected HOST and FILE"));
    bool ok = false;
    const uint port = parser.value(portOption).toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        return usage(parser, tr("bad port: %1").arg(parser.value(portOption)));
    const QString host = positional.at(0);
    const QString file = positional.at(1);

    QTextStream out(stdout);
    // Piped output gets a line at the start and one at the end; a terminal a counter as well.
    const bool terminal = isatty(STDOUT_FILENO);
    const QString target = QStringLiteral("%1:%2").arg(host, QString::number(port));
    FilePusher pusher;
    QElapsedTimer clock;
    int shownPercent = -1;
    QObject::connect(&pusher, &FilePusher::connected, &pusher, [&] {
        clock.start();
        out << tr("Sending %1 (%2 bytes) to %3")
                   .arg(file, QString::number(pusher.totalBytes()), target)
            << Qt::endl;
    });
    QObject::connect(&pusher, &FilePusher::progress, &pusher, [&](qint64 sent, qint64 total) {
        const int percent = int(sent * 100 / total);
        if (!terminal || percent == shownPercent)
            return;
        shownPercent = percent;
        out << '\r' << tr("%1 / %2 bytes (%3%)").arg(sent).arg(total).arg(percent) << Qt::flush;
    });
    QObject::connect(
        &pusher, &FilePusher::finished, &pusher,
        [&](bool pushed) {
            if (shownPercent >= 0)
                out << Qt::endl;
            if (pushed) {
                out << tr("Sent %1 bytes to %2 in %3 s.")
                           .arg(QString::number(pusher.bytesSent()), target,
                                QString::number(clock.elapsed() / 1000.0, 'f', 2))
                    << Qt::endl;
            } else {
                QTextStream(stderr) << "veloxa-push: " << pusher.errorString() << Qt::endl;
            }
            QCoreApplication::exit(pushed ? Success : Failure);
        },
        // A refusal may come while push() still runs, before exec() could be told to stop.
        Qt::QueuedConnection);

    if (!pusher.push(host, quint16(port), file)) {
        QTextStream(stderr) << "veloxa-push: " << pusher.errorString() << Qt::endl;
        return Failure;
    }
    return app.exec();
}
