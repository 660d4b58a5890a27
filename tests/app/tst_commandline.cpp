#include "app/commandline.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using Action = CommandLine::Action;

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parses_data();
    void parses();
    void program_data();
    void program();
};

void TestCommandLine::parses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("project");
    QTest::addColumn<bool>("fullscreen");
    QTest::addColumn<bool>("verbose");
    QTest::addColumn<QString>("error");
    const QString file = QDir::current().absoluteFilePath(QStringLiteral("p.cpz"));
    QTest::newRow("start-up choice")
        << QStringList() << int(Action::Run) << "" << false << false << "";
    QTest::newRow("file") << QStringList{"p.cpz", "--fullscreen"} << int(Action::Run) << file
                          << true << false << "";
    QTest::newRow("demo") << QStringList{"--verbose", "--demo"} << int(Action::Run)
                          << ":/data/Veloxa/Demo.cpz" << false << true << "";
    QTest::newRow("sample") << QStringList{"--sample", "conference"} << int(Action::Run)
                            << ":/data/Veloxa/Conference.cpz" << false << false << "";
    QTest::newRow("unknown sample") << QStringList{"--sample", "x"} << int(Action::Fail) << ""
                                    << false << false << "the samples are: conference, demo";
    QTest::newRow("two projects") << QStringList{"p.cpz", "--demo"} << int(Action::Fail) << ""
                                  << false << false << "one project";
    QTest::newRow("unknown option")
        << QStringList{"--x"} << int(Action::Fail) << "" << false << false << "'x'";
    QTest::newRow("help") << QStringList{"-h", "p.cpz"} << int(Action::ShowHelp) << "" << false
                          << false << "";
    QTest::newRow("version") << QStringList{"--version"} << int(Action::ShowVersion) << "" << false
                             << false << "";
}

void TestCommandLine::parses()
{
    QFETCH(QStringList, arguments);
    CommandLine commandLine;
    arguments.prepend(QStringLiteral("veloxa-remote"));
    QTEST(int(commandLine.parse(arguments)), "action");
    QTEST(commandLine.projectPath(), "project");
    QTEST(commandLine.fullscreen(), "fullscreen");
    QTEST(commandLine.verbose(), "verbose");
    QFETCH(QString, error);
    QVERIFY2(error.isEmpty() == commandLine.errorText().isEmpty() &&
                 commandLine.errorText().contains(error),
             qPrintable(commandLine.errorText()));
}

// The built program answers without a window and reports a project it cannot open.
void TestCommandLine::program_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("version") << QStringList{"--version"} << 0
                             << QStringList{"veloxa-remote " CMAKE_VERSION_TEXT "\n"};
    QTest::newRow("help") << QStringList{"--help"} << 0
                          << QStringList{"[project]",    "--demo",    "--sample <name>",
                                         "--fullscreen", "--verbose", "--version"};
    QTest::newRow("damaged archive")
        << QStringList{"bad.cpz"} << 1 << QStringList{"bad.cpz\" could not be opened: it is not"};
    QTest::newRow("missing file") << QStringList{"none.cpf"} << 1
                                  << QStringList{"none.cpf\" could not be opened"};
    QTest::newRow("unknown sample")
        << QStringList{"--sample", "x"} << 2 << QStringList{"conference, demo"};
}

void TestCommandLine::program()
{
    QFETCH(QStringList, arguments);
    QTemporaryDir folder;
    QFile bad(folder.filePath(QStringLiteral("bad.cpz")));
    QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("not an archive") > 0);
    bad.close();
    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.start(QStringLiteral(VELOXA_REMOTE), arguments);
    QVERIFY(process.waitForFinished(30000));
    const QString output =
        QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    QTEST(process.exitCode(), "status");
    QFETCH(QStringList, expected);
    for (const QString &text : expected)
        QVERIFY2(output.contains(text), qPrintable(output));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
