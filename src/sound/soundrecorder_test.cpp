#include "sound/captureformat.h"
#include "sound/soundrecorder.h"
#include "sound/wavformat.h"
#include "testing/recordingmessagesink.h"
#include "testing/testaudio.h"
#include "testing/testenvironment.h"
#include "testing/testwav.h"

#include <QDir>
#include <QFile>

#include <memory>

namespace {
QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString tempWav()
{
    static int n = 0;
    return QDir(CTestEnvironment::Instance().Root()).filePath(QStringLiteral("rec%1.wav").arg(++n));
}

// The closed recording's header: RIFF length, the rate's format, "fact" 0, data length.
void verifyClosedHeader(const QByteArray& file, int rateIndex)
{
    const CWaveFormat format = CaptureFormat::ForRateIndex(rateIndex);
    QVERIFY(file.size() >= WavHeader::kRecordingHeaderSize);
    QCOMPARE(file.left(56), TestWav::RecordingHeader(format, quint32(file.size() - 56), 0));
    QCOMPARE((file.size() - 56) % CaptureFormat::NotifySize(format), 0);
}
}  // namespace

class SoundRecorderTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<CRecordingMessageSink> m_sink;
    QByteArray m_speech;

    // Records `pcm` said into the microphone (nothing when empty) at the rate index and
    // returns the file's bytes.
    QByteArray record(int rateIndex, const QByteArray& pcm, int extraMs = 600)
    {
        CSoundRecorder recorder;
        [&] {
            QCOMPARE(recorder.InitCaptureDevice(), SoundResult::Ok());
            QVERIFY(recorder.SetCaptureFormat(rateIndex));
        }();
        const QString path = tempWav();
        recorder.OpenCaptureFile(path);
        if (recorder.CreateCaptureBuffer(recorder.GetCaptureFormat()).Failed())
            return {};
        if (recorder.StartCapture().Failed())
            return {};
        CMicrophoneFeeder feeder(pcm);
        feeder.Start();
        feeder.Wait();
        QTest::qWait(extraMs);
        if (!recorder.StopRecording())
            return {};
        return readAll(path);
    }

