#include "sound/loadedsound.h"
#include "sound/soundplayer.h"
#include "sound/wavfile.h"
#include "testing/recordingmessagesink.h"
#include "testing/testaudio.h"
#include "testing/testenvironment.h"
#include "testing/testwav.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cstdlib>
#include <memory>

using namespace TestWav;

namespace {
QString pathFor(const QString& name)
{
    return QDir(CTestEnvironment::Instance().Root()).filePath(name);
}

QString writeFile(const QString& name, const QByteArray& bytes)
{
    const QString path = pathFor(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        return QString();
    return path;
}

// Where loud sound begins and ends in raw s16le stereo, in frames, and the longest quiet run
// between (-1, -1, 0 when there is none).
struct SLoudSpan
{
    qsizetype first = -1;
    qsizetype last = -1;
    qsizetype longestGap = 0;
};

SLoudSpan loudSpan(const QByteArray& s16stereo)
{
    SLoudSpan span;
    for (qsizetype frame = 0; 4 * frame + 1 < s16stereo.size(); ++frame) {
        if (std::abs(qFromLittleEndian<qint16>(s16stereo.constData() + 4 * frame)) < 1000)
            continue;
        if (span.first < 0)
            span.first = frame;
        else
            span.longestGap = qMax(span.longestGap, frame - span.last - 1);
        span.last = frame;
    }
    return span;
}

// 16-bit stereo speech turned into 8-bit unsigned mono.
QByteArray toEightBitMono(const QByteArray& s16stereo)
{
    QByteArray out;
    for (qsizetype i = 0; i + 3 < s16stereo.size(); i += 4) {
        const qint16 left = qFromLittleEndian<qint16>(s16stereo.constData() + i);
        out += char(quint8((left >> 8) + 128));
    }
    return out;
}
}  // namespace

class SoundPlayerTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<CRecordingMessageSink> m_sink;
    QByteArray m_speech;

