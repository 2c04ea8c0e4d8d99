// "Listen to Word" on the test page: the time from the press to the first sound at the speaker,
// recorded from the test audio server's speaker monitor (run inside scripts/with-test-audio).
// The word is a tone loud from its first sample (22050 Hz 16-bit stereo, as words are
// recorded). Median of 8 presses each: the player loading the word at the press, the player
// playing a word loaded when it was asked, the real test page's Listen button, and paplay
// started at the press for comparison; and a bare Qt output stream started at the press that
// pulls the sound (as the player did before: its first pull comes on a 20 ms tick) or is handed
// it at once (push mode, as the player does now), and one kept open before the press. Aim:
// under 50 ms. ORTHEX_LISTEN_STEPS=1 prints how long loading and starting took at each press;
// ORTHEX_LISTEN_PIECE_MS sets the monitor's piece.

#include "base/appsettings.h"
#include "sound/audiobackend.h"
#include "sound/loadedsound.h"
#include "sound/soundplayer.h"
#include "testing/testaudio.h"
#include "testing/testenvironment.h"
#include "testing/testsupport.h"
#include "testtaking/test.h"
#include "widgets/pagecommands.h"
#include "testing/testwav.h"

#include <QApplication>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kPresses = 8;
constexpr int kRate = 48000;
constexpr int kThreshold = 1000;

// The monitor's piece length: ORTHEX_LISTEN_PIECE_MS, 1 ms unless given. A null sink renders as
// often as its listeners ask, so a longer piece shows a sink that is not pushed to run fast.
int PieceMs()
{
    const int ms = qEnvironmentVariableIntValue("ORTHEX_LISTEN_PIECE_MS");
    return ms > 0 ? ms : 1;
}

// Reads the speaker's monitor in 1 ms pieces and notes when the first loud sample came after
// it was armed.
class CMonitor
{
public:
    bool Open()
    {
        pa_sample_spec spec{PA_SAMPLE_S16LE, kRate, 1};
        pa_buffer_attr attr{};
        attr.maxlength = uint32_t(-1);
        attr.fragsize = uint32_t(kRate / 1000 * 2 * PieceMs());
        int error = 0;
        const QByteArray monitor = TestAudio::SpeakerMonitorName();
        m_pulse = pa_simple_new(nullptr, "listen_bench", PA_STREAM_RECORD, monitor.constData(), "monitor", &spec,
                                nullptr, &attr, &error);
        if (!m_pulse) {
            std::fprintf(stderr, "cannot record %s: %s\n", monitor.constData(), pa_strerror(error));
            return false;
        }
        m_thread = std::thread([this] { Run(); });
        return true;
    }
    ~CMonitor()
    {
        m_bQuit = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_pulse)
            pa_simple_free(m_pulse);
    }
    void Arm()
    {
        m_bHeard = false;
        m_bArmed = true;
    }
    bool Heard() const { return m_bHeard; }
    Clock::time_point HeardAt() const { return m_heardAt; }

private:
    void Run()
    {
        std::vector<qint16> piece(kRate / 1000 * PieceMs());
        while (!m_bQuit) {
            int error = 0;
            if (pa_simple_read(m_pulse, piece.data(), piece.size() * 2, &error) < 0)
                return;
            const Clock::time_point now = Clock::now();
            const auto loud = std::find_if(piece.begin(), piece.end(), [](qint16 s) { return std::abs(s) > kThreshold; });
            if (loud == piece.end())
                continue;
            m_lastSound = now.time_since_epoch().count();
            if (m_bArmed) {
                // The first loud sample came this many samples before the end of the piece.
                const auto after = std::chrono::microseconds((piece.end() - loud) * 1000000LL / kRate);
                m_heardAt = now - after;
                m_bArmed = false;
                m_bHeard = true;
            }
        }
    }

    pa_simple* m_pulse = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_bQuit{false};
    std::atomic<bool> m_bArmed{false};
    std::atomic<bool> m_bHeard{false};
    std::atomic<Clock::rep> m_lastSound{0};
    Clock::time_point m_heardAt;
};

void pump(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

double median(std::vector<double> times)
{
    std::printf("  presses in order (ms):");
    for (double t : times)
        std::printf(" %.1f", t);
    std::printf("\n");
    std::sort(times.begin(), times.end());
    return (times[kPresses / 2 - 1] + times[kPresses / 2]) / 2;
}

bool waitHeard(const CMonitor& monitor)
{
    QElapsedTimer waited;
    waited.start();
    while (!monitor.Heard() && waited.elapsed() < 3000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::usleep(200);
    }
    return monitor.Heard();
}

// The same file played by paplay, started at the press: what the speaker allows.
double measurePaplay(CMonitor& monitor, const QString& path)
{
    std::vector<double> times;
    for (int i = 0; i < kPresses; ++i) {
        pump(300);
        QProcess paplay;
        monitor.Arm();
        const Clock::time_point pressed = Clock::now();
        paplay.start(QStringLiteral("paplay"), {path});
        if (!waitHeard(monitor))
            return -1;
        times.push_back(std::chrono::duration<double, std::milli>(monitor.HeardAt() - pressed).count());
        paplay.waitForFinished(3000);
    }
    return median(times);
}

// How a bare Qt output stream gets the sound at the press.
enum class EStream
{
    Pulled,      // it pulls the sound on its first 20 ms tick, as the player used to
    Pushed,      // it is handed the sound at once (push mode), as the player does
    PushedKept,  // the same, the stream started before the press and kept open
};

double measureStream(CMonitor& monitor, const QByteArray& wav, EStream how)
{
    QAudioFormat format;
    format.setSampleRate(22050);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    QByteArray pcm = wav.mid(44);
    QBuffer pulled(&pcm);
    std::vector<double> times;
    std::unique_ptr<QAudioSink> sink;
    QIODevice* out = nullptr;
    const auto open = [&] {
        sink = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), format);
        if (how == EStream::Pulled) {
            pulled.open(QIODevice::ReadOnly);
            sink->start(&pulled);
        } else {
            out = sink->start();
        }
    };
    for (int i = 0; i < kPresses; ++i) {
        if (how == EStream::PushedKept && !sink)
            open();
        pump(300);
        monitor.Arm();
        const Clock::time_point pressed = Clock::now();
        if (how != EStream::PushedKept)
            open();
        if (out)
            out->write(pcm);
        if (sink->error() != QAudio::NoError || !waitHeard(monitor))
            return -1;
        times.push_back(std::chrono::duration<double, std::milli>(monitor.HeardAt() - pressed).count());
        pump(500);
        if (how != EStream::PushedKept) {
            sink.reset();
            pulled.close();
        }
    }
    return median(times);
}

