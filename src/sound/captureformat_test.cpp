#include "sound/captureformat.h"
#include "testing/testenvironment.h"

class CaptureFormatTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void table_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<quint32>("samplesPerSec");
        QTest::addColumn<quint32>("notify");
        QTest::addColumn<quint32>("buffer");
        QTest::newRow("0") << 0 << 48000u << 24000u << 384000u;
        QTest::newRow("1") << 1 << 44100u << 22048u << 352768u;
        QTest::newRow("2 (default)") << 2 << 22050u << 11024u << 176384u;
        QTest::newRow("3") << 3 << 11025u << 5512u << 88192u;
        QTest::newRow("4") << 4 << 8000u << 4000u << 64000u;
        QTest::newRow("5 is no rate") << 5 << 0u << 1024u << 16384u;
        QTest::newRow("-1 is no rate") << -1 << 0u << 1024u << 16384u;
    }

    void table()
    {
        QFETCH(int, rate);
        QFETCH(quint32, samplesPerSec);
        QFETCH(quint32, notify);
        QFETCH(quint32, buffer);
        const CWaveFormat f = CaptureFormat::ForRateIndex(rate);
        QCOMPARE(f.wFormatTag, quint16(1));
        QCOMPARE(f.nChannels, quint16(2));
        QCOMPARE(f.wBitsPerSample, quint16(16));
        QCOMPARE(f.nBlockAlign, quint16(4));
        QCOMPARE(f.nSamplesPerSec, samplesPerSec);
        QCOMPARE(f.nAvgBytesPerSec, samplesPerSec * 4);
        QCOMPARE(CaptureFormat::NotifySize(f), notify);
        QCOMPARE(CaptureFormat::BufferSize(f), buffer);
        QCOMPARE(CaptureFormat::NotifySize(f) % 4, 0u);
    }

    void slowFormatsNotifyEvery1024Bytes()
    {
        // 8191 bytes a second or fewer: 1024-byte pieces, trimmed to whole blocks.
        QCOMPARE(CaptureFormat::NotifySize(CWaveFormat::Pcm(1, 8000, 8)), 1024u);
        QCOMPARE(CaptureFormat::NotifySize(CWaveFormat::Pcm(2, 8192, 8)), 2048u);
        CWaveFormat odd = CWaveFormat::Pcm(1, 4000, 16);
        odd.nBlockAlign = 3;
        QCOMPARE(CaptureFormat::NotifySize(odd), 1023u);
    }
};

ORTHEX_TEST_MAIN(CaptureFormatTest)
#include "captureformat_test.moc"
