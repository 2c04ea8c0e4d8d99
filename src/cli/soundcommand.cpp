// orthex-cli sound: what a teacher runs when the microphone or the speakers do not work.
//   sound devices                               the input and output devices, the capture
//                                               device Orthex records from, and its level
//   sound record OUT.wav --seconds S [--rate R] records like the words page does
//   sound play FILE.wav                         plays a recording once, like the test page

#include "base/appsettings.h"
#include "cli/clicommand.h"
#include "sound/captureformat.h"
#include "sound/loadedsound.h"
#include "sound/microphonelevel.h"
#include "sound/soundplayer.h"
#include "sound/soundrecorder.h"
#include "sound/wavfile.h"

#include <QAudioDevice>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTimer>

namespace {

constexpr const char* kUsage =
    "sound devices\n"
    "sound record OUT.wav --seconds S [--rate R]\n"
    "sound play FILE.wav";
constexpr int kRates[CaptureFormat::kRateCount] = {48000, 44100, 22050, 11025, 8000};

const char* const kCheckMicrophone =
    "Check that a microphone is plugged in, that it is not muted, and that the sound server "
    "(PulseAudio or PipeWire) is running; 'orthex-cli sound devices' lists what Orthex sees.";

QString percent(quint32 volume, quint32 maximum)
{
    return QString::asprintf("%.0f %%", 100.0 * volume / maximum);
}

int RunDevices()
{
    CSoundRecorder::EnumerateCaptureDevices();
    const QByteArray chosenId = CSoundRecorder::GetCaptureDeviceId();
    const QAudioDevice defaultInput = QMediaDevices::defaultAudioInput();
    const QAudioDevice defaultOutput = QMediaDevices::defaultAudioOutput();
    QTextStream& out = Cli::Out();

    const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
    out << "Input devices:\n";
    if (inputs.isEmpty())
        out << "  (none)\n";
    for (const QAudioDevice& d : inputs) {
        const bool chosen = chosenId.isEmpty() ? d.id() == defaultInput.id() : d.id() == chosenId;
        out << (chosen ? "* " : "  ") << d.description() << " [" << d.id() << "]";
        if (d.id() == defaultInput.id())
            out << " (default)";
        out << "\n";
    }
    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    out << "Output devices:\n";
    if (outputs.isEmpty())
        out << "  (none)\n";
    for (const QAudioDevice& d : outputs) {
        out << (d.id() == defaultOutput.id() ? "* " : "  ") << d.description() << " [" << d.id() << "]";
        if (d.id() == defaultOutput.id())
            out << " (default: Orthex plays here)";
        out << "\n";
    }

    if (!chosenId.isEmpty()) {
        out << "Capture device: " << CSoundRecorder::GetCaptureDeviceName() << " [" << chosenId << "]\n";
    } else if (!defaultInput.isNull()) {
        out << "Capture device: the default input, " << defaultInput.description()
            << " (no input is described as \"Microphone\")\n";
    } else {
        out << "Capture device: none. " << kCheckMicrophone << "\n";
    }
    if (outputs.isEmpty())
        out << "Playback: no output device. Check that speakers or headphones are connected and the sound server is running.\n";

    const std::unique_ptr<IMicrophoneLevel> level = IMicrophoneLevel::Create();
    if (level->Open(CSoundRecorder::GetCaptureDeviceName(), chosenId)) {
        const std::optional<quint32> volume = level->Volume();
        if (!volume) {
            out << "Capture level: unknown (the sound server did not tell it)\n";
        } else {
            out << "Capture level: " << *volume << " of " << level->Maximum() << " ("
                << percent(*volume, level->Maximum()) << ")";
            if (*volume == 0)
                out << " - the microphone is turned down to nothing";
            out << "\n";
        }
    } else {
        out << "Capture level: unknown (the sound server has no source for the capture device)\n";
    }
    return (inputs.isEmpty() && outputs.isEmpty()) ? Cli::kFailed : Cli::kOk;
}

int RunRecord(const QStringList& args)
{
    QString path;
    double seconds = -1;
    int rate = CAppSettings().Rate();
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        bool ok = true;
        if (a == QLatin1String("--seconds") && i + 1 < args.size())
            seconds = args.at(++i).toDouble(&ok);
        else if (a == QLatin1String("--rate") && i + 1 < args.size())
            rate = args.at(++i).toInt(&ok);
        else if (!a.startsWith(QLatin1String("--")) && path.isEmpty())
            path = QDir::fromNativeSeparators(a);
        else
            ok = false;
        if (!ok)
            return Cli::Usage(kUsage);
    }
    if (path.isEmpty() || !(seconds > 0 && seconds <= 3600))
        return Cli::Usage(kUsage);
    if (rate < 0 || rate >= CaptureFormat::kRateCount) {
        Cli::Err() << "orthex-cli: --rate must be 0 (48000 Hz), 1 (44100 Hz), 2 (22050 Hz), 3 (11025 Hz) or 4 (8000 Hz)\n";
        return Cli::kUsage;
    }

