#include "app/commandline.h"

#include <QProcess>
#include <QtTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parses_data();
    void parses();
    void program_data();
    void program();
};

// The outcome: the project and the flags set, or the error.
void TestCommandLine::parses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("outcome");
    const QString file = QDir::current().absoluteFilePath(QStringLiteral("p.cpz"));
    QTest::newRow("start-up choice") << QStringList() << "";
    QTest::newRow("file") << QStringList{"p.cpz", "--fullscreen"} << file + " fullscreen";
    QTest::newRow("sample") << QStringList{"--verbose", "--sample", "Conference"}
                            << ":/data/Veloxa/Conference.cpz verbose";
    QTest::newRow("unknown sample")
        << QStringList{"--sample", "x"}
        << "There is no sample \"x\"; the samples are: conference, demo.";
    QTest::newRow("two projects") << QStringList{"p.cpz", "--demo"}
                                  << "Name one project only: a file, --demo or --sample.";
}

void TestCommandLine::parses()
{
    QFETCH(QStringList, arguments);
    CommandLine line;
    const bool run =
        line.parse(QStringList{"veloxa-remote"} + arguments) == CommandLine::Action::Run;
    const QString outcome = run ? line.projectPath() + (line.fullscreen() ? " fullscreen" : "") +
                                      (line.verbose() ? " verbose" : "")
                                : line.errorText();
    QTEST(outcome, "outcome");
}

void TestCommandLine::program_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("version") << QStringList{"--version"} << 0
                             << QByteArray("veloxa-remote " CMAKE_VERSION_TEXT "\n");
    QTest::newRow("help")
        << QStringList{"--help"} << 0
        << QByteArray("--sample <name>  Open the built-in sample <name> (conference, demo)");
    QTest::newRow("unknown option")
        << QStringList{"--bogus"} << 2 << QByteArray("Unknown option 'bogus'.");
    QTest::newRow("not a project") << QStringList{QCoreApplication::applicationFilePath()} << 1
                                   << QByteArray("tst_commandline\" could not be opened: ");
}

void TestCommandLine::program()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QProcess process;
    // Only opening a project needs a display; without one, xcb would abort the others.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (status != 1) {
        environment.remove(QStringLiteral("DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    }
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELOXA_REMOTE), arguments);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), status);
    const QByteArray output = process.readAllStandardOutput() + process.readAllStandardError();
    QFETCH(QByteArray, expected);
    QVERIFY2(output.contains(expected), output.constData());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
