#include "sound/pulseconnection.h"
#include "testing/testaudio.h"
#include "testing/testcli.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "testing/testwav.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtEndian>

#include <pulse/volume.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {
// orthex-cli sound with the arguments.
void startSound(QProcess& process, const QStringList& args)
{
    TestCli::Start(process, QStringList{QStringLiteral("sound")} + args);
}

SCliTextRun runSound(const QStringList& args)
{
    return TestCli::Text(TestCli::Run(QStringList{QStringLiteral("sound")} + args));
}

qint64 printedDataLength(const QString& out)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("data length (\\d+) bytes")).match(out);
    return m.hasMatch() ? m.captured(1).toLongLong() : -1;
}
}  // namespace

class SoundCommandTest : public QObject
{
    Q_OBJECT
private:
    QByteArray m_speech;

    // Speech said into the microphone (s16le, 22050 Hz, stereo), made once.
    const QByteArray& speech()
    {
        if (m_speech.isEmpty()) {
            QString error;
            m_speech = TestAudio::Speech(QStringLiteral("separate"), 22050, 2, &error);
            if (m_speech.isEmpty())
                qWarning("%s", qPrintable(error));
        }
        return m_speech;
    }

    // Records for `seconds` through orthex-cli while `pcm` is said into the microphone.
    SCliTextRun record(const QString& path, const QByteArray& pcm, const QStringList& extra = {})
    {
        QProcess process;
        startSound(process, QStringList{QStringLiteral("record"), path, QStringLiteral("--seconds"), QStringLiteral("2.5")} + extra);
        if (!process.waitForStarted(10000))
            return {};
        QTest::qWait(700);  // the capture is running by then
        CMicrophoneFeeder feeder(pcm);
        feeder.Start();
        feeder.Wait();
        return TestCli::Text(TestCli::Finish(process));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(qEnvironmentVariable("ORTHEX_CLI")), "ORTHEX_CLI is not set to orthex-cli");
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("unknown") << QStringList{"listen"};
        QTest::newRow("devices with an argument") << QStringList{"devices", "x"};
        QTest::newRow("record without a file") << QStringList{"record", "--seconds", "1"};
        QTest::newRow("record without seconds") << QStringList{"record", "out.wav"};
        QTest::newRow("record with 0 seconds") << QStringList{"record", "out.wav", "--seconds", "0"};
        QTest::newRow("record with words for seconds") << QStringList{"record", "out.wav", "--seconds", "two"};
        QTest::newRow("record with a rate that is no number") << QStringList{"record", "out.wav", "--seconds", "1", "--rate", "fast"};
        QTest::newRow("record with an unknown option") << QStringList{"record", "out.wav", "--seconds", "1", "--loud"};
        QTest::newRow("play without a file") << QStringList{"play"};
        QTest::newRow("play with two files") << QStringList{"play", "a.wav", "b.wav"};
    }

    void usage()
    {
        QFETCH(QStringList, args);
        const SCliTextRun run = runSound(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QLatin1String("usage: orthex-cli sound devices")), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    void rateOutOfRangeSaysWhichRatesThereAre_data()
    {
        QTest::addColumn<QString>("rate");
        QTest::newRow("5") << "5";
        QTest::newRow("-1") << "-1";
    }

    void rateOutOfRangeSaysWhichRatesThereAre()
    {
        QFETCH(QString, rate);
        const QString path = TestFiles::InRoot(QStringLiteral("never.wav"));
        const SCliTextRun run = runSound({QStringLiteral("record"), path, QStringLiteral("--seconds"), QStringLiteral("1"),
                                          QStringLiteral("--rate"), rate});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QLatin1String("4 (8000 Hz)")), qPrintable(run.err));
        QVERIFY(!QFile::exists(path));
    }

    void playMissingFile()
    {
        const SCliTextRun run = runSound({QStringLiteral("play"), TestFiles::InRoot(QStringLiteral("none.wav"))});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QLatin1String("no such file")), qPrintable(run.err));
    }

    void devicesShowTheMicrophoneAndItsLevel()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        TestAudio::SetMicVolume(65536);
        const SCliTextRun run = runSound({QStringLiteral("devices")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(QLatin1String("* Microphone [mic]")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QLatin1String("* Speaker [speaker] (default: Orthex plays here)")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QLatin1String("Capture device: Microphone [mic]")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QLatin1String("Capture level: 65536 of 65536 (100 %)")), qPrintable(run.out));
    }

    void recordThenPlay_data()
    {
        QTest::addColumn<QStringList>("rateArgs");
        QTest::addColumn<int>("notifySize");
        QTest::newRow("default rate") << QStringList{} << 11024;
        QTest::newRow("rate 4") << QStringList{"--rate", "4"} << 4000;
    }

    void recordThenPlay()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        QFETCH(QStringList, rateArgs);
        QFETCH(int, notifySize);
        QVERIFY(!speech().isEmpty());
        const QString path = TestFiles::InRoot(QStringLiteral("cli.wav"));
        const SCliTextRun rec = record(path, speech(), rateArgs);
        QCOMPARE(rec.exitCode, 0);
        const qint64 length = printedDataLength(rec.out);
        QVERIFY2(length > 0, qPrintable(rec.out + rec.err));
        QCOMPARE(length % notifySize, 0);
        const QByteArray file = TestFiles::Read(path);
        QCOMPARE(qint64(file.size()), 56 + length);
        QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 52), quint32(length));
        QVERIFY2(TestAudio::HasSound(file.mid(56)), "the recording is silent");

        CSpeakerCapture speaker;
        QVERIFY(speaker.Start());
        QTest::qWait(300);
        const SCliTextRun play = runSound({QStringLiteral("play"), path});
        QTest::qWait(300);
        const QByteArray heard = speaker.Stop();
        QCOMPARE(play.exitCode, 0);
        QVERIFY2(play.out.startsWith(QLatin1String("Played ")), qPrintable(play.out + play.err));
        QVERIFY2(TestAudio::HasSound(heard), "nothing reached the speaker");
    }

    // No sound at all from the microphone: no recording is kept.
    void recordingSilenceSaysWhatToCheck()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        const QString path = TestFiles::InRoot(QStringLiteral("quiet.wav"));
        const SCliTextRun run =
            runSound({QStringLiteral("record"), path, QStringLiteral("--seconds"), QStringLiteral("0.5")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.startsWith(QLatin1String("orthex-cli: no sound arrived from Microphone in 0.5 s, so nothing was "
                                                  "recorded. Check that a microphone is plugged in")),
                 qPrintable(run.err));
        QVERIFY(!QFile::exists(path));
    }

    // Refused before any device is opened, with what is wrong with the file.
    void playRefusesWhatOrthexDoesNotPlay_data()
    {
        QTest::addColumn<QByteArray>("wav");
        QTest::addColumn<QString>("reason");
        using namespace TestWav;
        const QByteArray sound(8000, '\x20');
        QTest::newRow("1 Hz") << File(Fmt(1, 1, 1, 16), sound) << "its sample rate is 1 Hz; Orthex plays 8000 to 48000 Hz";
        QTest::newRow("byte rate 1") << File(Fmt(1, 1, 22050, 1, 2, 16), sound)
                                     << "its byte rate is 1 a second, but 2-byte blocks at 22050 Hz take 44100";
        QTest::newRow("32-bit float") << File(Fmt(3, 2, 44100, 32), sound)
                                      << "its sound is in floating point, not in a PCM format that Orthex can play";
        QTest::newRow("24 bits") << File(Fmt(1, 2, 48000, 24), sound) << "its sound has 24 bits per sample; Orthex plays 8 or 16";
        QTest::newRow("3 channels") << File(Fmt(1, 3, 22050, 16), sound) << "it has 3 channels; Orthex plays 1 or 2";
        QTest::newRow("not a WAV file") << QByteArray("words, not sound") << "it is not a WAV file";
    }

    void playRefusesWhatOrthexDoesNotPlay()
    {
        QFETCH(QByteArray, wav);
        QFETCH(QString, reason);
        const QString path = TestFiles::WriteInRoot(QStringLiteral("refused.wav"), wav);
        const SCliTextRun run = runSound({QStringLiteral("play"), path});
        QCOMPARE(run.err, QStringLiteral("orthex-cli: %1 cannot be played: %2.\n").arg(QDir::toNativeSeparators(path), reason));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
    }

    // The length shown comes from the checked format; a piece of a frame at the end is not
    // played, and the run ends.
    void playEndsAfterTheSound_data()
    {
        QTest::addColumn<QByteArray>("wav");
        QTest::addColumn<QString>("shown");
        using namespace TestWav;
        QTest::newRow("a piece of a frame at the end")
            << File(Fmt(1, 1, 8000, 16), QByteArray(8001, '\x10')) << "8000 Hz, 16-bit, 1 channel, 0.50 s";
        QTest::newRow("8-bit stereo") << File(Fmt(1, 2, 11025, 8), QByteArray(11025, '\x90'))
                                      << "11025 Hz, 8-bit, 2 channels, 0.50 s";
    }

    void playEndsAfterTheSound()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        QFETCH(QByteArray, wav);
        QFETCH(QString, shown);
        const QString path = TestFiles::WriteInRoot(QStringLiteral("short.wav"), wav);
        const SCliTextRun run = runSound({QStringLiteral("play"), path});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, QStringLiteral("Played %1 (%2) on Speaker\n").arg(QDir::toNativeSeparators(path), shown));
        QCOMPARE(run.exitCode, 0);
    }

    // Every run ends normally after its work, also when the sound server sends it something as
    // it ends.
    void manyRunsEndNormally_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("record") << "record";
        QTest::newRow("play") << "play";
    }

    void manyRunsEndNormally()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        QFETCH(QString, command);
        QVERIFY(!speech().isEmpty());
        const QString path = TestFiles::InRoot(QStringLiteral("again.wav"));
        QStringList args{command, path};
        // While it records, the microphone hears speech; what plays is 0.2 s of it.
        QByteArray talk;
        if (command == QLatin1String("record")) {
            args << QStringLiteral("--seconds") << QStringLiteral("0.5");
            while (talk.size() < 120 * TestAudio::kMicBytesPerSecond)
                talk += speech();
        } else {
            QVERIFY(!TestFiles::WriteInRoot(QStringLiteral("again.wav"), TestWav::File(TestWav::Fmt(1, 2, 22050, 16), speech().left(17640))).isEmpty());
        }
        CMicrophoneFeeder feeder(talk);
        feeder.Start();
        // The microphone's volume keeps changing, so that the sound server has news for each run
        // as it ends.
        std::atomic<bool> changing{true};
        std::thread news([&changing] {
            CPulseConnection server;
            for (quint32 step = 0; changing && server.Connect(); ++step) {
                server.SetSourceVolume(TestAudio::MicSourceName(), 2, step % 2 ? PA_VOLUME_NORM / 2 : PA_VOLUME_NORM);
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            server.SetSourceVolume(TestAudio::MicSourceName(), 2, PA_VOLUME_NORM);
        });
        QString failed;
        for (int i = 1; i <= 50 && failed.isEmpty(); ++i) {
            const SCliTextRun run = runSound(args);
            if (run.exitCode != 0)
                failed = QStringLiteral("run %1 of sound %2: exit %3: %4").arg(i).arg(command).arg(run.exitCode).arg(run.err);
        }
        changing = false;
        news.join();
        feeder.Stop();
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
    }
};

ORTHEX_TEST_MAIN(SoundCommandTest)
#include "soundcommand_test.moc"
