#include "plotting/CheckIndex.h"
#include "plotting/NumericText.h"

#include <QTest>
#include <cmath>

class TestValidation : public QObject
{
    Q_OBJECT

private slots:
    void numericText_data();
    void numericText();
    void checkIndex_data();
    void checkIndex();
};

void TestValidation::numericText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");

    QTest::newRow("integer") << "1" << true << 1.0;
    QTest::newRow("negative") << "-2" << true << -2.0;
    QTest::newRow("plus sign") << "+3" << true << 3.0;
    QTest::newRow("fraction") << "1.5" << true << 1.5;
    QTest::newRow("fraction alone") << ".5" << true << 0.5;
    QTest::newRow("trailing point") << "2." << true << 2.0;
    QTest::newRow("exponent") << "1e3" << true << 1000.0;
    QTest::newRow("signed exponent") << "2.5E-1" << true << 0.25;
    QTest::newRow("blanks around") << " \t7 \t" << true << 7.0;
    QTest::newRow("ideographic space") << QStringLiteral("\u30008\u3000") << true << 8.0;
    QTest::newRow("full-width digits") << QStringLiteral("１２") << true << 12.0;
    QTest::newRow("full-width sign and point") << QStringLiteral("－１．５") << true << -1.5;
    QTest::newRow("minus sign U+2212") << QStringLiteral("\u22123") << true << -3.0;
    QTest::newRow("negative zero") << "-0" << true << 0.0;
    QTest::newRow("huge") << "1e300" << true << 1e300;
    QTest::newRow("overflow") << "1e400" << true << HUGE_VAL;
    QTest::newRow("negative overflow") << "-1e400" << true << -HUGE_VAL;

    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank") << "   " << false << 0.0;
    QTest::newRow("group separator") << "1,000" << false << 0.0;
    QTest::newRow("hexadecimal") << "0x10" << false << 0.0;
    QTest::newRow("inf") << "inf" << false << 0.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("two numbers") << "1 2" << false << 0.0;
    QTest::newRow("double sign") << "--1" << false << 0.0;
    QTest::newRow("bare exponent") << "1e" << false << 0.0;
    QTest::newRow("point alone") << "." << false << 0.0;
    QTest::newRow("sign alone") << "-" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("decimal comma") << "1,5" << false << 0.0;
    QTest::newRow("arabic-indic digit") << QStringLiteral("\u0661") << false << 0.0;
    QTest::newRow("embedded nul") << QString::fromUtf16(u"1\u0000", 2) << false << 0.0;
}

void TestValidation::numericText()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(double, value);

    const std::optional<double> result = ParseNumericText(text);
    QCOMPARE(result.has_value(), numeric);
    if (numeric)
        QCOMPARE(*result, value);
}

void TestValidation::checkIndex_data()
{
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("z");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("proceed");

    QTest::newRow("all empty") << ""
                               << ""
                               << "" << Messages::NotNumeric << false;
    QTest::newRow("one empty") << "1"
                               << ""
                               << "1" << Messages::NotNumeric << false;
    QTest::newRow("letters before zeros") << "abc"
                                          << "0"
                                          << "0" << Messages::NotNumeric << false;
    QTest::newRow("zeros") << "0"
                           << "0"
                           << "0" << Messages::ZeroIndex << false;
    QTest::newRow("zeros written otherwise") << "0.0"
                                             << "-0"
                                             << "00" << Messages::ZeroIndex << false;
    QTest::newRow("ones") << "1"
                          << "1"
                          << "1" << QString() << true;
    QTest::newRow("negatives") << "-1"
                               << "2"
                               << "-3" << QString() << true;
    QTest::newRow("whole with point") << "1.0"
                                      << "2"
                                      << "3" << QString() << true;
    QTest::newRow("fraction") << "1.5"
                              << "0"
                              << "0" << Messages::DecimalsDropped << true;
    QTest::newRow("negative fraction") << "-0.5"
                                       << "1"
                                       << "1" << Messages::DecimalsDropped << true;
    QTest::newRow("small fraction") << "0.4"
                                    << "0"
                                    << "0" << Messages::DecimalsDropped << true;
    QTest::newRow("infinity has no fraction") << "1e400"
                                              << "0"
                                              << "0" << QString() << true;
}

void TestValidation::checkIndex()
{
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QString, z);
    QFETCH(QString, message);
    QFETCH(bool, proceed);

    const CheckIndexResult result = CheckIndex(x, y, z);
    QCOMPARE(result.message, message);
    QCOMPARE(result.proceed, proceed);
}

QTEST_GUILESS_MAIN(TestValidation)
#include "tst_validation.moc"
