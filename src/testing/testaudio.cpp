#include "testing/testaudio.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <cerrno>
#include <chrono>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

QString TestAudio::UnavailableReason()
{
    if (qEnvironmentVariable("ORTHEX_TEST_AUDIO") == QLatin1String("1") && !MicFifo().isEmpty())
        return QString();
    const QString reason = qEnvironmentVariable("ORTHEX_TEST_AUDIO_REASON");
    return reason.isEmpty() ? QStringLiteral("not run under scripts/with-test-audio") : reason;
}

QString TestAudio::MicFifo()
{
    return qEnvironmentVariable("ORTHEX_TEST_MIC_FIFO");
}

QByteArray TestAudio::MicSourceName()
{
    const QByteArray name = qgetenv("ORTHEX_TEST_MIC_SOURCE");
    return name.isEmpty() ? QByteArray("mic") : name;
}

QByteArray TestAudio::SpeakerSinkName()
{
    const QByteArray name = qgetenv("ORTHEX_TEST_SPEAKER_SINK");
    return name.isEmpty() ? QByteArray("speaker") : name;
}

QByteArray TestAudio::SpeakerMonitorName()
{
    return SpeakerSinkName() + ".monitor";
}

QByteArray TestAudio::Speech(const QString& text, int rate, int channels, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return QByteArray();
    };
    QTemporaryDir dir;
    if (!dir.isValid())
        return fail(QStringLiteral("no temporary folder"));
    const QString wav = dir.filePath(QStringLiteral("speech.wav"));
    const QString raw = dir.filePath(QStringLiteral("speech.raw"));
    if (QProcess::execute(QStringLiteral("espeak-ng"), {QStringLiteral("-w"), wav, text}) != 0)
        return fail(QStringLiteral("espeak-ng failed (is it installed?)"));
    const QStringList soxArgs = {wav,
                                 QStringLiteral("-t"), QStringLiteral("raw"),
                                 QStringLiteral("-e"), QStringLiteral("signed-integer"),
                                 QStringLiteral("-b"), QStringLiteral("16"),
                                 QStringLiteral("-L"),
                                 QStringLiteral("-r"), QString::number(rate),
                                 QStringLiteral("-c"), QString::number(channels), raw};
    if (QProcess::execute(QStringLiteral("sox"), soxArgs) != 0)
        return fail(QStringLiteral("sox failed (is it installed?)"));
    QFile file(raw);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("sox wrote nothing"));
    return file.readAll();
}

int TestAudio::Peak(const QByteArray& s16le)
{
    int peak = 0;
    for (qsizetype i = 0; i + 1 < s16le.size(); i += 2) {
        const qint16 v = static_cast<qint16>(static_cast<uchar>(s16le[i]) | static_cast<uchar>(s16le[i + 1]) << 8);
        peak = qMax(peak, std::abs(static_cast<int>(v)));
    }
    return peak;
}

bool TestAudio::HasSound(const QByteArray& s16le, int threshold, int minSamples)
{
    int loud = 0;
    for (qsizetype i = 0; i + 1 < s16le.size(); i += 2) {
        const qint16 v = static_cast<qint16>(static_cast<uchar>(s16le[i]) | static_cast<uchar>(s16le[i + 1]) << 8);
        if (std::abs(static_cast<int>(v)) > threshold && ++loud > minSamples)
            return true;
    }
    return false;
}

QString TestAudio::Pactl(const QStringList& arguments, int* exitCode)
{
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    process.waitForFinished(10000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput());
}

int TestAudio::MicVolume()
{
    const QString out = Pactl({QStringLiteral("get-source-volume"), QString::fromLatin1(MicSourceName())});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral(":\\s*(\\d+)\\s*/")).match(out);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

void TestAudio::SetMicVolume(int volume)
{
    Pactl({QStringLiteral("set-source-volume"), QString::fromLatin1(MicSourceName()), QString::number(volume)});
}

// --- CMicrophoneFeeder ----------------------------------------------------------------------

CMicrophoneFeeder::CMicrophoneFeeder(QByteArray pcm, int bytesPerSecond)
    : m_pcm(std::move(pcm))
    , m_nBytesPerSecond(bytesPerSecond)
{
}

CMicrophoneFeeder::~CMicrophoneFeeder()
{
    if (m_thread.joinable())
        m_thread.join();
}

void CMicrophoneFeeder::Start()
{
    m_bDone = false;
    m_bStop = false;
    m_thread = std::thread([this] {
        const QByteArray path = QFile::encodeName(TestAudio::MicFifo());
        // The test script holds the FIFO open for reading too, so this never blocks. Writes do
        // not block either, so that Stop is prompt while nobody records and the FIFO is full.
        const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            m_bFailed = true;
            m_bDone = true;
            return;
        }
        // Twentieths of a second, each written when a real microphone would have heard it.
        const qint64 chunk = qMax(4, m_nBytesPerSecond / 20 / 4 * 4);
        const auto start = std::chrono::steady_clock::now();
        qint64 at = 0;
        while (at < m_pcm.size() && !m_bStop) {
            const qint64 n = qMin(chunk, m_pcm.size() - at);
            const ssize_t written = ::write(fd, m_pcm.constData() + at, static_cast<size_t>(n));
            if (written < 0 && errno == EAGAIN) {
                // The FIFO is full: the server reads nothing while nobody records.
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                continue;
            }
            if (written <= 0) {
                m_bFailed = true;
                break;
            }
            at += written;
            m_nWritten = at;
            std::this_thread::sleep_until(start + std::chrono::milliseconds(at * 1000 / m_nBytesPerSecond));
        }
        ::close(fd);
        m_bDone = true;
    });
}

void CMicrophoneFeeder::Stop()
{
    m_bStop = true;
    if (m_thread.joinable())
        m_thread.join();
}

bool CMicrophoneFeeder::Wait(int timeoutMs)
{
    return QTest::qWaitFor([this] { return m_bDone.load(); }, timeoutMs);
}

// --- CSpeakerCapture ------------------------------------------------------------------------

CSpeakerCapture::CSpeakerCapture() = default;

CSpeakerCapture::~CSpeakerCapture()
{
    Stop();
}

bool CSpeakerCapture::Start(int rate, int channels)
{
    Stop();
    m_process = std::make_unique<QProcess>();
    m_process->start(QStringLiteral("parec"),
                     {QStringLiteral("--raw"), QStringLiteral("--device=") + QString::fromLatin1(TestAudio::SpeakerMonitorName()),
                      QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(rate),
                      QStringLiteral("--channels=%1").arg(channels), QStringLiteral("--latency-msec=20")});
    if (!m_process->waitForStarted(5000)) {
        m_process.reset();
        return false;
    }
    return true;
}

QByteArray CSpeakerCapture::Stop()
{
    if (!m_process)
        return {};
    QByteArray bytes = m_process->readAllStandardOutput();
    m_process->terminate();
    if (!m_process->waitForFinished(5000)) {
        m_process->kill();
        m_process->waitForFinished(5000);
    }
    bytes += m_process->readAllStandardOutput();
    m_process.reset();
    return bytes;
}
