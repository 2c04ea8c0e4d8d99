#include "sound/soundbuffer.h"

#include "sound/wavfile.h"

#include <QAudioSink>

namespace {
// Qt hands each write to PulseAudio as one memory block; a piece this size fits in one.
constexpr qint64 kPieceBytes = 32768;
constexpr int kFeedMs = 20;
}  // namespace

CSoundBuffer::CSoundBuffer(const QAudioDevice& device, const QAudioFormat& format, qint64 size,
                           char silence)
    : m_device(device)
    , m_format(format)
    , m_silence(silence)
    , m_data(static_cast<qsizetype>(size), silence)
{
    m_feeder.setInterval(kFeedMs);
    QObject::connect(&m_feeder, &QTimer::timeout, [this] {
        if (m_sink)
            Feed(m_sink->bytesFree());
    });
}

CSoundBuffer::~CSoundBuffer()
{
    CloseStream();
}

void CSoundBuffer::Fill(CWavFile& file)
{
    file.Rewind();
    const qint64 read = qMax<qint64>(0, file.Read(m_data.data(), m_data.size()));
    if (read < m_data.size())
        std::fill(m_data.begin() + read, m_data.end(), m_silence);
}

qint64 CSoundBuffer::PlayedPosition() const
{
    if (!m_sink)
        return m_nPosition;
    qint64 played = m_format.bytesForDuration(m_sink->processedUSecs());
    const int frame = m_format.bytesPerFrame();
    if (frame > 0)
        played -= played % frame;
    return qMin(m_nStartPosition + played, m_data.size());
}

SoundResult CSoundBuffer::Play()
{
    if (IsPlaying())
        return SoundResult::Ok();
    if (m_nPosition >= m_data.size())
        m_nPosition = 0;
    CloseStream();
    m_bEnded = false;
    m_sink = std::make_unique<QAudioSink>(m_device, m_format);
    // The sound is written into the stream at the press: a stream that pulls it asks for its
    // first piece only on its first 20 ms tick. Only as much as the stream asks for: PulseAudio
    // skips the start of a sound written far beyond that.
    m_pStream = m_sink->start();
    if (!m_pStream || m_sink->error() != QAudio::NoError) {
        CloseStream();
        return SoundError::DeviceStopped;
    }
    QObject::connect(m_sink.get(), &QAudioSink::stateChanged, m_sink.get(),
                     [this](QAudio::State) { OnStateChanged(); });
    m_nStartPosition = m_nPosition;
    m_nFed = m_nPosition;
    Feed(m_sink->bytesFree());
    if (m_nFed < m_data.size())
        m_feeder.start();
    return SoundResult::Ok();
}

void CSoundBuffer::Feed(qint64 most)
{
    if (!m_pStream)
        return;
    const qint64 frame = qMax(1, m_format.bytesPerFrame());
    const qint64 piece = kPieceBytes - kPieceBytes % frame;
    qint64 left = qMin(most, m_data.size() - m_nFed);
    left -= left % frame;
    while (left > 0) {
        const qint64 written = m_pStream->write(m_data.constData() + m_nFed, qMin(left, piece));
        if (written <= 0)
            return;
        m_nFed += written;
        left -= written;
    }
    // A last piece shorter than a frame cannot be played.
    if (m_data.size() - m_nFed >= frame)
        return;
    m_nFed = m_data.size();
    m_feeder.stop();
    // The stream starts playing only once it holds what it asks for (PulseAudio's
    // pre-buffering): silence after the end fills it, so that a short word plays too.
    qint64 silence = m_sink->bytesFree();
    silence -= silence % frame;
    if (silence > 0)
        m_pStream->write(QByteArray(static_cast<qsizetype>(silence), m_silence));
}

void CSoundBuffer::OnStateChanged()
{
    // The stream goes idle once it has played all it was handed; with the whole sound handed
    // over, the play is over. The stream stays until the next Play or Stop, so that its last
    // sound is still heard. An error ends a play too.
    const QAudio::State state = m_sink->state();
    const bool played = state == QAudio::IdleState && m_nFed >= m_data.size();
    if (played || (state == QAudio::StoppedState && m_sink->error() != QAudio::NoError)) {
        m_feeder.stop();
        m_nPosition = 0;
        m_bEnded = true;
    }
}

void CSoundBuffer::CloseStream()
{
    m_feeder.stop();
    m_pStream = nullptr;
    if (m_sink)
        m_sink->stop();
    m_sink.reset();
}

SoundResult CSoundBuffer::Stop()
{
    if (m_sink) {
        if (IsPlaying())
            m_nPosition = PlayedPosition();
        CloseStream();
    }
    return SoundResult::Ok();
}

SoundResult CSoundBuffer::SetPosition(qint64 position)
{
    const bool playing = IsPlaying();
    CloseStream();
    m_nPosition = qBound<qint64>(0, position, m_data.size());
    return playing ? Play() : SoundResult::Ok();
}

bool CSoundBuffer::IsPlaying() const
{
    return m_sink && !m_bEnded && m_sink->state() != QAudio::StoppedState;
}

qint64 CSoundBuffer::TailMilliseconds() const
{
    return m_sink ? m_format.durationForBytes(static_cast<qint32>(m_sink->bufferSize())) / 1000 : 0;
}

qint64 CSoundBuffer::Position() const
{
    return IsPlaying() ? PlayedPosition() : m_nPosition;
}
