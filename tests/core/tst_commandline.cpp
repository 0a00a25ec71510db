#include "files/CommandLine.h"

#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void tables_data();
    void tables();
};

void TestCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    // Window, Help, Version, Export or the usage error's text.
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("out");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("dpi");
    const int none = int(ExportFormat::None);

    QTest::newRow("nothing") << QStringList() << "Window"
                             << ""
                             << "" << none << 600;
    QTest::newRow("file") << QStringList { "-style", "fusion", "s.orvandeler" } << "Window"
                          << "s.orvandeler"
                          << "" << none << 600;
    QTest::newRow("file after --") << QStringList { "--", "-x.txt" } << "Window"
                                   << "-x.txt"
                                   << "" << none << 600;
    QTest::newRow("help wins over a file") << QStringList { "file.txt", "--help" } << "Help"
                                           << "file.txt"
                                           << "" << none << 600;
    QTest::newRow("help over a bad export")
        << QStringList { "--export", "x.doc", "--help" } << "Help"
        << ""
        << "x.doc" << none << 600;
    QTest::newRow("export svg") << QStringList { "--export", "a.SVG", "s.orvandeler" } << "Export"
                                << "s.orvandeler"
                                << "a.SVG" << int(ExportFormat::Svg) << 600;
    QTest::newRow("export jpeg, dpi, joined")
        << QStringList { "l.txt", "--dpi=2400", "--export=b.jpeg" } << "Export"
        << "l.txt"
        << "b.jpeg" << int(ExportFormat::Jpeg) << 2400;
    QTest::newRow("export png at 72")
        << QStringList { "--dpi", "72", "--export", "c.png", "s" } << "Export"
        << "s"
        << "c.png" << int(ExportFormat::Png) << 72;
    QTest::newRow("export jpg") << QStringList { "--export", "d.Jpg", "s" } << "Export"
                                << "s"
                                << "d.Jpg" << int(ExportFormat::Jpeg) << 600;
    QTest::newRow("export pdf") << QStringList { "--export", "e.PDF", "s" } << "Export"
                                << "s"
                                << "e.PDF" << int(ExportFormat::Pdf) << 600;
    QTest::newRow("export csv") << QStringList { "s", "--export", "f.csv" } << "Export"
                                << "s"
                                << "f.csv" << int(ExportFormat::Csv) << 600;
    QTest::newRow("orientation") << QStringList { "s.orvandeler", "--orientation" } << "Orientation"
                                 << "s.orvandeler"
                                 << "" << none << 600;

    const auto refused = [](const char* name, const QStringList& arguments, const char* error) {
        QTest::newRow(name) << arguments << error << ""
                            << "" << 0 << 600;
    };
    refused("unknown option", { "--bogus" }, "unknown argument '--bogus'");
    refused("unknown option beside help", { "--help", "-x" }, "unknown argument '-x'");
    refused("missing Qt value", { "--version", "-style" }, "missing value for '-style'");
    refused("missing export value", { "s", "--export" }, "missing value for '--export'");
    refused("two files", { "a.txt", "b.txt" }, "more than one file: 'b.txt'");
    refused("export without file", { "--export", "x.svg" }, "--export needs a FILE to read");
    refused(
        "export twice", { "--export", "x.svg", "--export", "y.svg", "s" }, "--export given twice");
    refused("unknown format", { "--export", "a.doc", "s.orvandeler" },
        "cannot tell the format of 'a.doc' (use .svg, .pdf, .png, .jpg, .jpeg or .csv)");
    refused("no extension", { "--export", "png", "s" },
        "cannot tell the format of 'png' (use .svg, .pdf, .png, .jpg, .jpeg or .csv)");
    refused("dpi 10", { "--dpi", "10", "--export", "a.png", "s.orvandeler" },
        "--dpi takes a whole number from 72 to 2400: '10'");
    refused("dpi signed", { "--dpi", "+600", "--export", "a.png", "s" },
        "--dpi takes a whole number from 72 to 2400: '+600'");
    refused("dpi empty", { "--dpi=", "--export", "a.png", "s" },
        "--dpi takes a whole number from 72 to 2400: ''");
    refused("dpi with svg", { "--dpi", "300", "--export", "a.svg", "s" },
        "--dpi applies only to PNG and JPEG exports");
    refused("dpi without export", { "--dpi", "300", "s" }, "--dpi needs --export");
    refused("orientation without file", { "--orientation" }, "--orientation needs a FILE to read");
    refused("orientation and export", { "--orientation", "--export", "a.svg", "s" },
        "--orientation prints, it does not export");
    refused(
        "orientation with a value", { "--orientation=s" }, "unknown argument '--orientation=s'");
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, outcome);
    QFETCH(QString, file);
    QFETCH(QString, out);
    QFETCH(int, format);
    QFETCH(int, dpi);

    const CommandLine line = ParseCommandLine(arguments);
    static const QStringList modes { "Window", "Help", "Version", "Export", "Orientation" };
    QCOMPARE(
        line.mode == CommandLineMode::UsageError ? line.error : modes[int(line.mode)], outcome);
    if (line.mode == CommandLineMode::UsageError)
        return;
    QCOMPARE(line.file, file);
    QCOMPARE(line.out, out);
    QCOMPARE(int(line.format), format);
    QCOMPARE(line.dpi, dpi);
}

