#include "sound/wavformat.h"
#include "testing/testenvironment.h"
#include "testing/testwav.h"

using namespace TestWav;

class WavFormatTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("tag");
        QTest::addColumn<int>("extraSize");
        QTest::addColumn<qint64>("dataOffset");
        QTest::addColumn<qint64>("dataSize");

        const QByteArray data(400, '\x11');
        QTest::newRow("pcm") << Pcm16(data, 22050, 2) << true << 1 << 0 << qint64(44) << qint64(400);
        QTest::newRow("empty data chunk") << Pcm16({}, 22050, 2) << true << 1 << 0 << qint64(44) << qint64(0);
        QTest::newRow("fmt of 14 bytes")
            << Riff(Chunk("fmt ", Fmt(1, 2, 22050, 16).left(14)) + Chunk("data", data))
            << false << 0 << 0 << qint64(0) << qint64(0);
        QTest::newRow("pcm fmt of 18 bytes ignores the extra size")
            << Riff(Chunk("fmt ", Fmt(1, 2, 22050, 16) + Le16(0)) + Chunk("data", data))
            << true << 1 << 0 << qint64(46) << qint64(400);
        const QByteArray adpcmExtra(32, '\x07');
        QTest::newRow("non-PCM with extra bytes")
            << Riff(Chunk("fmt ", Fmt(2, 1, 22050, 4) + Le16(32) + adpcmExtra) + Chunk("data", data))
            << true << 2 << 32 << qint64(12 + 8 + 50 + 8) << qint64(400);
        QTest::newRow("non-PCM fmt of 16 bytes has no extra bytes")
            << Riff(Chunk("fmt ", Fmt(3, 2, 22050, 32)) + Chunk("data", data))
            << true << 3 << 0 << qint64(44) << qint64(400);
        QTest::newRow("extra size past the fmt chunk")
            << Riff(Chunk("fmt ", Fmt(2, 1, 22050, 4) + Le16(200) + adpcmExtra) + Chunk("data", data))
            << false << 0 << 0 << qint64(0) << qint64(0);
        QTest::newRow("odd chunk before fmt is padded")
            << Riff(Chunk("LIST", QByteArray(5, 'x')) + Chunk("fmt ", Fmt(1, 1, 8000, 8)) + Chunk("data", data))
            << true << 1 << 0 << qint64(12 + 14 + 24 + 8) << qint64(400);
        QTest::newRow("data chunk longer than the file is cut")
            << Riff(Chunk("fmt ", Fmt(1, 2, 22050, 16)) + Chunk("data", data, 0xFFFFFFF0))
            << true << 1 << 0 << qint64(44) << qint64(400);
        QTest::newRow("not RIFF") << QByteArray("RIFX") + Pcm16(data, 22050, 2).mid(4) << false << 0 << 0 << qint64(0) << qint64(0);
        QTest::newRow("not WAVE")
            << QByteArray("RIFF") + Le32(100) + QByteArray("AVI ") + Pcm16(data, 22050, 2).mid(12)
            << false << 0 << 0 << qint64(0) << qint64(0);
        QTest::newRow("no data chunk") << Riff(Chunk("fmt ", Fmt(1, 2, 22050, 16))) << false << 0 << 0 << qint64(0) << qint64(0);
        QTest::newRow("no fmt chunk") << Riff(Chunk("data", data)) << false << 0 << 0 << qint64(0) << qint64(0);
        QTest::newRow("data outside the RIFF length")
            << Riff(Chunk("fmt ", Fmt(1, 2, 22050, 16)) + Chunk("data", data), 4 + 24)
            << false << 0 << 0 << qint64(0) << qint64(0);
        // A writer that streams leaves the RIFF length unknown, as 0 or as 0xFFFFFFFF.
        QTest::newRow("RIFF length 0")
            << Riff(Chunk("fmt ", Fmt(1, 2, 22050, 16)) + Chunk("data", data), 0)
            << true << 1 << 0 << qint64(44) << qint64(400);
        QTest::newRow("RIFF length 0xFFFFFFFF")
            << Riff(Chunk("fmt ", Fmt(1, 2, 22050, 16)) + Chunk("data", data), 0xFFFFFFFF)
            << true << 1 << 0 << qint64(44) << qint64(400);
        QTest::newRow("RIFF length 0, fmt chunk cut")
            << Riff(Chunk("fmt ", Fmt(1, 2, 22050, 16)), 0).left(12 + 8 + 10)
            << false << 0 << 0 << qint64(0) << qint64(0);
        QTest::newRow("RIFF length 0, no whole data chunk header")
            << Riff(Chunk("fmt ", Fmt(1, 2, 22050, 16)), 0) + QByteArray("data\x10\x00", 6)
            << false << 0 << 0 << qint64(0) << qint64(0);
        QTest::newRow("chunk length that wraps")
            << Riff(Chunk("junk", {}, 0xFFFFFFFF) + Chunk("fmt ", Fmt(1, 2, 22050, 16)) + Chunk("data", data))
            << false << 0 << 0 << qint64(0) << qint64(0);
        QTest::newRow("empty") << QByteArray() << false << 0 << 0 << qint64(0) << qint64(0);
    }

    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, ok);
        const std::optional<CWavLayout> layout = WavHeader::Parse(bytes);
        QCOMPARE(layout.has_value(), ok);
        if (!ok)
            return;
        QFETCH(int, tag);
        QFETCH(int, extraSize);
        QFETCH(qint64, dataOffset);
        QFETCH(qint64, dataSize);
        QCOMPARE(int(layout->format.wFormatTag), tag);
        QCOMPARE(int(layout->format.extra.size()), extraSize);
        QCOMPARE(layout->dataOffset, dataOffset);
        QCOMPARE(layout->dataSize, dataSize);
        QVERIFY(layout->dataOffset + layout->dataSize <= bytes.size());
    }

    void extraBytesAreKept()
    {
        QByteArray extra;
        for (int i = 0; i < 22; ++i)
            extra += char(i + 1);
        const QByteArray bytes = Riff(Chunk("fmt ", Fmt(0xFFFE, 2, 44100, 16) + Le16(22) + extra) + Chunk("data", "abcd"));
        const std::optional<CWavLayout> layout = WavHeader::Parse(bytes);
        QVERIFY(layout);
        QCOMPARE(layout->format.extra, extra);
        QCOMPARE(layout->format.nSamplesPerSec, 44100u);
        QCOMPARE(layout->format.nAvgBytesPerSec, 176400u);
        QCOMPARE(bytes.mid(layout->dataOffset, layout->dataSize), QByteArray("abcd"));
    }

    // Every cut of a valid file parses or fails without reading past the cut (the sanitizers
    // catch any read outside the copy).
    void everyTruncationIsSafe()
    {
        const QByteArray full = Riff(Chunk("LIST", QByteArray(3, 'x'))
                                     + Chunk("fmt ", Fmt(2, 1, 22050, 4) + Le16(4) + "wxyz")
                                     + Chunk("data", QByteArray(50, '\x22')));
        for (qsizetype n = 0; n <= full.size(); ++n) {
            const QByteArray cut = full.left(n);  // its own allocation of exactly n bytes
            const std::optional<CWavLayout> layout = WavHeader::Parse(cut);
            if (layout)
                QVERIFY(layout->dataOffset + layout->dataSize <= n);
        }
    }

    void recordingHeader_data()
    {
        QTest::addColumn<int>("rate");
        QTest::newRow("22050") << 22050;
        QTest::newRow("48000") << 48000;
        QTest::newRow("8000") << 8000;
    }

    void recordingHeader()
    {
        QFETCH(int, rate);
        const QByteArray header = WavHeader::BuildRecordingHeader(CWaveFormat::Pcm(2, quint32(rate), 16));
        const QByteArray expected = QByteArray("RIFF") + Le32(0) + "WAVE" + "fmt " + Le32(16)
                                    + Le16(1) + Le16(2) + Le32(quint32(rate)) + Le32(quint32(rate) * 4)
                                    + Le16(4) + Le16(16) + "fact" + Le32(4) + Le32(0xFFFFFFFF)
                                    + "data" + Le32(0);
        QCOMPARE(header.size(), qsizetype(WavHeader::kRecordingHeaderSize));
        QCOMPARE(header, expected);
        // While recording, both lengths are 0: the file reads as one without sound yet.
        const std::optional<CWavLayout> layout = WavHeader::Parse(header + QByteArray(8, '\0'));
        QVERIFY(layout);
        QCOMPARE(layout->format.nSamplesPerSec, quint32(rate));
        QCOMPARE(layout->dataSize, qint64(0));
    }

    void nonPcmHeaderCarriesExtraBytes()
    {
        CWaveFormat format = CWaveFormat::Pcm(1, 22050, 4);
        format.wFormatTag = 2;
        format.extra = QByteArray(3, '\x05');
        const QByteArray header = WavHeader::BuildRecordingHeader(format);
        QCOMPARE(header.mid(12, 8), QByteArray("fmt ") + Le32(21));
        QCOMPARE(header.size(), qsizetype(12 + 8 + 22 + 12 + 8));  // 21 bytes and a pad byte
        QCOMPARE(header.mid(header.size() - 8, 4), QByteArray("data"));
    }
};

ORTHEX_TEST_MAIN(WavFormatTest)
#include "wavformat_test.moc"
