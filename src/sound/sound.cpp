#include "sound/sound.h"

#include "sound/soundbuffer.h"
#include "sound/wavfile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QThread>

#include <cmath>

CSound::CSound(std::vector<std::unique_ptr<CSoundBuffer>> buffers, qint64 bufferSize,
               std::unique_ptr<CWavFile> file, quint32 creationFlags)
    : m_apDSBuffer(std::move(buffers))
    , m_dwDSBufferSize(bufferSize)
    , m_pWaveFile(std::move(file))
    , m_dwCreationFlags(creationFlags)
{
    if (!m_apDSBuffer.empty() && m_pWaveFile)
        m_apDSBuffer.front()->Fill(*m_pWaveFile);
}

CSound::~CSound() = default;

const CWaveFormat& CSound::GetFormat() const
{
    static const CWaveFormat none;
    return m_pWaveFile ? m_pWaveFile->GetFormat() : none;
}

SoundResult::Code CSound::Play(quint32, quint32, qint32 volume, qint32, qint32)
{
    if (m_apDSBuffer.empty())
        return SoundResult::kNotInitialized;
    CSoundBuffer* buffer = nullptr;
    for (const auto& b : m_apDSBuffer) {
        if (!b->IsPlaying()) {
            buffer = b.get();
            break;
        }
    }
    if (!buffer)
        buffer = m_apDSBuffer[QRandomGenerator::global()->bounded(static_cast<quint32>(m_apDSBuffer.size()))].get();
    if (m_dwCreationFlags & kCtrlVolume)
        buffer->SetVolume(static_cast<float>(std::pow(10.0, qBound(-10000, volume, 0) / 2000.0)));
    return buffer->Play();
}

SoundResult::Code CSound::Stop()
{
    if (m_apDSBuffer.empty())
        return SoundResult::kNotInitialized;
    SoundResult::Code result = SoundResult::kOk;
    for (const auto& b : m_apDSBuffer)
        result |= b->Stop();
    return result;
}

SoundResult::Code CSound::Reset()
{
    if (m_apDSBuffer.empty())
        return SoundResult::kNotInitialized;
    SoundResult::Code result = SoundResult::kOk;
    for (const auto& b : m_apDSBuffer)
        result |= b->SetPosition(0);
    return result;
}

bool CSound::IsSoundPlaying() const
{
    for (const auto& b : m_apDSBuffer)
        if (b->IsPlaying())
            return true;
    return false;
}

qint64 CSound::GetPlayPosition(int buffer) const
{
    if (buffer < 0 || buffer >= GetBufferCount())
        return 0;
    return m_apDSBuffer[static_cast<size_t>(buffer)]->Position();
}

bool CSound::WaitUntilDone(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (IsSoundPlaying()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    qint64 tail = 0;
    for (const auto& b : m_apDSBuffer)
        tail = qMax(tail, b->TailMilliseconds());
    QDeadlineTimer heard(qMin<qint64>(tail + 100, qMax<qint64>(0, deadline.remainingTime())));
    while (!heard.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}