private Q_SLOTS:
    void initTestCase()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        QString error;
        m_speech = TestAudio::Speech(QStringLiteral("necessary"), TestAudio::kMicRate, 2, &error);
        QVERIFY2(!m_speech.isEmpty(), qPrintable(error));
        CSoundRecorder::EnumerateCaptureDevices();
        m_sink = std::make_unique<CRecordingMessageSink>();
    }

    void init() { m_sink->Clear(); }
    void cleanupTestCase() { m_sink.reset(); }

    void microphoneIsChosen()
    {
        QCOMPARE(CSoundRecorder::GetCaptureDeviceName(), QStringLiteral("Microphone"));
        QCOMPARE(CSoundRecorder::GetCaptureDeviceId(), TestAudio::MicSourceName());
    }

    void defaultFormat()
    {
        CSoundRecorder recorder;
        QCOMPARE(recorder.InitCaptureDevice(), SoundResult::Ok());
        QVERIFY(recorder.SetCaptureFormat(2));
        QCOMPARE(recorder.GetNotifySize(), 11024u);
        QCOMPARE(recorder.GetCaptureBufferSize(), 176384u);
        QVERIFY(recorder.HasCaptureBuffer());
        QVERIFY(m_sink->Texts().isEmpty());
    }

    void speechIsRecorded_data()
    {
        QTest::addColumn<int>("rateIndex");
        QTest::newRow("48000") << 0;
        QTest::newRow("44100") << 1;
        QTest::newRow("22050") << 2;
        QTest::newRow("11025") << 3;
        QTest::newRow("8000") << 4;
    }

    void speechIsRecorded()
    {
        QFETCH(int, rateIndex);
        const QByteArray file = record(rateIndex, m_speech);
        QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));
        verifyClosedHeader(file, rateIndex);
        if (QTest::currentTestFailed())
            return;
        const QByteArray data = file.mid(56);
        QVERIFY2(data.size() > 0, "nothing was recorded");
        QVERIFY2(TestAudio::HasSound(data), "the recording is silent");
        // Everything spoken was kept, but for at most one notify size at the end.
        const CWaveFormat format = CaptureFormat::ForRateIndex(rateIndex);
        const double spoken = double(m_speech.size()) / TestAudio::kMicBytesPerSecond;
        const double recorded = double(data.size()) / format.nAvgBytesPerSec;
        QVERIFY2(recorded >= spoken - 0.125 - 0.05,
                 qPrintable(QStringLiteral("recorded %1 s of %2 s spoken").arg(recorded).arg(spoken)));
        // Spoken at the source's own rate, the recording holds the very samples spoken.
        if (rateIndex == 2) {
            qsizetype first = 0;
            while (first < data.size() && data[first] == '\0')
                ++first;
            first -= first % 4;
            const QByteArray sample = data.mid(first, 4096);
            QVERIFY(sample.size() >= 1024);
            QVERIFY2(m_speech.indexOf(sample) >= 0, "recorded samples are not the spoken ones");
        }
    }

    void nothingSpokenGivesAnEmptyRecording()
    {
        const QByteArray file = record(2, {}, 300);
        QCOMPARE(file.size(), 56);
        verifyClosedHeader(file, 2);
    }

    void twoRecordingsWithOneRecorder()
    {
        CSoundRecorder recorder;
        QCOMPARE(recorder.InitCaptureDevice(), SoundResult::Ok());
        recorder.SetCaptureFormat(2);
        for (int i = 0; i < 2; ++i) {
            const QString path = tempWav();
            QVERIFY(recorder.OpenCaptureFile(path));
            QCOMPARE(recorder.CreateCaptureBuffer(recorder.GetCaptureFormat()), SoundResult::Ok());
            QCOMPARE(recorder.StartCapture(), SoundResult::Ok());
            CMicrophoneFeeder feeder(m_speech.left(88200));
            feeder.Start();
            QVERIFY(feeder.Wait());
            QTest::qWait(400);
            QVERIFY(recorder.StopRecording());
            const QByteArray file = readAll(path);
            verifyClosedHeader(file, 2);
            QVERIFY(file.size() > 56);
        }
        QVERIFY(m_sink->Texts().isEmpty());
    }

    void invalidRateIndex_data()
    {
        QTest::addColumn<int>("rateIndex");
        QTest::newRow("5") << 5;
        QTest::newRow("-1") << -1;
    }

    void invalidRateIndex()
    {
        QFETCH(int, rateIndex);
        CSoundRecorder recorder;
        QCOMPARE(recorder.InitCaptureDevice(), SoundResult::Ok());
        QVERIFY(recorder.SetCaptureFormat(rateIndex));
        QCOMPARE(m_sink->Texts(), (QStringList{"CreateCaptureBuffer", "CreateCaptureBuffer formats"}));
        QVERIFY(!recorder.HasCaptureBuffer());
        QCOMPARE(recorder.StartCapture(), SoundResult(SoundError::NotReady));
        QVERIFY(!recorder.StopRecording());
    }

    void noCaptureDeviceIsAResultNotAnExit()
    {
        CSoundRecorder::SetCaptureDeviceLookup([](const QByteArray&) { return std::nullopt; });
        CSoundRecorder recorder;
        const SoundResult result = recorder.InitCaptureDevice();
        CSoundRecorder::SetCaptureDeviceLookup({});
        QCOMPARE(result, SoundResult(SoundError::NoDevice));
        QCOMPARE(m_sink->Texts(),
                 QStringList{"The sound server (PulseAudio or PipeWire) offers no input device to record from."});
        // The recorder stays usable: without a device no capture buffer is made.
        m_sink->Clear();
        recorder.SetCaptureFormat(2);
        QCOMPARE(m_sink->Texts(), (QStringList{"CreateCaptureBuffer", "CreateCaptureBuffer formats"}));
    }

    void unwritableFileShowsItsMessages()
    {
        CSoundRecorder recorder;
        QCOMPARE(recorder.InitCaptureDevice(), SoundResult::Ok());
        recorder.SetCaptureFormat(2);
        QVERIFY(recorder.OpenCaptureFile(CTestEnvironment::Instance().Root() + QStringLiteral("/no/such/folder/Temp.wav")));
        QCOMPARE(m_sink->Texts(), QStringList{"Can not create wav file -- Open"});
        QCOMPARE(recorder.CreateCaptureBuffer(recorder.GetCaptureFormat()), SoundResult::Ok());
        QCOMPARE(recorder.StartCapture(), SoundResult::Ok());
        CMicrophoneFeeder feeder(m_speech.left(88200));
        feeder.Start();
        QVERIFY(feeder.Wait());
        // The worker's write fails; its messages reach the user through the seam.
        const QString stopped = QStringLiteral("The recording stopped: the sound from the input device could not be saved.");
        QTRY_VERIFY(m_sink->Texts().contains(stopped));
        QVERIFY(!recorder.StopRecording());
        const QStringList texts = m_sink->Texts();
        QCOMPARE(texts.mid(0, 3), (QStringList{"Can not create wav file -- Open", "Write", stopped}));
    }

    void recorderDestroyedWhileRecording()
    {
        const QString path = tempWav();
        {
            CSoundRecorder recorder;
            QCOMPARE(recorder.InitCaptureDevice(), SoundResult::Ok());
            recorder.SetCaptureFormat(2);
            recorder.OpenCaptureFile(path);
            recorder.CreateCaptureBuffer(recorder.GetCaptureFormat());
            QCOMPARE(recorder.StartCapture(), SoundResult::Ok());
            CMicrophoneFeeder feeder(m_speech.left(44100));
            feeder.Start();
            QVERIFY(feeder.Wait());
            QTest::qWait(200);
        }  // no StopRecording: the worker must end with the recorder
        QVERIFY(QFile::exists(path));
        QVERIFY(m_sink->Texts().isEmpty());
    }
};

ORTHEX_TEST_MAIN(SoundRecorderTest)
#include "soundrecorder_test.moc"
