#include "sound/soundplayer.h"

#include "base/messages.h"
#include "sound/audioformatmap.h"
#include "sound/loadedsound.h"
#include "sound/recordingcheck.h"
#include "sound/soundbuffer.h"
#include "sound/wavfile.h"

#include <QAudioFormat>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>

CSoundPlayer::CSoundPlayer() = default;

CSoundPlayer::~CSoundPlayer() = default;

bool CSoundPlayer::OpenOutputDevice()
{
    m_pSound.reset();
    m_device = QMediaDevices::defaultAudioOutput();
    if (m_device.isNull()) {
        Messages::Show(QStringLiteral("The sound server (PulseAudio or PipeWire) offers no output device to play on. "
                                      "Check that speakers or headphones are connected."),
                       MessageIcon::Exclamation);
        return false;
    }
    const std::optional<QAudioFormat> mixed = AudioFormatMap::ToAudioFormat(CWaveFormat::Pcm(2, 48000, 16));
    if (!mixed || !m_device.isFormatSupported(*mixed)) {
        Messages::Show(QStringLiteral("The output device \"%1\" cannot play 2-channel 16-bit sound at 48000 Hz.")
                           .arg(m_device.description()),
                       MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void CSoundPlayer::Unload()
{
    if (m_pSound) {
        m_pSound->Stop();
        m_pSound->Rewind();
        m_pSound.reset();
    }
}

bool CSoundPlayer::Load(const QString& path)
{
    m_strPath = path;
    Unload();
    const QFileInfo info(m_strPath);
    if (m_strPath.isEmpty() || !info.exists() || !info.isFile())
        return true;
    if (info.size() > RecordingCheck::kMaxBytes) {
        Messages::Show(QStringLiteral("File too large.  You should stream large files."));
        return false;
    }
    QString whyNot;
    if (LoadFile(&whyNot).Failed()) {
        m_pSound.reset();
        QString text = QStringLiteral("Could not create sound buffer.");
        if (!whyNot.isEmpty())
            text += QStringLiteral("\n\n\"%1\" cannot be played: %2.").arg(QDir::toNativeSeparators(m_strPath), whyNot);
        Messages::Show(text);
        return false;
    }
    return true;
}

SoundResult CSoundPlayer::LoadFile(QString* whyNot)
{
    if (m_device.isNull())
        return SoundError::NotReady;
    auto file = std::make_unique<CWavFile>();
    if (const SoundResult opened = file->OpenForPlaying(m_strPath, whyNot); opened.Failed())
        return opened;
    const std::optional<QAudioFormat> format = AudioFormatMap::ToAudioFormat(file->GetFormat());
    const char silence = AudioFormatMap::SilenceByte(file->GetFormat());
    auto buffer = std::make_unique<CSoundBuffer>(m_device, *format, file->GetDataSize(), silence);
    m_pSound = std::make_unique<CLoadedSound>(std::move(buffer), std::move(file));
    return SoundResult::Ok();
}

SoundResult CSoundPlayer::Play()
{
    if (!m_pSound)
        return SoundError::NotReady;
    return m_pSound->Play();
}
