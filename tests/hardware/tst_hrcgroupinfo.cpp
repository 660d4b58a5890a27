#include "hardware/hrcgroupinfo.h"

#include <QLoggingCategory>
#include <QtTest>

namespace {

// Group 1: a combiner of four rooms in a row (two combo slots). Group 2: a router of rooms
// 1-2-3 in a row plus room 4, joinable only to 3 (two slots).
void registerRooms(HRCGroupInfo &state)
{
    const QString row = QStringLiteral("{1|2}{2|3}{3|4}");
    for (int room = 1; room <= 4; ++room) {
        state.registerRoom(1, QStringLiteral("Hall-%1").arg(room), QString(), room,
                           HRCGroupInfo::CombinerRoom, 100 + room, row);
        state.registerRoom(2, QStringLiteral("Suite-%1").arg(room), QString(), room,
                           HRCGroupInfo::RouterRoom, 200 + room, row);
    }
}

} // namespace

class TestHRCGroupInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*=false")); }
    void neighboursAndComboText_data();
    void neighboursAndComboText();
    void clicks_data();
    void clicks();
    void replies_data();
    void replies();
};

void TestHRCGroupInfo::neighboursAndComboText_data()
{
    QTest::addColumn<QString>("roomCombine");
    QTest::addColumn<int>("room");
    QTest::addColumn<QString>("neighbours");

    QTest::newRow("pairs") << "{1|2}{2|3}{3|4}" << 2 << "1,3";
    QTest::newRow("plus pair") << "{1+2}" << 1 << "2";
    QTest::newRow("list") << "[2,3,10]" << 1 << "2,3,10";
    QTest::newRow("single list") << "[4]" << 1 << "4";
    QTest::newRow("no pair of two numbers") << "{a|b}{1|2|3}{1}" << 1 << "";
    QTest::newRow("other endings") << "{1|2)(3]" << 1 << "";
}

void TestHRCGroupInfo::neighboursAndComboText()
{
    QFETCH(QString, roomCombine);
    QFETCH(int, room);
    QFETCH(QString, neighbours);
    QStringList texts;
    for (int neighbour : HRCGroupInfo::parseNeighbours(roomCombine, room))
        texts.append(QString::number(neighbour));
    QCOMPARE(texts.join(QLatin1Char(',')), neighbours);
    QCOMPARE(HRCGroupInfo::comboText({10, 2, 1, 12}), QStringLiteral("1,2,10,12"));
}

void TestHRCGroupInfo::clicks_data()
{
    QTest::addColumn<QString>("reply");   // the state before the clicks
    QTest::addColumn<QString>("clicks");  // "group:room@slot" ...
    QTest::addColumn<QString>("command"); // of the last click
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QString>("slot0"); // rooms of the group in slot 0 afterwards

    QTest::newRow("combiner: first room, nothing to send") << ""
                                                           << "1:2@0"
                                                           << ""
                                                           << "crimson"
                                                           << "2";
    QTest::newRow("combiner join sends the whole state") << ""
                                                         << "1:2@0 1:1@0"
                                                         << "SRC 1,[1,2]\r"
                                                         << "crimson"
                                                         << "1,2";
    QTest::newRow("combiner split leaving one room") << "GRC 1,[1,2]"
                                                     << "1:2@0"
                                                     << "SRC 1,1,2,S\r"
                                                     << "lightgray"
                                                     << "";
    QTest::newRow("combiner move to another combo") << "GRC 1,[1,2][3,4]"
                                                    << "1:3@0"
                                                    << "SRC 1,[1,2,3]\r"
                                                    << "crimson"
                                                    << "1,2,3";
    QTest::newRow("router join to its neighbour") << ""
                                                  << "2:2@0 2:1@0"
                                                  << "SRC 2,2,1,J\r"
                                                  << "crimson"
                                                  << "2,1";
    QTest::newRow("router join with two neighbours in the combo") << "GRC 2,[1,3]"
                                                                  << "2:2@0"
                                                                  << "SRC 2,1,2,J\r;SRC 2,3,2,J\r"
                                                                  << "crimson"
                                                                  << "1,3,2";
    QTest::newRow("router room that is not a neighbour")
        << ""
        << "2:1@0 2:4@0"
        << "FAILURE::Cannot add 'Suite-4' to the selected combination."
        << ""
        << "1";
    QTest::newRow("router split") << "GRC 2,[1,2,3]"
                                  << "2:3@0"
                                  << "SRC 2,2,3,S\r"
                                  << "lightgray"
                                  << "1,2";
    QTest::newRow("router move: split, then join") << "GRC 2,[1,2][3,4]"
                                                   << "2:3@0"
                                                   << "SRC 2,4,3,S\r;SRC 2,2,3,J\r"
                                                   << "crimson"
                                                   << "1,2,3";
    QTest::newRow("room the project does not have") << ""
                                                    << "1:9@0"
                                                    << ""
                                                    << ""
                                                    << "";
    QTest::newRow("slot the group does not have") << ""
                                                  << "1:1@5"
                                                  << ""
                                                  << ""
                                                  << "";
}

