#include "Constants.h"
#include "NumberText.h"

#include <QtTest>

#include <clocale>

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
