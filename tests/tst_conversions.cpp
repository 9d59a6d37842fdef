#include "fakeplatform.h"

#include "runtime/ansitext.h"
#include "runtime/conversions.h"
#include "runtime/integer.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace rt;

class tst_Conversions : public QObject
{
    Q_OBJECT

private slots:
    void cstr_data();
    void cstr();
    void overflowEndsTheProgram_data();
    void overflowEndsTheProgram();
    void cint_data();
    void cint();
    void format_data();
    void format();
    void val_data();
    void val();
    void cdbl_data();
    void cdbl();
    void cdblRejectsWhatIsNoNumber_data();
    void cdblRejectsWhatIsNoNumber();
    void ansi_data();
    void ansi();
    void ansiDecodesEveryByte();
    void randomStaysBelowOne();
    void reseedWithANumberRepeatsTheSequence();
};

void tst_Conversions::cstr_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("two digits") << 12 << "12";
    QTest::newRow("negative") << -5 << "-5";
    QTest::newRow("largest, no grouping") << 32767 << "32767";
}

void tst_Conversions::cstr()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(CStr(Integer(value)), text);
}

void tst_Conversions::overflowEndsTheProgram_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("step");
    QTest::newRow("past 32767") << 32767 << 1;
    QTest::newRow("below -32768") << -32768 << -1;
}

void tst_Conversions::overflowEndsTheProgram()
{
    QFETCH(int, start);
    QFETCH(int, step);
    FakePlatform platform;
    Integer counter(start);
    try {
        counter += step;
        QFAIL("the addition went through");
    } catch (const ProgramEnded &end) {
        QVERIFY(end.status != 0);
    }
    QCOMPARE(platform.errors.size(), 1);
    QCOMPARE(platform.errors[0].prompt, QStringLiteral("Errore di run-time '6':\n\nOverflow"));
    QCOMPARE(platform.errors[0].title, QStringLiteral("Velmora"));
    QCOMPARE(int(counter), start);
}

void tst_Conversions::cint_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("whole") << 900.0 << 900;
    QTest::newRow("half goes to even, down") << 2.5 << 2;
    QTest::newRow("half goes to even, up") << 3.5 << 4;
    QTest::newRow("nearest below") << 6.49 << 6;
    QTest::newRow("lowest") << -32768.4 << -32768;
}

void tst_Conversions::cint()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(int(CInt(value)), expected);
}

void tst_Conversions::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "00";
    QTest::newRow("one digit") << 5.0 << "05";
    QTest::newRow("two digits") << 15.0 << "15";
    QTest::newRow("three digits stay") << 123.0 << "123";
}

void tst_Conversions::format()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(Format(value, QStringLiteral("00")), text);
}

void tst_Conversions::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("record line") << "12\r\n" << 12.0;
    QTest::newRow("several lines") << "7\r\n9\r\n" << 7.0;
    QTest::newRow("blanks first") << "  42 punti" << 42.0;
    QTest::newRow("letters first") << "Mario 12" << 0.0;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("fraction") << "1.5x" << 1.5;
    QTest::newRow("exponent") << "2e3" << 2000.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("lone sign") << "-" << 0.0;
}

void tst_Conversions::val()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QCOMPARE(Val(text), number);
}

void tst_Conversions::cdbl_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::newRow("zero") << "0" << 0.0;
    QTest::newRow("score") << "12" << 12.0;
    QTest::newRow("blanks around") << " 31 " << 31.0;
    QTest::newRow("largest score") << "32767" << 32767.0;
}

void tst_Conversions::cdbl()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QCOMPARE(CDbl(text), number);
}

void tst_Conversions::cdblRejectsWhatIsNoNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("letters") << "abc";
    QTest::newRow("trailing letters") << "12a";
    QTest::newRow("two numbers") << "1 2";
    QTest::newRow("a blank the leading number does not skip") << "\v2";
}

void tst_Conversions::cdblRejectsWhatIsNoNumber()
{
    QFETCH(QString, text);
    FakePlatform platform;
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, CDbl(text));
    QCOMPARE(platform.errors.size(), 1);
    QCOMPARE(platform.errors[0].prompt,
             QStringLiteral("Errore di run-time '13':\n\nTipo non corrispondente"));
}

void tst_Conversions::ansi_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("plain") << "Mario" << QByteArray("Mario");
    QTest::newRow("accent") << "Niccolò è" << QByteArray("Niccol\xF2 \xE8");
    QTest::newRow("euro") << "€" << QByteArray("\x80");
    QTest::newRow("outside the code page") << "Łukasz 日本" << QByteArray("?ukasz ??");
    QTest::newRow("outside the basic plane") << QString::fromUtf8("a\xF0\x9F\x8E\xB5z") << QByteArray("a?z");
    QTest::newRow("lone surrogate at the end") << (QStringLiteral("a") + QChar(0xD800)) << QByteArray("a?");
    // A name typed with a combining accent is the code page's composed letter.
    QTest::newRow("e and a combining acute") << QStringLiteral("Andre\u0301") << QByteArray("Andr\xE9");
    QTest::newRow("combining accents on capitals") << QStringLiteral("E\u0300 A\u0308")
                                                   << QByteArray("\xC8 \xC4");
    QTest::newRow("no composed form in the code page") << QStringLiteral("q\u0301") << QByteArray("q?");
}

void tst_Conversions::ansi()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toAnsi(text), bytes);
}

void tst_Conversions::ansiDecodesEveryByte()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = fromAnsi(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(text[0xE8], QChar(u'è'));
    QCOMPARE(text[0x80], QChar(u'€'));
}

void tst_Conversions::randomStaysBelowOne()
{
    FakePlatform platform; // no values queued: the real generator answers
    platform.reseed();
    float largest = 0;
    for (int i = 0; i < 200000; ++i) {
        const float r = platform.nextRandom();
        QVERIFY(r >= 0.0f);
        QVERIFY(r < 1.0f);
        largest = std::max(largest, r);
    }
    QVERIFY(largest > 0.999f);
}

void tst_Conversions::reseedWithANumberRepeatsTheSequence()
{
    FakePlatform platform;
    platform.reseed(12345.5f);
    const float first = platform.nextRandom();
    const float second = platform.nextRandom();
    platform.reseed(12345.5f);
    QCOMPARE(platform.nextRandom(), first);
    QCOMPARE(platform.nextRandom(), second);
}

QTEST_GUILESS_MAIN(tst_Conversions)
#include "tst_conversions.moc"
