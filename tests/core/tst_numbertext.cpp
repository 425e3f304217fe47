#include "Constants.h"
#include "NumberText.h"

#include <QtTest>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>

using namespace skyvane;

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void strToFloatDot_data();
    void strToFloatDot();
    void strToFloatDotErrorText();
    void roundAndFormat_data();
    void roundAndFormat();
    void general_data();
    void general();
    void bytesAsQtWrites_data();
    void bytesAsQtWrites();
    void plainDecimalAsFromChars_data();
    void plainDecimalAsFromChars();
    void constants();
    void constantTextAfterTranslation();
};

void TestNumberText::strToFloatDot_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("dot locale, dot") << "C"
                                     << "47.16" << true << 47.16;
    QTest::newRow("negative") << "C"
                              << "-33.5" << true << -33.5;
    QTest::newRow("surrounding blanks") << "C"
                                        << " 12.5 " << true << 12.5;
    QTest::newRow("comma locale, dot") << "de_DE"
                                       << "47.16" << true << 47.16;
    QTest::newRow("comma locale, comma") << "de_DE"
                                         << "47,16" << true << 47.16;
    QTest::newRow("dot locale, comma") << "C"
                                       << "47,16" << false << 0.0;
    QTest::newRow("grouping rejected") << "en_US"
                                       << "1,047.5" << false << 0.0;
    QTest::newRow("text") << "C"
                          << "abc" << false << 0.0;
    QTest::newRow("empty") << "C"
                           << "" << false << 0.0;
    QTest::newRow("infinity is no site") << "C"
                                         << "inf" << false << 0.0;
}

void TestNumberText::strToFloatDot() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(StrToFloatDot(text, true), value);
    bool threw = false;
    try {
        QCOMPARE(StrToFloatDot(text, false), value);
    } catch (const ConversionError&) {
        threw = true;
    }
    QCOMPARE(threw, !ok);
}

void TestNumberText::strToFloatDotErrorText() {
    try {
        StrToFloatDot(QStringLiteral("4x"), false);
        QFAIL("no error raised");
    } catch (const ConversionError& e) {
        QCOMPARE(QString::fromUtf8(e.what()),
                 QStringLiteral("'4x' is not a valid floating point value."));
    }
}

void TestNumberText::roundAndFormat_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("two decimals always") << "C" << 180.0 << "180.00";
    QTest::newRow("rounds to nearest") << "C" << 175.8649 << "175.86";
    QTest::newRow("half way rounds to even, down") << "C" << 0.125 << "0.12";
    QTest::newRow("half way rounds to even, up") << "C" << 0.375 << "0.38";
    QTest::newRow("negative") << "C" << -2.8249 << "-2.82";
    QTest::newRow("tiny negative shows no sign") << "C" << -0.004 << "0.00";
    QTest::newRow("comma locale") << "de_DE" << 123.456 << "123,46";
    QTest::newRow("no grouping") << "en_US" << 12345.678 << "12345.68";
}

void TestNumberText::roundAndFormat() {
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(FormatAngle(value), text);
}

void TestNumberText::general_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("one decimal") << "C" << -19.2 << "-19.2";
    QTest::newRow("whole number") << "C" << -13.0 << "-13";
    QTest::newRow("fifteen digits") << "C" << 0.1 + 0.2 << "0.3";
    QTest::newRow("comma locale") << "de_DE" << -19.2 << "-19,2";
    QTest::newRow("negative zero") << "C" << -0.0 << "0";
    QTest::newRow("point locale, C library in a comma locale") << "C" << 1.5 << "1.5";
}

void TestNumberText::general() {
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(locale));
    // The C library may follow another locale than the program's own (LC_ALL of the user).
    const QByteArray saved = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const QString actual = FormatGeneral(value);
    std::setlocale(LC_NUMERIC, saved.constData());
    QCOMPARE(actual, text);
}

