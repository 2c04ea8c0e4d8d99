#include "sound/loadedsound.h"

#include "sound/soundbuffer.h"
#include "sound/wavfile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

CLoadedSound::CLoadedSound(std::unique_ptr<CSoundBuffer> buffer, std::unique_ptr<CWavFile> file)
    : m_pBuffer(std::move(buffer))
    , m_pWaveFile(std::move(file))
{
    m_pBuffer->Fill(*m_pWaveFile);
}

CLoadedSound::~CLoadedSound() = default;

const CWaveFormat& CLoadedSound::GetFormat() const
{
    return m_pWaveFile->GetFormat();
}

qint64 CLoadedSound::GetDataSize() const
{
    return m_pWaveFile->GetDataSize();
}

SoundResult CLoadedSound::Play()
{
    return m_pBuffer->Play();
}

SoundResult CLoadedSound::Stop()
{
    return m_pBuffer->Stop();
}

SoundResult CLoadedSound::Rewind()
{
    return m_pBuffer->SetPosition(0);
}

bool CLoadedSound::IsPlaying() const
{
    return m_pBuffer->IsPlaying();
}

qint64 CLoadedSound::GetPlayPosition() const
{
    return m_pBuffer->Position();
}

bool CLoadedSound::WaitUntilDone(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (IsPlaying()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    const qint64 tail = m_pBuffer->TailMilliseconds();
    QDeadlineTimer heard(qMin<qint64>(tail + 100, qMax<qint64>(0, deadline.remainingTime())));
    while (!heard.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}
