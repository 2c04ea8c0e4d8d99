#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

#include <atomic>
#include <memory>
#include <thread>

// The private PulseAudio server that scripts/with-test-audio starts around AUDIO tests: a
// "Microphone" source fed from a FIFO (s16le, 22050 Hz, stereo) and a "Speaker" null sink.
namespace TestAudio {
constexpr int kMicRate = 22050;
constexpr int kMicChannels = 2;
constexpr int kMicBytesPerSecond = kMicRate * kMicChannels * 2;

// Empty when the server is there; otherwise why not.
QString UnavailableReason();
inline bool Available() { return UnavailableReason().isEmpty(); }

QString MicFifo();
QByteArray MicSourceName();       // "mic"
QByteArray SpeakerSinkName();     // "speaker"
QByteArray SpeakerMonitorName();  // "speaker.monitor"

// Speech said by espeak-ng, as raw signed 16-bit little-endian samples at the rate and
// channel count (converted by sox). Empty on failure, with the reason in *error.
QByteArray Speech(const QString& text, int rate = kMicRate, int channels = kMicChannels,
                  QString* error = nullptr);

// The largest absolute sample value of raw s16le sound.
int Peak(const QByteArray& s16le);
// Whether raw s16le sound holds more than `minSamples` samples louder than `threshold`.
bool HasSound(const QByteArray& s16le, int threshold = 500, int minSamples = 100);

// Runs pactl against the test server; its standard output, and its exit code in *exitCode.
QString Pactl(const QStringList& arguments, int* exitCode = nullptr);
// The microphone's volume as pactl reports it for its first channel (-1 when it cannot), and
// setting it.
int MicVolume();
void SetMicVolume(int volume);
}  // namespace TestAudio

// Skips the test (never passes it) when there is no test audio server.
#define ORTHEX_REQUIRE_TEST_AUDIO()                                                           \
    do {                                                                                      \
        if (!TestAudio::Available())                                                          \
            QSKIP(qPrintable(QStringLiteral("no PulseAudio test server: ")                    \
                             + TestAudio::UnavailableReason()));                              \
    } while (false)

// Speaks into the test microphone: writes raw sound (s16le, 22050 Hz, stereo) into its FIFO
// from a thread of its own, at the pace a real microphone would deliver it.
class CMicrophoneFeeder
{
public:
    explicit CMicrophoneFeeder(QByteArray pcm, int bytesPerSecond = TestAudio::kMicBytesPerSecond);
    ~CMicrophoneFeeder();  // waits for the writing to end
    CMicrophoneFeeder(const CMicrophoneFeeder&) = delete;
    CMicrophoneFeeder& operator=(const CMicrophoneFeeder&) = delete;

    void Start();
    // Ends the writing early, at the next piece, and waits for that.
    void Stop();
    // Runs the event loop until everything was written (true) or the time-out passed.
    bool Wait(int timeoutMs = 30000);
    bool Failed() const { return m_bFailed.load(); }
    qint64 Written() const { return m_nWritten.load(); }

private:
    QByteArray m_pcm;
    int m_nBytesPerSecond;
    std::thread m_thread;
    std::atomic<bool> m_bDone{false};
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bFailed{false};
    std::atomic<qint64> m_nWritten{0};
};

// Records what reaches the "Speaker" sink (its monitor) with parec, as raw s16le.
class CSpeakerCapture
{
public:
    CSpeakerCapture();
    ~CSpeakerCapture();
    CSpeakerCapture(const CSpeakerCapture&) = delete;
    CSpeakerCapture& operator=(const CSpeakerCapture&) = delete;

    // Starts recording; false when parec does not start.
    bool Start(int rate = TestAudio::kMicRate, int channels = TestAudio::kMicChannels);
    // Stops and returns everything recorded.
    QByteArray Stop();

private:
    std::unique_ptr<QProcess> m_process;
};
