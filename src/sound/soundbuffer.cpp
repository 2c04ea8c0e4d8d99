#include "sound/soundbuffer.h"

#include "sound/wavfile.h"

#include <QAudioSink>

CSoundBuffer::CSoundBuffer(const QAudioDevice& device, const QAudioFormat& format, qint64 size,
                           char silence)
    : m_device(device)
    , m_format(format)
    , m_silence(silence)
    , m_data(static_cast<qsizetype>(size), silence)
{
    m_reader.setBuffer(&m_data);
}

CSoundBuffer::~CSoundBuffer()
{
    if (m_sink)
        m_sink->stop();
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
    if (m_sink)
        m_sink->stop();
    m_sink.reset();
    m_bEnded = false;
    m_sink = std::make_unique<QAudioSink>(m_device, m_format);
    QObject::connect(m_sink.get(), &QAudioSink::stateChanged, m_sink.get(),
                     [this](QAudio::State) { OnStateChanged(); });
    if (m_reader.isOpen())
        m_reader.close();
    m_reader.open(QIODevice::ReadOnly);
    m_reader.seek(m_nPosition);
    m_nStartPosition = m_nPosition;
    m_sink->start(&m_reader);
    if (m_sink->error() != QAudio::NoError) {
        m_sink.reset();
        return SoundError::DeviceStopped;
    }
    return SoundResult::Ok();
}

void CSoundBuffer::OnStateChanged()
{
    // Idle: everything was handed to the device and the play is over; the stream stays until
    // the next Play or Stop, so that its last sound is still heard. An error ends a play too.
    const QAudio::State state = m_sink->state();
    if (state == QAudio::IdleState || (state == QAudio::StoppedState && m_sink->error() != QAudio::NoError)) {
        m_nPosition = 0;
        m_bEnded = true;
    }
}

SoundResult CSoundBuffer::Stop()
{
    if (m_sink) {
        if (IsPlaying())
            m_nPosition = PlayedPosition();
        m_sink->stop();
        m_sink.reset();
    }
    return SoundResult::Ok();
}

SoundResult CSoundBuffer::SetPosition(qint64 position)
{
    const bool playing = IsPlaying();
    if (m_sink) {
        m_sink->stop();
        m_sink.reset();
    }
    m_nPosition = qBound<qint64>(0, position, m_data.size());
    return playing ? Play() : SoundResult::Ok();
}

bool CSoundBuffer::IsPlaying() const
{
    return m_sink && !m_bEnded && m_sink->state() == QAudio::ActiveState;
}

qint64 CSoundBuffer::TailMilliseconds() const
{
    return m_sink ? m_format.durationForBytes(static_cast<qint32>(m_sink->bufferSize())) / 1000 : 0;
}

qint64 CSoundBuffer::Position() const
{
    return IsPlaying() ? PlayedPosition() : m_nPosition;
}