class CNoCommands : public IPageCommandTarget
{
public:
    void PostPageCommand(PageCommand) override {}
};

// Listen to Word pressed on the test page, the word asked from a real list file.
double measurePage(CMonitor& monitor, const QByteArray& wav)
{
    const QString list = TestSupport::MakeList(QStringLiteral("Tone.orthex"), {QStringLiteral("tone")}, {wav});
    auto doc = TestSupport::MakeDocument(QStringLiteral("pupil"), list);
    CNoCommands commands;
    CAppSettings settings;
    settings.SetAutoPlay(0);
    CTest page(*doc, commands, settings);
    page.show();
    page.OnInitialUpdate();
    page.Session().SetRecordingFolder(TestSupport::NewFolder(QStringLiteral("recordings")));
    page.StartButton()->click();
    std::vector<double> times;
    for (int i = 0; i < kPresses; ++i) {
        pump(300);
        monitor.Arm();
        const Clock::time_point pressed = Clock::now();
        page.ListenButton()->click();
        if (!waitHeard(monitor))
            return -1;
        times.push_back(std::chrono::duration<double, std::milli>(monitor.HeardAt() - pressed).count());
        if (CLoadedSound* sound = page.Player().GetLoadedSound())
            sound->WaitUntilDone(3000);
    }
    return median(times);
}

// Presses kPresses times; loadAtPress: the press loads the word first, as today's test page
// did. Returns the median in ms, or -1.
double measure(CMonitor& monitor, const QString& path, bool loadAtPress)
{
    CSoundPlayer player;
    if (!player.OpenOutputDevice())
        return -1;
    std::vector<double> times;
    for (int i = 0; i < kPresses; ++i) {
        if (!loadAtPress)
            player.Load(path);  // when the word is asked
        pump(300);              // the pupil reads the page; the speaker is silent again
        monitor.Arm();
        const Clock::time_point pressed = Clock::now();
        if (loadAtPress)
            player.Load(path);
        const Clock::time_point loaded = Clock::now();
        if (player.Play().Failed())
            return -1;
        const Clock::time_point started = Clock::now();
        if (std::getenv("ORTHEX_LISTEN_STEPS"))
            std::printf("    load %.1f ms, play %.1f ms\n", std::chrono::duration<double, std::milli>(loaded - pressed).count(),
                        std::chrono::duration<double, std::milli>(started - loaded).count());
        if (!waitHeard(monitor))
            return -1;
        times.push_back(std::chrono::duration<double, std::milli>(monitor.HeardAt() - pressed).count());
        if (player.GetLoadedSound())
            player.GetLoadedSound()->WaitUntilDone(3000);
    }
    return median(times);
}
}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    CTestEnvironment environment;
    QApplication app(argc, argv);
    const CAudioBackendScope audio;
    if (!TestAudio::Available()) {
        std::printf("listen_bench: skipped, no PulseAudio test server: %s\n",
                    qPrintable(TestAudio::UnavailableReason()));
        return 0;
    }
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Temp.wav"));
    QFile file(path);
    const QByteArray wav = TestWav::Pcm16(TestWav::Tone(0.4), 22050, 2);
    if (!file.open(QIODevice::WriteOnly) || file.write(wav) < 0)
        return 1;
    file.close();
    CMonitor monitor;
    if (!monitor.Open())
        return 1;
    // An idle null sink renders in blocks of up to 2 s; a block it began before the monitor
    // asked for small pieces ends first, so the first press would wait for it.
    pump(2500);
    std::printf("Listen to Word, press to first sound at the speaker, median of %d:\n", kPresses);
    const double atPress = measure(monitor, path, true);
    std::printf("loaded at the press:     %.1f ms\n", atPress);
    const double asked = measure(monitor, path, false);
    std::printf("loaded when asked:       %.1f ms\n", asked);
    const double page = measurePage(monitor, wav);
    std::printf("on the test page:        %.1f ms\n", page);
    std::printf("Qt stream, pulled:       %.1f ms\n", measureStream(monitor, wav, EStream::Pulled));
    std::printf("Qt stream, pushed:       %.1f ms\n", measureStream(monitor, wav, EStream::Pushed));
    std::printf("Qt stream, pushed, kept: %.1f ms\n", measureStream(monitor, wav, EStream::PushedKept));
    const double paplay = measurePaplay(monitor, path);
    std::printf("paplay, for comparison:  %.1f ms\n", paplay);
    return atPress < 0 || asked < 0 || page < 0 ? 1 : 0;
}
