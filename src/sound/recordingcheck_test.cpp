#include "sound/audioformatmap.h"
#include "sound/recordingcheck.h"
#include "testing/testenvironment.h"
#include "testing/testwav.h"

using namespace TestWav;

class RecordingCheckTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void check_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<qint64>("playedSize");  // the sound that plays, in whole frames

        const QByteArray sound(4000, '\x11');
        QTest::newRow("16-bit stereo") << File(Fmt(1, 2, 22050, 16), sound) << "" << qint64(4000);
        QTest::newRow("8-bit mono at 8000 Hz") << File(Fmt(1, 1, 8000, 8), sound) << "" << qint64(4000);
        QTest::newRow("16-bit mono at 48000 Hz") << File(Fmt(1, 1, 48000, 16), sound) << "" << qint64(4000);
        QTest::newRow("extensible PCM") << File(Extensible(2, 44100, 16), sound) << "" << qint64(4000);
        QTest::newRow("a piece of a frame at the end is cut")
            << File(Fmt(1, 2, 22050, 16), sound + "abc") << "" << qint64(4000);

        QTest::newRow("1 Hz") << File(Fmt(1, 1, 1, 16), sound) << "its sample rate is 1 Hz; Orthex plays 8000 to 48000 Hz"
                              << qint64(0);
        QTest::newRow("7999 Hz") << File(Fmt(1, 1, 7999, 16), sound)
                                 << "its sample rate is 7999 Hz; Orthex plays 8000 to 48000 Hz" << qint64(0);
        QTest::newRow("96000 Hz") << File(Fmt(1, 2, 96000, 16), sound)
                                  << "its sample rate is 96000 Hz; Orthex plays 8000 to 48000 Hz" << qint64(0);
        QTest::newRow("byte rate 1") << File(Fmt(1, 1, 22050, 1, 2, 16), sound)
                                     << "its byte rate is 1 a second, but 2-byte blocks at 22050 Hz take 44100" << qint64(0);
        QTest::newRow("block size that disagrees") << File(Fmt(1, 2, 22050, 66150, 3, 16), sound)
                                                   << "its block size is 3 bytes, but 2 channels of 16 bits take 4"
                                                   << qint64(0);
        QTest::newRow("24 bits") << File(Fmt(1, 2, 44100, 24), sound)
                                 << "its sound has 24 bits per sample; Orthex plays 8 or 16" << qint64(0);
        QTest::newRow("32-bit integer") << File(Fmt(1, 1, 44100, 32), sound)
                                        << "its sound has 32 bits per sample; Orthex plays 8 or 16" << qint64(0);
        QTest::newRow("32-bit float") << File(Fmt(3, 2, 44100, 32), sound)
                                      << "its sound is in floating point, not in a PCM format that Orthex can play"
                                      << qint64(0);
        QTest::newRow("extensible float") << File(Extensible(2, 44100, 32, 3), sound)
                                          << "its sound is in floating point, not in a PCM format that Orthex can play"
                                          << qint64(0);
        QTest::newRow("extensible without its sub-format") << File(Fmt(0xFFFE, 2, 22050, 16), sound)
                                                           << "its extensible format block is cut short" << qint64(0);
        QTest::newRow("ADPCM") << File(Fmt(2, 1, 22050, 4) + Le16(2) + "xy", sound)
                               << "its sound is not in a PCM format that Orthex can play" << qint64(0);
        QTest::newRow("6 channels") << File(Fmt(1, 6, 48000, 16), sound) << "it has 6 channels; Orthex plays 1 or 2"
                                    << qint64(0);
        QTest::newRow("no channels") << File(Fmt(1, 0, 22050, 16), sound) << "it has 0 channels; Orthex plays 1 or 2"
                                     << qint64(0);
        QTest::newRow("no sound") << File(Fmt(1, 2, 22050, 16), {}) << "it holds no sound" << qint64(0);
        QTest::newRow("less than one frame") << File(Fmt(1, 2, 22050, 16), "abc") << "it holds no sound" << qint64(0);
        QTest::newRow("not a WAV file") << QByteArray("just some text") << "it is not a WAV file" << qint64(0);
    }

    void check()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QFETCH(qint64, playedSize);
        SPlayableRecording playable;
        QCOMPARE(RecordingCheck::UnplayableReason(bytes, &playable), reason);
        QCOMPARE(playable.dataSize, playedSize);
        if (!reason.isEmpty())
            return;
        QCOMPARE(playable.audioFormat.bytesPerFrame(), int(playable.format.nBlockAlign));
        QCOMPARE(quint32(playable.audioFormat.sampleRate()), playable.format.nSamplesPerSec);
        QCOMPARE(bytes.mid(playable.dataOffset, 4), QByteArray(4, '\x11'));
    }
};

ORTHEX_TEST_MAIN(RecordingCheckTest)
#include "recordingcheck_test.moc"