void TestHRCGroupInfo::clicks()
{
    QFETCH(QString, reply);
    QFETCH(QString, clicks);
    QFETCH(QString, command);
    QFETCH(QString, colour);
    QFETCH(QString, slot0);

    HRCGroupInfo state;
    registerRooms(state);
    state.setCombos(reply);
    QString result;
    QString newColour;
    int group = 0;
    for (const QString &click : clicks.split(QLatin1Char(' '))) {
        const QStringList parts = click.split(QRegularExpression(QStringLiteral("[:@]")));
        group = parts.at(0).toInt();
        newColour.clear();
        result = state.roomClicked(parts.at(1).toInt(), group, parts.at(2).toInt(), &newColour);
    }
    QCOMPARE(result, command);
    QCOMPARE(newColour, colour);
    QStringList inSlot0;
    for (int room : {1, 2, 3, 4}) {
        if (state.isRoomInCombo(group, room, 0))
            inSlot0.append(QString::number(room));
    }
    QStringList expected = slot0.split(QLatin1Char(','), Qt::SkipEmptyParts);
    expected.sort();
    QCOMPARE(inSlot0, expected);
}

void TestHRCGroupInfo::replies_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("group");
    QTest::addColumn<QStringList>("colours"); // of rooms 1 to 4 of group 1

    const QString gray = QStringLiteral("lightgray");
    const QString red = QStringLiteral("crimson");
    const QString orange = QStringLiteral("orange");
    QTest::newRow("no bracket empties the group")
        << "GRC 1,[1,2]"
        << "GRC 1\r" << 1 << QStringList{gray, gray, gray, gray};
    QTest::newRow("empty after a comma") << "GRC 1,[1,2]"
                                         << "GRC 1," << 1 << QStringList{gray, gray, gray, gray};
    QTest::newRow("one combo") << ""
                               << "GRC 1,[2,3]\r" << 1 << QStringList{gray, red, red, gray};
    QTest::newRow("several combos")
        << ""
        << "GRC 1,[1,2][3,4]" << 1 << QStringList{red, red, orange, orange};
    QTest::newRow("a combo keeps its colour")
        << "GRC 1,[1,2][3,4]"
        << "GRC 1,[3,4]" << 1 << QStringList{gray, gray, orange, orange};
    QTest::newRow("unknown room ignored")
        << ""
        << "GRC 1,[1,99][x,2]" << 1 << QStringList{red, orange, gray, gray};
    QTest::newRow("too many combos")
        << ""
        << "GRC 1,[1][2][3][4]" << 1 << QStringList{red, orange, gray, gray};
    QTest::newRow("unregistered group") << "GRC 1,[1,2]"
                                        << "GRC 7,[1,2]" << 0 << QStringList{red, red, gray, gray};
    QTest::newRow("group not a number")
        << ""
        << "GRC x,[1,2]" << 0 << QStringList{gray, gray, gray, gray};
    QTest::newRow("64 KiB") << ""
                            << "GRC 1," + QString("[1,2]").repeated(13107) << 1
                            << QStringList{red, red, gray, gray};
}

void TestHRCGroupInfo::replies()
{
    QFETCH(QString, before);
    QFETCH(QString, reply);
    QFETCH(int, group);
    QFETCH(QStringList, colours);

    HRCGroupInfo state;
    registerRooms(state);
    state.setCombos(before);
    QCOMPARE(state.setCombos(reply), group);
    QStringList seen;
    for (int room = 1; room <= 4; ++room)
        seen.append(state.roomColor(1, room));
    QCOMPARE(seen, colours);
}

QTEST_GUILESS_MAIN(TestHRCGroupInfo)
#include "tst_hrcgroupinfo.moc"