    // Plays the file through a player and returns what reached the speaker.
    QByteArray playAndListen(const QString& path, SoundResult* played = nullptr)
    {
        CSoundPlayer player;
        if (!player.OpenOutputDevice())
            return {};
        CSpeakerCapture speaker;
        if (!speaker.Start())
            return {};
        QTest::qWait(300);
        if (!player.Load(path))
            return {};
        const SoundResult result = player.Play();
        if (played)
            *played = result;
        if (result.Succeeded() && player.GetLoadedSound())
            player.GetLoadedSound()->WaitUntilDone(20000);
        QTest::qWait(300);
        return speaker.Stop();
    }

private Q_SLOTS:
    void initTestCase()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        QString error;
        m_speech = TestAudio::Speech(QStringLiteral("receive"), 22050, 2, &error);
        QVERIFY2(!m_speech.isEmpty(), qPrintable(error));
        m_sink = std::make_unique<CRecordingMessageSink>();
    }

    void init() { m_sink->Clear(); }
    void cleanupTestCase() { m_sink.reset(); }

    void playbackReachesTheSpeaker_data()
    {
        QTest::addColumn<QByteArray>("fmt");
        QTest::addColumn<int>("kind");  // 0: 16-bit stereo, 1: 8-bit mono
        QTest::newRow("16-bit stereo") << Fmt(1, 2, 22050, 16) << 0;
        QTest::newRow("8-bit mono") << Fmt(1, 1, 22050, 8) << 1;
        QTest::newRow("extensible PCM with extra bytes") << Extensible(2, 22050, 16) << 0;
    }

    void playbackReachesTheSpeaker()
    {
        QFETCH(QByteArray, fmt);
        QFETCH(int, kind);
        const QByteArray data = kind == 0 ? m_speech : toEightBitMono(m_speech);
        const QString path = writeFile(QStringLiteral("play.wav"), File(fmt, data));
        SoundResult played = SoundError::Failed;
        const QByteArray heard = playAndListen(path, &played);
        QCOMPARE(played, SoundResult::Ok());
        QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));
        QVERIFY2(TestAudio::HasSound(heard), "nothing reached the speaker");
    }

    // Every sound is heard whole and without a gap, from a word shorter than any buffer of the
    // output stream to one longer than what is handed to it at the press; then the play is
    // over and its position back at the start.
    void wholeSoundIsHeard_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::newRow("50 ms") << 0.05;
        QTest::newRow("half a second") << 0.5;
        QTest::newRow("4 seconds") << 4.0;
    }

    void wholeSoundIsHeard()
    {
        QFETCH(double, seconds);
        const QString path = writeFile(QStringLiteral("tone.wav"), Pcm16(Tone(seconds), 22050, 2));
        CSoundPlayer player;
        QVERIFY(player.OpenOutputDevice());
        CSpeakerCapture speaker;
        QVERIFY(speaker.Start());
        QTest::qWait(300);
        QVERIFY(player.Load(path));
        QCOMPARE(player.Play(), SoundResult::Ok());
        CLoadedSound* sound = player.GetLoadedSound();
        QVERIFY(sound->IsPlaying());
        QVERIFY(sound->WaitUntilDone(20000));
        QVERIFY(!sound->IsPlaying());
        QCOMPARE(sound->GetPlayPosition(), qint64(0));
        QTest::qWait(300);
        const SLoudSpan heard = loudSpan(speaker.Stop());
        QVERIFY2(heard.first >= 0, "nothing reached the speaker");
        // The monitor misses up to its 20 ms latency at the start of any stream (paplay's too).
        const qsizetype frames = qsizetype(22050 * seconds);
        QVERIFY2(qAbs(heard.last - heard.first + 1 - frames) < 22050 * 30 / 1000,
                 qPrintable(QStringLiteral("%1 of %2 frames heard").arg(heard.last - heard.first + 1).arg(frames)));
        QVERIFY2(heard.longestGap < 40, qPrintable(QStringLiteral("a gap of %1 frames").arg(heard.longestGap)));
    }

    void recordingPlaysBack()
    {
        // A file written the way a recording is, then played.
        const QString path = pathFor(QStringLiteral("recorded.wav"));
        {
            CWavFile writer;
            QVERIFY(writer.OpenForWriting(path, CWaveFormat::Pcm(2, 22050, 16)));
            const qsizetype whole = m_speech.size() - m_speech.size() % 11024;
            QCOMPARE(writer.Write(m_speech.constData(), whole), qint64(whole));
            QVERIFY(writer.Close());
        }
        QVERIFY(TestAudio::HasSound(playAndListen(path)));
    }

    void silenceIsSilent()
    {
        const QString path = writeFile(QStringLiteral("quiet.wav"), File(Fmt(1, 1, 22050, 8), QByteArray(22050, char(128))));
        SoundResult played = SoundError::Failed;
        const QByteArray heard = playAndListen(path, &played);
        QCOMPARE(played, SoundResult::Ok());
        QVERIFY(!heard.isEmpty());
        QVERIFY2(TestAudio::Peak(heard) < 300, "8-bit 128 must play as silence");
    }

    void loadFailures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty data chunk") << File(Fmt(1, 2, 22050, 16), {}) << "it holds no sound";
        QTest::newRow("fmt of 14 bytes") << File(Fmt(1, 2, 22050, 16).left(14), QByteArray(400, 'x'))
                                         << "it is not a WAV file";
        QTest::newRow("non-PCM that needs decoding") << File(Fmt(2, 1, 22050, 4) + Le16(32) + QByteArray(32, '\x01'), QByteArray(400, 'x'))
                                                     << "its sound is not in a PCM format that Orthex can play";
        QTest::newRow("not a WAV file") << QByteArray("hello") << "it is not a WAV file";
        QTest::newRow("1 Hz") << File(Fmt(1, 1, 1, 16), QByteArray(400, 'x'))
                              << "its sample rate is 1 Hz; Orthex plays 8000 to 48000 Hz";
        QTest::newRow("byte rate 1") << File(Fmt(1, 1, 22050, 1, 2, 16), QByteArray(400, 'x'))
                                     << "its byte rate is 1 a second, but 2-byte blocks at 22050 Hz take 44100";
    }

    void loadFailures()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        CSoundPlayer player;
        QVERIFY(player.OpenOutputDevice());
        const QString path = writeFile(QStringLiteral("bad.wav"), bytes);
        QVERIFY(!player.Load(path));
        QCOMPARE(m_sink->Texts(), QStringList{QStringLiteral("Could not create sound buffer.\n\n\"%1\" cannot be played: %2.")
                                                  .arg(QDir::toNativeSeparators(path), reason)});
        QVERIFY(!player.GetLoadedSound());
        QCOMPARE(player.Play(), SoundResult(SoundError::NotReady));
    }

    void sizeLimit_data()
    {
        QTest::addColumn<qint64>("fileSize");
        QTest::addColumn<bool>("loads");
        QTest::newRow("exactly 104857600") << qint64(104857600) << true;
        QTest::newRow("one byte more") << qint64(104857601) << false;
    }

    void sizeLimit()
    {
        QFETCH(qint64, fileSize);
        QFETCH(bool, loads);
        const qint64 dataSize = fileSize - 44;
        QByteArray bytes = Riff(Chunk("fmt ", Fmt(1, 2, 22050, 16)) + Chunk("data", {}, dataSize), fileSize - 8);
        bytes.append(QByteArray(dataSize, '\0'));
        QCOMPARE(bytes.size(), fileSize);
        const QString path = writeFile(QStringLiteral("big.wav"), bytes);
        bytes.clear();
        CSoundPlayer player;
        QVERIFY(player.OpenOutputDevice());
        QCOMPARE(player.Load(path), loads);
        if (loads) {
            QVERIFY(m_sink->Texts().isEmpty());
            QVERIFY(player.GetLoadedSound());
            QCOMPARE(player.GetLoadedSound()->GetDataSize(), dataSize);
        } else {
            QCOMPARE(m_sink->Texts(), QStringList{"File too large.  You should stream large files."});
            QVERIFY(!player.GetLoadedSound());
        }
        player.Unload();
        QFile::remove(path);
    }

    void missingFileLoadsNothingSilently()
    {
        CSoundPlayer player;
        QVERIFY(player.OpenOutputDevice());
        QVERIFY(player.Load(pathFor(QStringLiteral("none.wav"))));
        QVERIFY(m_sink->Texts().isEmpty());
        QVERIFY(!player.GetLoadedSound());
        QCOMPARE(player.Play(), SoundResult(SoundError::NotReady));
    }

    void withoutPlaybackDeviceNothingLoads()
    {
        CSoundPlayer player;
        const QString path = writeFile(QStringLiteral("ok.wav"), File(Fmt(1, 2, 22050, 16), m_speech.left(8820)));
        QVERIFY(!player.Load(path));
        QCOMPARE(m_sink->Texts(), QStringList{"Could not create sound buffer."});
    }

    void stopKeepsThePositionAndRewindGoesToTheStart()
    {
        const QString path = writeFile(QStringLiteral("long.wav"), File(Fmt(1, 2, 22050, 16), m_speech + m_speech + m_speech));
        CSoundPlayer player;
        QVERIFY(player.OpenOutputDevice());
        QVERIFY(player.Load(path));
        CLoadedSound* sound = player.GetLoadedSound();
        QVERIFY(sound);
        QCOMPARE(sound->GetPlayPosition(), qint64(0));
        QCOMPARE(player.Play(), SoundResult::Ok());
        QTRY_VERIFY(sound->GetPlayPosition() > 0);
        QTest::qWait(300);
        QCOMPARE(sound->Stop(), SoundResult::Ok());
        QVERIFY(!sound->IsPlaying());
        const qint64 stoppedAt = sound->GetPlayPosition();
        QVERIFY(stoppedAt > 0);
        QVERIFY(stoppedAt < sound->GetDataSize());
        QTest::qWait(100);
        QCOMPARE(sound->GetPlayPosition(), stoppedAt);
        QCOMPARE(sound->Rewind(), SoundResult::Ok());
        QCOMPARE(sound->GetPlayPosition(), qint64(0));
        // Every play request reloads the file: a second Load starts from the beginning.
        QCOMPARE(player.Play(), SoundResult::Ok());
        QTest::qWait(200);
        QVERIFY(player.Load(path));
        QVERIFY(player.GetLoadedSound());
        QCOMPARE(player.GetLoadedSound()->GetPlayPosition(), qint64(0));
        QVERIFY(!player.GetLoadedSound()->IsPlaying());
        player.Unload();
        QVERIFY(!player.GetLoadedSound());
    }
};

ORTHEX_TEST_MAIN(SoundPlayerTest)
#include "soundplayer_test.moc"
