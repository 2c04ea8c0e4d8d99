#include "base/archive.h"
#include "testing/testarchive.h"
#include "testing/testenvironment.h"

#include <QBuffer>
#include <QFile>
#include <QtTest>

#include <limits>

namespace {

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

QByteArray Utf16Bytes(const QString& text)
{
    QByteArray bytes;
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

// A text whose units cover more than one byte value, so that swapped bytes would show.
QString LongText(qsizetype length)
{
    QString text(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i)
        text[i] = QChar(char16_t(0x41 + (i % 26) + ((i % 3) << 8)));
    return text;
}

}  // namespace

class ArchiveTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textLengthForms_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("empty") << 0 << Hex("FFFEFF00");
        QTest::newRow("1") << 1 << Hex("FFFEFF01");
        QTest::newRow("254") << 254 << Hex("FFFEFFFE");
        QTest::newRow("255") << 255 << Hex("FFFEFF FF FF00");
        QTest::newRow("65533") << 65533 << Hex("FFFEFF FF FDFF");
        QTest::newRow("65534") << 65534 << Hex("FFFEFF FF FFFF FEFF0000");
        QTest::newRow("65535") << 65535 << Hex("FFFEFF FF FFFF FFFF0000");
        QTest::newRow("70000") << 70000 << Hex("FFFEFF FF FFFF 70110100");
    }

    void textLengthForms()
    {
        QFETCH(int, length);
        QFETCH(QByteArray, head);
        const QString text = LongText(length);
        const QByteArray bytes = TestArchive::Stored([&](CArchive& ar) { ar.WriteText(text); });
        QCOMPARE(bytes.left(head.size()), head);
        QCOMPARE(bytes.size(), head.size() + 2 * length);
        QCOMPARE(bytes.mid(head.size()), Utf16Bytes(text));

        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        CArchive ar(buffer, CArchive::Load);
        QCOMPARE(ar.ReadText(), text);
        QCOMPARE(ar.Offset(), qint64(bytes.size()));
    }

    // Texts in the older 8-bit form and in every length form a reader must accept.
    void readTextForms_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("8-bit empty") << Hex("00") << QString();
        QTest::newRow("8-bit ascii") << (Hex("05") + "Week1") << QStringLiteral("Week1");
        QTest::newRow("8-bit latin") << Hex("04 63 61 66 E9") << QStringLiteral(u"caf\u00e9");
        QTest::newRow("8-bit euro and quotes") << Hex("04 80 93 94 9F")
                                               << QStringLiteral(u"\u20ac\u201c\u201d\u0178");
        QTest::newRow("8-bit undefined bytes") << Hex("05 81 8D 8F 90 9D")
                                               << QStringLiteral(u"\u0081\u008d\u008f\u0090\u009d");
        QTest::newRow("8-bit high range") << Hex("03 A0 FE FF") << QStringLiteral(u"\u00a0\u00fe\u00ff");
        QTest::newRow("8-bit 2-byte length") << (Hex("FF 0001") + QByteArray(256, 'x')) << QString(256, u'x');
        QTest::newRow("8-bit 4-byte length") << (Hex("FF FFFF 03000000") + "abc") << QStringLiteral("abc");
        QTest::newRow("8-bit 8-byte length") << (Hex("FF FFFF FFFFFFFF 0200000000000000") + "ok")
                                             << QStringLiteral("ok");
        QTest::newRow("utf16 2-byte length of FFFE marker value")
            << (Hex("FFFEFF FF FEFF") + Utf16Bytes(QString(0xFFFE, u'q'))) << QString(0xFFFE, u'q');
        QTest::newRow("utf16 8-byte length") << (Hex("FFFEFF FF FFFF FFFFFFFF 0200000000000000") + Utf16Bytes("hi"))
                                             << QStringLiteral("hi");
        QTest::newRow("utf16 surrogate pair") << Hex("FFFEFF02 3DD8 00DE") << QStringLiteral(u"\U0001F600");
    }

    void readTextForms()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CArchive ar(buffer, CArchive::Load);
        QCOMPARE(ar.ReadText(), expected);
        QCOMPARE(ar.Offset(), qint64(bytes.size()));
    }

    // Damaged texts stop with an error at the right byte, and a huge stored length never
    // allocates before the bytes are really there.
    void readTextErrors_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<QString>("reason");
        const QString ends = QStringLiteral("the stream ends inside a text");
        QTest::newRow("nothing") << QByteArray() << qint64(0) << ends;
        QTest::newRow("marker only") << Hex("FFFEFF") << qint64(3) << ends;
        QTest::newRow("short units") << Hex("FFFEFF03 4100 42") << qint64(7) << ends;
        QTest::newRow("short 8-bit") << (Hex("05") + "abc") << qint64(4) << ends;
        QTest::newRow("4-byte length cut") << Hex("FFFEFF FF FFFF 0100") << qint64(8) << ends;
        QTest::newRow("utf16 0x7FFFFFFF units") << (Hex("FFFEFF FF FFFF FFFFFF7F") + Utf16Bytes("abc"))
                                                << qint64(16) << ends;
        QTest::newRow("8-bit 0x7FFFFFFF bytes") << (Hex("FF FFFF FFFFFF7F") + "abc") << qint64(10) << ends;
        QTest::newRow("4-byte length above limit") << Hex("FFFEFF FF FFFF 00000080 4100")
                                                   << qint64(0) << QStringLiteral("text length 2147483648 is above 0x7FFFFFFF");
        QTest::newRow("8-byte length above limit") << (Hex("00") + Hex("FFFEFF FF FFFF FFFFFFFF 0000008000000000"))
                                                   << qint64(1) << QStringLiteral("text length 2147483648 is above 0x7FFFFFFF");
        QTest::newRow("8-byte length all ones") << Hex("FF FFFF FFFFFFFF FFFFFFFFFFFFFFFF")
                                                << qint64(0) << QStringLiteral("text length 18446744073709551615 is above 0x7FFFFFFF");
    }

    void readTextErrors()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, offset);
        QFETCH(QString, reason);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CArchive ar(buffer, CArchive::Load);
        // A leading byte of a row is a one-byte 8-bit text, read first.
        if (bytes.startsWith('\0'))
            QCOMPARE(ar.ReadText(), QString());
        try {
            ar.ReadText();
            QFAIL("no archive error");
        } catch (const CArchiveException& e) {
            QCOMPARE(e.Reason(), reason);
            QCOMPARE(e.Offset(), offset);
            QCOMPARE(e.Text(), QStringLiteral("archive error at byte %1: %2").arg(offset).arg(reason));
        }
    }

    void counts_data()
    {
        QTest::addColumn<quint32>("count");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("0") << quint32(0) << Hex("0000");
        QTest::newRow("1") << quint32(1) << Hex("0100");
        QTest::newRow("65534") << quint32(65534) << Hex("FEFF");
        QTest::newRow("65535") << quint32(65535) << Hex("FFFF FFFF0000");
        QTest::newRow("65536") << quint32(65536) << Hex("FFFF 00000100");
        QTest::newRow("0xFFFFFFFF") << quint32(0xFFFFFFFF) << Hex("FFFF FFFFFFFF");
    }

    void counts()
    {
        QFETCH(quint32, count);
        QFETCH(QByteArray, bytes);
        QCOMPARE(TestArchive::Stored([&](CArchive& ar) { ar.WriteCount(count); }), bytes);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CArchive ar(buffer, CArchive::Load);
        QCOMPARE(ar.ReadCount(), count);
    }

    void numbersAreLittleEndian_data()
    {
        QTest::addColumn<qint32>("value");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("zero") << 0 << Hex("00000000");
        QTest::newRow("ten") << 10 << Hex("0A000000");
        QTest::newRow("minus one") << -1 << Hex("FFFFFFFF");
        QTest::newRow("min") << std::numeric_limits<qint32>::min() << Hex("00000080");
        QTest::newRow("max") << std::numeric_limits<qint32>::max() << Hex("FFFFFF7F");
    }

    void numbersAreLittleEndian()
    {
        QFETCH(qint32, value);
        QFETCH(QByteArray, bytes);
        QCOMPARE(TestArchive::Stored([&](CArchive& ar) { ar.WriteInt32(value); }), bytes);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CArchive ar(buffer, CArchive::Load);
        QCOMPARE(ar.ReadInt32(), value);
        QVERIFY_THROWS_EXCEPTION(CArchiveException, ar.ReadInt16());
    }

    // Many small writes and reads across buffer boundaries, through a real file.
    void bufferBoundariesThroughFile()
    {
        const QString path = CTestEnvironment::Instance().Root() + QStringLiteral("/boundaries.bin");
        QStringList texts;
        for (int i = 0; i < 3000; ++i)
            texts << LongText(i % 300);
        texts << LongText(5000) << LongText(3) << LongText(20000);
        qint64 produced = 0;
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            CArchive ar(file, CArchive::Store);
            for (const QString& t : texts) {
                ar.WriteText(t);
                ar.WriteInt16(-2);
            }
            produced = ar.Offset();
            QVERIFY(ar.Flush());
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.size(), produced);
        CArchive ar(file, CArchive::Load);
        for (const QString& t : texts) {
            QCOMPARE(ar.ReadText(), t);
            QCOMPARE(ar.ReadInt16(), qint16(-2));
        }
        QCOMPARE(ar.Offset(), produced);
        QVERIFY_THROWS_EXCEPTION(CArchiveException, ar.ReadUInt8());
    }

    // A full disk is reported by Flush, for small and large writes alike.
    void writeFailureIsReported_data()
    {
        QTest::addColumn<int>("textLength");
        QTest::newRow("within the buffer") << 10;
        QTest::newRow("beyond the buffer") << 10000;
    }

    void writeFailureIsReported()
    {
        QFETCH(int, textLength);
        QFile full(QStringLiteral("/dev/full"));
        if (!full.exists())
            QSKIP("/dev/full is not available on this system");
        QVERIFY(full.open(QIODevice::WriteOnly));
        CArchive ar(full, CArchive::Store);
        ar.WriteText(LongText(textLength));
        QVERIFY(!ar.Flush());
        QVERIFY(ar.HasWriteError());
        QVERIFY(!ar.WriteErrorString().isEmpty());
        ar.WriteInt32(1);
        QVERIFY(!ar.Flush());
    }
};

ORTHEX_TEST_MAIN(ArchiveTest)
#include "archive_test.moc"
