#include "users/userscramble.h"
#include "testing/testenvironment.h"

#include <QtTest>

class UserScrambleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Stored units as Orthex has always written them, for units up to 0xFF.
    void storedUnits_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("stored");
        QTest::newRow("a") << 0x61 << 0x8C + 0xFF00;  // 0x61 + 0x2B = 0x8C: high byte 0xFF
        QTest::newRow("A") << 0x41 << 0x6C;
        QTest::newRow("space") << 0x20 << 0x4B;
        QTest::newRow("T, last below 0x80") << 0x54 << 0x7F;
        QTest::newRow("U, first at 0x80") << 0x55 << 0xFF80;
        QTest::newRow("0xD4 wraps to 0xFF") << 0xD4 << 0xFFFF;
        QTest::newRow("0xD5 becomes an embedded zero") << 0xD5 << 0x0000;
        QTest::newRow("e acute") << 0xE9 << 0x14;
        QTest::newRow("0x7F") << 0x7F << 0xFFAA;
        // Above 0xFF the high byte is carried, inverted with the same mask.
        QTest::newRow("L stroke") << 0x141 << 0x16C;
        QTest::newRow("CJK") << 0x4E2D << 0x4E58;  // 0x2D + 0x2B = 0x58
        QTest::newRow("CJK, high mask") << 0x4E61 << 0xB18C;
    }
    void storedUnits()
    {
        QFETCH(int, unit);
        QFETCH(int, stored);
        QCOMPARE(int(UserScramble::ScrambleUnit(char16_t(unit))), stored);
        QCOMPARE(int(UserScramble::UnscrambleUnit(char16_t(stored))), unit);
    }

    void everyUnitRoundTrips()
    {
        for (int unit = 0; unit <= 0xFFFF; ++unit) {
            const char16_t c = char16_t(unit);
            if (UserScramble::UnscrambleUnit(UserScramble::ScrambleUnit(c)) != c)
                QFAIL(qPrintable(QStringLiteral("unit %1 does not come back").arg(unit, 4, 16)));
        }
    }
};

ORTHEX_TEST_MAIN(UserScrambleTest)
#include "userscramble_test.moc"
