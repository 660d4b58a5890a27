#include "hardware/hrcgroupinfo.h"

#include <QLoggingCategory>
#include <QtTest>

// Group 1: a combiner of four rooms in a row. Group 2: a router of the same
// rooms, each joinable to its row neighbours only. Both have two combo slots.
class TestHRCGroupInfo : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*=false"));
  }
  void neighbours_data();
  void neighbours();
  void combining_data();
  void combining();
};

void TestHRCGroupInfo::neighbours_data() {
  QTest::addColumn<QString>("roomCombine");
  QTest::addColumn<QList<int>>("ofRoom2");
  QTest::newRow("pairs") << "{1|2}{2+3}{3|4}" << QList<int>{1, 3};
  QTest::newRow("list") << "[1,3,10]" << QList<int>{1, 3, 10};
  QTest::newRow("not pairs of numbers")
      << "{a|2}{1|2|3}{2}(2|4)" << QList<int>{};
}

void TestHRCGroupInfo::neighbours() {
  QFETCH(QString, roomCombine);
  QTEST(HRCGroupInfo::parseNeighbours(roomCombine, 2), "ofRoom2");
}

void TestHRCGroupInfo::combining_data() {
  QTest::addColumn<QStringList>("replies"); // read before the clicks
  QTest::addColumn<QString>("clicks");      // "group:room@slot ..."
  QTest::addColumn<QString>("command");     // of the last click
  QTest::addColumn<QString>("colour");      // the last click gives its room
  QTest::addColumn<QString>(
      "rooms"); // colours of rooms 1 to 4 afterwards, "-" gray

  QTest::newRow("combiner: a first room sends nothing")
      << QStringList() << "1:2@0"
      << ""
      << "crimson"
      << "- crimson - -";
  QTest::newRow("combiner join sends the whole state")
      << QStringList() << "1:2@0 1:10@0 1:1@0"
      << "SRC 1,[1,2]\r"
      << "crimson"
      << "crimson crimson - -";
  QTest::newRow("combiner split leaving one room")
      << QStringList{"GRC 1,[1,2]"} << "1:2@0"
      << "SRC 1,1,2,S\r"
      << "lightgray"
      << "- - - -";
  QTest::newRow("combiner moved to another combo")
      << QStringList{"GRC 1,[1,2][3,4]"} << "1:3@0"
      << "SRC 1,[1,2,3]\r"
      << "crimson"
      << "crimson crimson crimson -";
  QTest::newRow("router join to its neighbour")
      << QStringList() << "2:2@0 2:1@0"
      << "SRC 2,2,1,J\r"
      << "crimson"
      << "crimson crimson - -";
  QTest::newRow("router join with two neighbours in the combo")
      << QStringList{"GRC 2,[1,3]"} << "2:2@0"
      << "SRC 2,1,2,J\r;SRC 2,3,2,J\r"
      << "crimson"
      << "crimson crimson crimson -";
  QTest::newRow("router room that is not a neighbour")
      << QStringList() << "2:1@0 2:4@0"
      << "FAILURE::Cannot add 'Suite-4' to the selected combination."
      << ""
      << "crimson - - -";
  QTest::newRow("router move: split, then join")
      << QStringList{"GRC 2,[1,2][3,4]"} << "2:3@0"
      << "SRC 2,4,3,S\r;SRC 2,2,3,J\r"
      << "crimson"
      << "crimson crimson crimson -";
  QTest::newRow("slot the group does not have") << QStringList() << "1:1@2"
                                                << ""
                                                << ""
                                                << "- - - -";

  // Replies alone.
  QTest::newRow("reply without brackets empties the group")
      << QStringList{"GRC 1,[1,2]", "GRC 1\r"} << ""
      << ""
      << ""
      << "- - - -";
  QTest::newRow("reply after a comma, empty")
      << QStringList{"GRC 1,[1,2]", "GRC 1,"} << ""
      << ""
      << ""
      << "- - - -";
  QTest::newRow("several combos") << QStringList{"GRC 1,[1,2][3,4]\r"} << ""
                                  << ""
                                  << ""
                                  << "crimson crimson orange orange";
  QTest::newRow("a combo keeps its colour")
      << QStringList{"GRC 1,[1,2][3,4]", "GRC 1,[4,3]"} << ""
      << ""
      << ""
      << "- - orange orange";
  QTest::newRow("rooms the project does not have")
      << QStringList{"GRC 1,[1,99][x,2,1]"} << ""
      << ""
      << ""
      << "crimson orange - -";
  QTest::newRow("more combos than slots")
      << QStringList{"GRC 1,[1][2][3][4]"} << ""
      << ""
      << ""
      << "crimson orange - -";
  QTest::newRow("group not registered or not a number")
      << QStringList{"GRC 1,[1,2]", "GRC 7,[3,4]", "GRC x,[3,4]",
                     "GRC 1 2,[3,4]"}
      << ""
      << ""
      << ""
      << "crimson crimson - -";
  QTest::newRow("64 KiB") << QStringList{"GRC 1," +
                                         QString("[1,2]").repeated(13107)}
                          << ""
                          << ""
                          << ""
                          << "crimson crimson - -";
}

void TestHRCGroupInfo::combining() {
  QFETCH(QStringList, replies);
  QFETCH(QString, clicks);

  HRCGroupInfo state;
  for (int room = 1; room <= 4; ++room) {
    const QString row = QStringLiteral("{1|2}{2|3}{3|4}");
    state.registerRoom(1, QStringLiteral("Hall-%1").arg(room), {}, room,
                       HRCGroupInfo::CombinerRoom, 100 + room, row);
    state.registerRoom(2, QStringLiteral("Suite-%1").arg(room), {}, room,
                       HRCGroupInfo::RouterRoom, 200 + room, row);
  }
  for (const QString &reply : replies)
    state.setCombos(reply);
  QString command;
  QString colour;
  int group = 1;
  for (const QString &click :
       clicks.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const QStringList parts =
        click.split(QRegularExpression(QStringLiteral("[:@]")));
    group = parts.at(0).toInt();
    colour.clear();
    command = state.roomClicked(parts.at(1).toInt(), group, parts.at(2).toInt(),
                                &colour);
  }
  QTEST(command, "command");
  QTEST(colour, "colour");
  QStringList rooms;
  for (int room = 1; room <= 4; ++room) {
    const QString shown = state.roomColor(group, room);
    rooms.append(shown == HRCGroupInfo::noComboColour() ? QStringLiteral("-")
                                                        : shown);
  }
  QTEST(rooms.join(QLatin1Char(' ')), "rooms");
}

QTEST_GUILESS_MAIN(TestHRCGroupInfo)
#include "tst_hrcgroupinfo.moc"
