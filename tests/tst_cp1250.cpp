// The conversion between the model's Windows-1250 bytes and widget text.

#include "ui/Cp1250.h"

#include <QtTest>

class tst_Cp1250 : public QObject
{
    Q_OBJECT

private slots:
    void everyByteSurvivesAWidget();
    void convertsText_data();
    void convertsText();
    void textTheCodePageCannotHold_data();
    void textTheCodePageCannotHold();
};

void tst_Cp1250::everyByteSurvivesAWidget()
{
    // Whatever a file holds comes back unchanged from a widget, the bytes
    // the code page leaves undefined included. CR and LF stand apart: a
    // line read from a file never holds them, and in a widget either is a
    // line break, which the model keeps as CR LF.
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n')
            all += char(byte);
    }
    QCOMPARE(ToCp1250(FromCp1250(all)), all);
}

void tst_Cp1250::convertsText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("polish letters") << QByteArray("\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF \xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF")
                                    << QStringLiteral("ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż");
    QTest::newRow("euro, dashes, quotes") << QByteArray("\x80 \x96 \x97 \x84" "a\x94")
                                          << QStringLiteral("€ – — „a”");
    QTest::newRow("line break") << QByteArray("raz\r\ndwa") << QStringLiteral("raz\ndwa");
    QTest::newRow("empty") << QByteArray() << QString();
}

void tst_Cp1250::convertsText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(FromCp1250(bytes.toStdString()), text);
    QCOMPARE(QByteArray::fromStdString(ToCp1250(text)), bytes);
}

void tst_Cp1250::textTheCodePageCannotHold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("cyrillic") << QStringLiteral("жук") << QByteArray("???");
    QTest::newRow("chinese among polish") << QStringLiteral("zażółć 漢字 gęślą")
                                          << QByteArray("za\xBF\xF3\xB3\xE6 ?? g\xEA\x9Cl\xB9");
    QTest::newRow("emoji is one character") << QStringLiteral("a😀b") << QByteArray("a?b");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    QTest::newRow("zero") << QString(QChar(0)) << QByteArray("?");
    QTest::newRow("paragraph separator") << QStringLiteral("a\u2029b") << QByteArray("a\r\nb");
}

void tst_Cp1250::textTheCodePageCannotHold()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(QByteArray::fromStdString(ToCp1250(text)), bytes);
}

QTEST_GUILESS_MAIN(tst_Cp1250)
#include "tst_cp1250.moc"
