#include "model/mproject.h"

#include <QMap>
#include <QtTest>

namespace {

using Fields = QMap<QString, QString>;

// Every stored field by a readable key, empty ones left out, so that a test sees a value that
// landed in the wrong place as well as one that is missing.
Fields storedFields(const MProject &project)
{
    Fields all{{"facility", project.facilityName()},
               {"businessManager.name", project.businessManager().name},
               {"businessManager.email", project.businessManager().email},
               {"businessManager.tel", project.businessManager().tel},
               {"engineer.name", project.engineer().name},
               {"engineer.email", project.engineer().email},
               {"engineer.tel", project.engineer().tel},
               {"customer.name", project.customer().name},
               {"customer.address", project.customer().address},
               {"customer.email", project.customer().email},
               {"customer.tel", project.customer().tel}};
    for (int i = 0; i < MProject::CommentCount; ++i)
        all.insert(QStringLiteral("comment%1").arg(i + 1), project.comments()[i]);
    Fields filled;
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        if (!it.value().isEmpty())
            filled.insert(it.key(), it.value());
    }
    return filled;
}

void fill(MProject &project)
{
    project.set("Facility", "name", "Harbour Hall");
    project.set("BusinessManeger", "name", "Ada Brook");
    project.set("BusinessManeger", "email", "ada@example.org");
    project.set("BusinessManeger", "tel", "+1 555 0100");
    project.set("Engineer", "name", "Ben Carr");
    project.set("Engineer", "email", "ben@example.org");
    project.set("Engineer", "tel", "+1 555 0101");
    project.set("Customer", "name", "Harbour Trust");
    project.set("Customer", "address", "1 Quay Road");
    project.set("Customer", "email", "desk@harbour.example");
    project.set("Customer", "tel", "+1 555 0102");
    project.set("Comments", "comment1", "first remark");
    project.set("Comments", "comment6", "last remark");
}

} // namespace

class TstMProject : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void setStoresOneField_data();
    void setStoresOneField();
    void setIgnoresUnknownGroupOrName_data();
    void setIgnoresUnknownGroupOrName();
    void facilityNamedNoneIsEmpty_data();
    void facilityNamedNoneIsEmpty();
    void exitCode_data();
    void exitCode();
    void exitCodeIsProgramWide();
    void valuesSurviveLaterSets();
    void infoTextLayout();
    void infoTextOfEmptyRecord();
};

void TstMProject::init()
{
    MProject::setExitCode(QString());
}

void TstMProject::setStoresOneField_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("field");

    QTest::newRow("facility") << "Facility"
                              << "name"
                              << "facility";
    const QStringList personNames{"name", "email", "tel"};
    for (const QString &name : personNames) {
        QTest::addRow("business manager %s", qPrintable(name))
            << "BusinessManeger" << name << "businessManager." + name;
        QTest::addRow("engineer %s", qPrintable(name)) << "Engineer" << name << "engineer." + name;
    }
    const QStringList customerNames{"name", "address", "email", "tel"};
    for (const QString &name : customerNames)
        QTest::addRow("customer %s", qPrintable(name)) << "Customer" << name << "customer." + name;
    for (int i = 1; i <= MProject::CommentCount; ++i) {
        const QString comment = QStringLiteral("comment%1").arg(i);
        QTest::addRow("%s", qPrintable(comment)) << "Comments" << comment << comment;
    }
}

void TstMProject::setStoresOneField()
{
    QFETCH(QString, group);
    QFETCH(QString, name);
    QFETCH(QString, field);

    MProject project;
    project.set(group, name, "value of " + field);

    QCOMPARE(storedFields(project), (Fields{{field, "value of " + field}}));
    QCOMPARE(MProject::exitCode(), QString());
}

void TstMProject::setIgnoresUnknownGroupOrName_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("name");

    QTest::newRow("business manager spelt correctly") << "BusinessManager"
                                                      << "name";
    QTest::newRow("business manager in lower case") << "businessmaneger"
                                                    << "name";
    QTest::newRow("engineer in lower case") << "engineer"
                                            << "name";
    QTest::newRow("name with capital") << "Engineer"
                                       << "Name";
    QTest::newRow("customer phone") << "Customer"
                                    << "phone";
    QTest::newRow("person has no address") << "Engineer"
                                           << "address";
    QTest::newRow("comment0") << "Comments"
                              << "comment0";
    QTest::newRow("comment7") << "Comments"
                              << "comment7";
    QTest::newRow("comment without number") << "Comments"
                                            << "comment";
    QTest::newRow("facility title") << "Facility"
                                    << "title";
    QTest::newRow("exit pin in other case") << "ExitCode"
                                            << "exitPin";
    QTest::newRow("exit pin in other group") << "Facility"
                                             << "exitPIN";
    QTest::newRow("unknown group") << "Project"
                                   << "name";
    QTest::newRow("empty") << ""
                           << "";
}