void TestCommandLine::tables_data()
{
    QTest::addColumn<QStringList>("arguments");
    // The usage error, or "slip axis" as read ("-" for the default axis).
    QTest::addColumn<QString>("outcome");

    const QStringList csv { "--export", "t.csv", "s.cif" };
    QTest::newRow("schmid") << QStringList {
        "--table", "schmid", "--axis", "1,2,3", "--slip", "fcc"
    } + csv << "fcc 1,2,3";
    QTest::newRow("joined, decimals, default axis")
        << QStringList { "--table=schmid", "--slip=pyramidal-ca", "--axis= 0.5, -1 ,2e0" } + csv
        << "pyramidal-ca 0.5,-1,2";
    QTest::newRow("centre") << QStringList { "--table", "schmid", "--slip", "basal" } + csv
                            << "basal -";
    QTest::newRow("unknown table") << QStringList { "--table", "angles", "--slip", "fcc" } + csv
                                   << "--table takes schmid or variants: 'angles'";
    QTest::newRow("variants") << QStringList { "--table", "variants" } + csv << "variants";
    QTest::newRow("variants with a slip") << QStringList { "--table", "variants", "--slip", "fcc" }
            + csv << "--slip needs --table schmid";
    QTest::newRow("no slip") << QStringList { "--table", "schmid" } + csv
                             << "--table schmid needs --slip NAME";
    QTest::newRow("unknown slip")
        << QStringList { "--table", "schmid", "--slip", "hcp" } + csv
        << "--slip takes fcc, bcc110, bcc112, bcc123, basal, prismatic, pyramidal-a, "
           "pyramidal-ca: 'hcp'";
    QTest::newRow("axis of two") << QStringList {
        "--table", "schmid", "--slip", "fcc", "--axis", "1,2"
    } + csv << "--axis takes three numbers U,V,W, not all 0: '1,2'";
    QTest::newRow("axis zero") << QStringList {
        "--table", "schmid", "--slip", "fcc", "--axis", "0,0,0"
    } + csv << "--axis takes three numbers U,V,W, not all 0: '0,0,0'";
    QTest::newRow("axis without table")
        << QStringList { "--axis", "1,2,3" } + csv << "--axis needs --table schmid";
    QTest::newRow("slip twice") << QStringList {
        "--table", "schmid", "--slip", "fcc", "--slip", "fcc"
    } + csv << "--slip given twice";
    QTest::newRow("table as a picture") << QStringList { "--table", "schmid", "--slip", "fcc",
        "--export", "t.svg", "s.cif" } << "--table writes CSV: give --export OUT.csv";
    QTest::newRow("table without export") << QStringList { "--table", "schmid", "--slip", "fcc",
        "s.cif" } << "--table needs --export OUT.csv";
}

void TestCommandLine::tables()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, outcome);
    const CommandLine line = ParseCommandLine(arguments);
    if (line.mode == CommandLineMode::UsageError) {
        QCOMPARE(line.error, outcome);
        return;
    }
    QCOMPARE(line.mode, CommandLineMode::Export);
    if (line.table == CommandLineTable::Variants) {
        QCOMPARE(outcome, QStringLiteral("variants"));
        return;
    }
    QCOMPARE(line.table, CommandLineTable::Schmid);
    QVERIFY(line.slip);
    QString axis = QStringLiteral("-");
    if (line.axis)
        axis = QStringLiteral("%1,%2,%3")
                   .arg((*line.axis)[0])
                   .arg((*line.axis)[1])
                   .arg((*line.axis)[2]);
    QCOMPARE(SlipSetRowOf(*line.slip).name + u' ' + axis, outcome);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