void TestNumberText::bytesAsQtWrites_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<char>("form"); // 'g' significant digits, 'f' decimals
    QTest::addColumn<int>("precision");
    QTest::newRow("element") << 285.3 << 'g' << 12;
    QTest::newRow("negative") << -67.123456789012345 << 'g' << 12;
    QTest::newRow("zero") << 0.0 << 'g' << 12;
    QTest::newRow("negative zero") << -0.0 << 'g' << 12;
    QTest::newRow("negative zero, fixed") << -0.0 << 'f' << 1;
    QTest::newRow("negative, rounds to zero") << -0.04 << 'f' << 1;
    // Exact halves: Qt rounds them away from zero, not to even.
    QTest::newRow("half at the 13th digit") << 100.0009765625 << 'g' << 12;
    QTest::newRow("negative half at the 13th digit") << -100.0009765625 << 'g' << 12;
    QTest::newRow("half, fixed") << 12.25 << 'f' << 1;
    QTest::newRow("negative half, fixed") << -12.25 << 'f' << 1;
    QTest::newRow("half of a unit") << 2.5 << 'f' << 0;
    QTest::newRow("just below a half") << 0.04999999999999999 << 'f' << 1;
    QTest::newRow("carries into a new digit") << 359.99999999999994 << 'g' << 12;
    QTest::newRow("carries, fixed") << 9.96 << 'f' << 1;
    QTest::newRow("exponent form below 1e-4") << 1.5e-5 << 'g' << 12;
    QTest::newRow("decimal form at 1e-4") << 0.0001 << 'g' << 12;
    QTest::newRow("exponent form from 1e12") << 1234567890123.0 << 'g' << 12;
    QTest::newRow("twelve digits before the point") << 999999999999.4 << 'g' << 12;
    QTest::newRow("smallest eccentricity") << 1e-7 << 'g' << 12;
    QTest::newRow("subnormal") << 4.9e-324 << 'g' << 12;
    // The decimal exponent is estimated from the binary one, which is one off near the powers of
    // ten, and most of all at the ends of the range written directly.
    QTest::newRow("smallest written directly") << 1e-11 << 'g' << 12;
    QTest::newRow("just below it") << 9.999999999995e-12 << 'g' << 12;
    QTest::newRow("largest written directly") << 999999999999999.9 << 'g' << 12;
    QTest::newRow("just below a power of two and ten") << 1023.9999999999999 << 'g' << 12;
    QTest::newRow("large, fixed") << 1e100 << 'f' << 1;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 'g' << 12;
    QTest::newRow("infinity, fixed") << -std::numeric_limits<double>::infinity() << 'f' << 1;
}

void TestNumberText::bytesAsQtWrites() {
    QFETCH(double, value);
    QFETCH(char, form);
    QFETCH(int, precision);
    std::string text;
    if (form == 'g')
        AppendGeneralNumber(text, value, precision);
    else
        AppendFixedNumber(text, value, precision);
    QCOMPARE(QString::fromStdString(text), QString::number(value, form, precision));
}

void TestNumberText::plainDecimalAsFromChars_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("tenth") << "0.1";
    QTest::newRow("negative zero") << "-0";
    QTest::newRow("point first") << ".5";
    QTest::newRow("point last") << "5.";
    QTest::newRow("fifteen digits") << "123456789.012345";
    QTest::newRow("sixteen digits") << "1234567890.123456";
    QTest::newRow("leading zeros") << "0.0000100";
    QTest::newRow("largest of fifteen digits") << "999999999999999";
}

void TestNumberText::plainDecimalAsFromChars() {
    QFETCH(QString, text);
    const QByteArray bytes = text.toLatin1();
    double expected = 0.0;
    std::from_chars(bytes.begin(), bytes.end(), expected);
    const std::optional<double> actual = PlainDecimal(text);
    QVERIFY(actual);
    QVERIFY2(std::memcmp(&*actual, &expected, sizeof expected) == 0,
             qPrintable(QString::number(*actual, 'g', 17)));
}

void TestNumberText::constants() {
    QCOMPARE(ConstantText(Constant::EastShort), QStringLiteral("E"));
    QCOMPARE(ConstantByName(QStringLiteral("CONSTEASTSHORT")), Constant::EastShort);
    QCOMPARE(ConstantName(Constant::EastShort), QStringLiteral("constEastShort"));
    QCOMPARE(ConstantText(Constant::TranslatedBy), QString());
    QCOMPARE(FormatConstant(Constant::SatTheoreticallyVisible, {QStringLiteral("67")}),
             QStringLiteral("67 satellites theoretically visible"));
    QCOMPARE(AllConstants().size(), 46);
    try {
        ConstantByName(QStringLiteral("constNoSuch"));
        QFAIL("no error raised");
    } catch (const ConstantNotFound& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Constant \"constNoSuch\" not found"));
    }
}

void TestNumberText::constantTextAfterTranslation() {
    SetConstantText(ConstantByName(QStringLiteral("consteastshort")), QStringLiteral("O"));
    QCOMPARE(ConstantText(Constant::EastShort), QStringLiteral("O"));
    QCOMPARE(BuiltInConstantText(Constant::EastShort), QStringLiteral("E"));
    ResetConstants();
    QCOMPARE(ConstantText(Constant::EastShort), QStringLiteral("E"));
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
