#include "hardware/hdevicedictionary.h"

#include <QFile>
#include <QtTest>

namespace {

QByteArray crlfLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

const QStringList nvaModels = {
    "NVA-20",    "NVA-30 II", "NVA-410",    "NVA-5230", "NVA-2350", "NVA-2710",
    "QRT256",    "LX-2390",   "LX-23BKD",   "LX-2390D", "LX-550D",  "NVA-410B",
    "NVA-2350B", "NVA-410BE", "NVA-2350BE", "VXJ-2359", "VXJ-0539", "VXJ-539",
    "NVA-640", // the demonstration project's processor
};

} // namespace

class TestHDeviceDictionary : public QObject
{
    Q_OBJECT

private slots:
    void exactBytes_data();
    void exactBytes();
    void containsLine_data();
    void containsLine();
    void findRow_data();
    void findRow();
};

void TestHDeviceDictionary::exactBytes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("NVA Chassis") << ":/data/NVA/Chassis.dict" << crlfLines(nvaModels);
    // The LZ list ends without a line end; LZ4240T is the demonstration project's amplifier.
    QTest::newRow("LZ Chassis") << ":/data/LZ/Chassis.dict"
                                << crlfLines({"LZ9610T", "LZ9360T", "LZ5610T", "LZ5360T"}) +
                                       "LZ4240T";
    QTest::newRow("TQ Chassis") << ":/data/TQ/Chassis.dict"
                                << crlfLines({"TQ715E", "TQ515E", "TQ-715E", "TQ-515E", "TQY2315E",
                                              "TQY3515E", "TQY5915E"});
    // Module rows: card type, TAB, template, TAB, category; one empty line follows.
    QTest::newRow("NVA inputs") << ":/data/NVA/InputModules.dict"
                                << crlfLines({"4ch Mic/Line Input\tInput_2.xml\tAnalog I/O",
                                              "4ch Mic/Line Input II\tInput_2.xml\tAnalog I/O",
                                              "4x4 Mic/Line\tInput_2.xml\tAnalog I/O",
                                              "4ch EDR Input\tInput_2.xml\tAnalog I/O",
                                              "8ch AES3 In\tIn_0.xml\tDigital I/O",
                                              "PSTN\tPstnIn.xml\tPSTN I/O",
                                              "VOIP\tVoipIn.xml\tVoIP I/O",
                                              "USB\tUsbIn.xml\tUSB I/O",
                                              "Dante 64In64Out Dante_0.xml\tDante I/O", ""});
    QTest::newRow("NVA outputs") << ":/data/NVA/OutputModules.dict"
                                 << crlfLines({"4ch Line Output II\tOutput_2.xml\tAnalog I/O",
                                               "4x4 Mic/Line\tOutput_2.xml\tAnalog I/O",
                                               "4ch EDR Output\tOutput_2.xml\tAnalog I/O",
                                               "4ch SDR Output\tOutput_2.xml\tAnalog I/O",
                                               "8ch AES3 Out\tOut_0.xml\tDigital I/O",
                                               "NVALink Output\tOut_0.xml\tDigital I/O",
                                               "PSTN\tTelephonyOut.xml\tPSTN I/O",
                                               "VOIP\tTelephonyOut.xml\tVoIP I/O",
                                               "USB\tUsbIn.xml\tUSB I/O", ""});
    for (const char *platform : {"LZ", "TQ"}) {
        QTest::addRow("%s inputs", platform)
            << QStringLiteral(":/data/%1/InputModules.dict").arg(QLatin1String(platform))
            << crlfLines({"4x4 Mic/Line\tAmp_In_1.xml\tAmp I/O", ""});
        QTest::addRow("%s outputs", platform)
            << QStringLiteral(":/data/%1/OutputModules.dict").arg(QLatin1String(platform))
            << crlfLines({"4x4 Mic/Line\tAmp_1.xml\tAmp I/O", ""});
    }
}

void TestHDeviceDictionary::exactBytes()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, bytes);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path)); // binary: line ends as stored
    QCOMPARE(file.readAll(), bytes);
}

void TestHDeviceDictionary::containsLine_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    for (const QString &model : nvaModels)
        QTest::addRow("NVA %s", qPrintable(model)) << "NVA"
                                                   << "Chassis.dict" << model << true;
    QTest::newRow("unterminated last line") << "LZ"
                                            << "Chassis.dict"
                                            << "LZ4240T" << true;
    QTest::newRow("line before it") << "LZ"
                                    << "Chassis.dict"
                                    << "LZ5360T" << true;
    QTest::newRow("part of a line") << "NVA"
                                    << "Chassis.dict"
                                    << "NVA-41" << false;
    QTest::newRow("with the line end") << "NVA"
                                       << "Chassis.dict"
                                       << "NVA-20\r" << false;
    QTest::newRow("case-sensitive") << "TQ"
                                    << "Chassis.dict"
                                    << "tq515e" << false;
    QTest::newRow("other platform") << "TQ"
                                    << "Chassis.dict"
                                    << "NVA-20" << false;
    QTest::newRow("no such platform") << "XYZ"
                                      << "Chassis.dict"
                                      << "NVA-20" << false;
}

void TestHDeviceDictionary::containsLine()
{
    QFETCH(QString, platform);
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(bool, found);
    QCOMPARE(HDeviceDictionary::containsLine(platform, file, text), found);
}

void TestHDeviceDictionary::findRow_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("row");
    QTest::newRow("first row") << "NVA"
                               << "InputModules.dict"
                               << "4ch Mic/Line Input"
                               << QStringList{"4ch Mic/Line Input", "Input_2.xml", "Analog I/O"};
    QTest::newRow("whole first column")
        << "NVA"
        << "InputModules.dict"
        << "4ch Mic/Line Input II"
        << QStringList{"4ch Mic/Line Input II", "Input_2.xml", "Analog I/O"};
    QTest::newRow("same card, output file")
        << "NVA"
        << "OutputModules.dict"
        << "PSTN" << QStringList{"PSTN", "TelephonyOut.xml", "PSTN I/O"};
    QTest::newRow("blank before the file name")
        << "NVA"
        << "InputModules.dict"
        << "Dante 64In64Out Dante_0.xml" << QStringList{"Dante 64In64Out Dante_0.xml", "Dante I/O"};
    QTest::newRow("Dante card type") << "NVA"
                                     << "InputModules.dict"
                                     << "Dante 64In64Out" << QStringList();
    QTest::newRow("empty key") << "LZ"
                               << "OutputModules.dict"
                               << "" << QStringList();
    QTest::newRow("amplifier") << "TQ"
                               << "InputModules.dict"
                               << "4x4 Mic/Line"
                               << QStringList{"4x4 Mic/Line", "Amp_In_1.xml", "Amp I/O"};
    QTest::newRow("missing file") << "NVA"
                                  << "Missing.dict"
                                  << "PSTN" << QStringList();
}

void TestHDeviceDictionary::findRow()
{
    QFETCH(QString, platform);
    QFETCH(QString, file);
    QFETCH(QString, key);
    QFETCH(QStringList, row);
    QCOMPARE(HDeviceDictionary::findRow(platform, file, key), row);
    QCOMPARE(HDeviceDictionary::path(platform, file),
             QStringLiteral(":/data/") + platform + QLatin1Char('/') + file);
}

QTEST_GUILESS_MAIN(TestHDeviceDictionary)
#include "tst_hdevicedictionary.moc"