    CSoundRecorder::EnumerateCaptureDevices();
    CSoundRecorder recorder;
    if (recorder.InitCaptureDevice().Failed()) {
        Cli::Err() << "orthex-cli: there is no capture device to record from. " << kCheckMicrophone << "\n";
        return Cli::kFailed;
    }
    recorder.SetCaptureFormat(rate);
    if (!recorder.HasCaptureBuffer()) {
        Cli::Err() << "orthex-cli: the capture device does not take " << kRates[rate]
                   << " Hz 16-bit stereo; try another --rate.\n";
        return Cli::kFailed;
    }
    recorder.OpenCaptureFile(path);
    if (recorder.CreateCaptureBuffer(recorder.GetCaptureFormat()).Failed() || recorder.StartCapture().Failed()) {
        Cli::Err() << "orthex-cli: recording did not start. " << kCheckMicrophone << "\n";
        recorder.StopRecording();
        return Cli::kFailed;
    }
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    if (!recorder.StopRecording()) {
        Cli::Err() << "orthex-cli: the recording could not be written to " << QDir::toNativeSeparators(path) << "\n";
        return Cli::kFailed;
    }

    CWavFile file;
    if (file.OpenForReading(path).Failed()) {
        Cli::Err() << "orthex-cli: the recording could not be written to " << QDir::toNativeSeparators(path) << "\n";
        return Cli::kFailed;
    }
    const qint64 length = file.GetDataSize();
    file.Close();
    const QString device = CSoundRecorder::GetCaptureDeviceName().isEmpty()
                               ? QStringLiteral("the default input")
                               : CSoundRecorder::GetCaptureDeviceName();
    if (length == 0) {
        // A file without sound is no recording: it is not kept.
        QFile::remove(path);
        Cli::Err() << "orthex-cli: no sound arrived from " << device << " in " << QString::number(seconds)
                   << " s, so nothing was recorded. " << kCheckMicrophone << "\n";
        return Cli::kFailed;
    }
    Cli::Out() << "Recorded " << QDir::toNativeSeparators(path) << " from " << device << ": "
               << kRates[rate] << " Hz, 16-bit stereo, data length " << length << " bytes ("
               << QString::asprintf("%.2f", double(length) / recorder.GetCaptureFormat().nAvgBytesPerSec)
               << " s)\n";
    return Cli::kOk;
}

int RunPlay(const QStringList& args)
{
    if (args.size() != 1 || args.at(0).startsWith(QLatin1String("--")))
        return Cli::Usage(kUsage);
    const QString path = QDir::fromNativeSeparators(args.at(0));
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile()) {
        Cli::Err() << "orthex-cli: " << shown << ": no such file\n";
        return Cli::kFailed;
    }
    // The same check as every recording that is played; the length comes from its format.
    CWavFile checked;
    QString whyNot;
    if (checked.OpenForPlaying(path, &whyNot).Failed()) {
        Cli::Err() << "orthex-cli: " << shown << " cannot be played: " << whyNot << ".\n";
        return Cli::kFailed;
    }
    const CWaveFormat format = checked.GetFormat();
    const double duration = double(checked.GetDataSize()) / format.nAvgBytesPerSec;
    // At most 100 MiB at 8000 Hz: about 13,000 s, well inside an int of milliseconds.
    const qint64 durationMs = checked.GetDataSize() * 1000 / format.nAvgBytesPerSec;
    checked.Close();

    CSoundPlayer player;
    if (!player.OpenOutputDevice()) {
        Cli::Err() << "orthex-cli: there is no output device to play on. Check that speakers or "
                      "headphones are connected and the sound server (PulseAudio or PipeWire) is running.\n";
        return Cli::kFailed;
    }
    if (!player.Load(path) || !player.GetLoadedSound()) {
        Cli::Err() << "orthex-cli: " << shown << " is not a WAV recording Orthex can play.\n";
        return Cli::kFailed;
    }
    CLoadedSound* sound = player.GetLoadedSound();
    if (player.Play().Failed()) {
        Cli::Err() << "Play Error\n";
        return Cli::kFailed;
    }
    if (!sound->WaitUntilDone(int(durationMs + 10000))) {
        Cli::Err() << "orthex-cli: playing " << shown << " did not finish; check the output device.\n";
        return Cli::kFailed;
    }
    Cli::Out() << "Played " << shown << " (" << format.nSamplesPerSec << " Hz, " << format.wBitsPerSample
               << "-bit, " << format.nChannels << (format.nChannels == 1 ? " channel, " : " channels, ")
               << QString::asprintf("%.2f", duration) << " s) on "
               << QMediaDevices::defaultAudioOutput().description() << "\n";
    return Cli::kOk;
}

int RunSound(const QStringList& args)
{
    if (args.isEmpty())
        return Cli::Usage(kUsage);
    const QString sub = args.at(0);
    const QStringList rest = args.mid(1);
    if (sub == QLatin1String("devices") && rest.isEmpty())
        return RunDevices();
    if (sub == QLatin1String("record"))
        return RunRecord(rest);
    if (sub == QLatin1String("play"))
        return RunPlay(rest);
    return Cli::Usage(kUsage);
}

}  // namespace

ORTHEX_CLI_COMMAND("sound", kUsage, &RunSound);