void TstMProject::setIgnoresUnknownGroupOrName()
{
    QFETCH(QString, group);
    QFETCH(QString, name);
    MProject::setExitCode("4321");

    MProject project;
    project.set(group, name, "stray");

    QCOMPARE(storedFields(project), Fields());
    QCOMPARE(MProject::exitCode(), QString("4321"));
    QVERIFY(!project.infoText().contains("stray"));
}

void TstMProject::facilityNamedNoneIsEmpty_data()
{
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("None") << ""
                          << "None"
                          << "";
    QTest::newRow("None replaces an earlier name") << "Old Hall"
                                                   << "None"
                                                   << "";
    QTest::newRow("none in lower case is a name") << ""
                                                  << "none"
                                                  << "none";
    QTest::newRow("None with more text is a name") << ""
                                                   << "None Hall"
                                                   << "None Hall";
    QTest::newRow("ordinary name") << ""
                                   << "Harbour Hall"
                                   << "Harbour Hall";
}

void TstMProject::facilityNamedNoneIsEmpty()
{
    QFETCH(QString, previous);
    QFETCH(QString, value);
    QFETCH(QString, expected);

    MProject project;
    if (!previous.isEmpty())
        project.set("Facility", "name", previous);
    project.set("Facility", "name", value);

    QCOMPARE(project.facilityName(), expected);
    QVERIFY(project.infoText().startsWith("Facility\n" + expected + "\n\nBusiness Manager\n"));
}

void TstMProject::exitCode_data()
{
    using Entries = QList<QPair<QString, QString>>;
    QTest::addColumn<QString>("before");
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<QString>("expected");

    QTest::newRow("set") << "" << Entries{{"exitPIN", "1234"}} << "1234";
    QTest::newRow("replaced") << "1111" << Entries{{"exitPIN", "2222"}} << "2222";
    QTest::newRow("without exitPIN unchanged") << "1111" << Entries{{"pin", "9999"}} << "1111";
    QTest::newRow("empty group unchanged") << "1111" << Entries{} << "1111";
    QTest::newRow("empty exitPIN clears") << "1111" << Entries{{"exitPIN", ""}} << "";
    QTest::newRow("last one wins") << "" << Entries{{"exitPIN", "1"}, {"exitPIN", "2"}} << "2";
}

void TstMProject::exitCode()
{
    using Entries = QList<QPair<QString, QString>>;
    QFETCH(QString, before);
    QFETCH(Entries, entries);
    QFETCH(QString, expected);
    MProject::setExitCode(before);

    MProject project;
    for (const auto &entry : entries)
        project.set("ExitCode", entry.first, entry.second);

    QCOMPARE(MProject::exitCode(), expected);
    QCOMPARE(storedFields(project), Fields());
}

void TstMProject::exitCodeIsProgramWide()
{
    {
        MProject first;
        first.set("ExitCode", "exitPIN", "2468");
    }
    MProject second;
    QCOMPARE(MProject::exitCode(), QString("2468"));
    QVERIFY(!second.infoText().contains("2468"));
}

void TstMProject::valuesSurviveLaterSets()
{
    MProject project;
    fill(project);
    const Fields before = storedFields(project);

    project.set("Engineer", "name", "Cara Dunn");

    Fields expected = before;
    expected["engineer.name"] = "Cara Dunn";
    QCOMPARE(storedFields(project), expected);
}

void TstMProject::infoTextLayout()
{
    MProject project;
    fill(project);

    const QString expected = "Facility\n"
                             "Harbour Hall\n\n"
                             "Business Manager\n"
                             "Ada Brook\nada@example.org\n+1 555 0100\n\n"
                             "Engineer\n"
                             "Ben Carr\nben@example.org\n+1 555 0101\n\n"
                             "Customer\n"
                             "Harbour Trust\n1 Quay Road\ndesk@harbour.example\n+1 555 0102\n\n";
    QCOMPARE(project.infoText(), expected);
}

void TstMProject::infoTextOfEmptyRecord()
{
    MProject project;
    project.set("Comments", "comment3", "not shown");

    QCOMPARE(project.infoText(), QString("Facility\n\n\n"
                                         "Business Manager\n\n\n\n\n"
                                         "Engineer\n\n\n\n\n"
                                         "Customer\n\n\n\n\n\n"));
}

QTEST_GUILESS_MAIN(TstMProject)
#include "tst_mproject.moc"
