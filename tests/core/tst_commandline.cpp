#include "files/CommandLine.h"

#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
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

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
