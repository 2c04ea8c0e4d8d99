#include "sound/sounddevice.h"

#include "sound/audioformatmap.h"
#include "sound/sound.h"
#include "sound/soundbuffer.h"
#include "sound/wavfile.h"

#include <QAudioFormat>
#include <QMediaDevices>

CSoundDevice::CSoundDevice() = default;
CSoundDevice::~CSoundDevice() = default;

SoundResult::Code CSoundDevice::Open()
{
    m_device = QMediaDevices::defaultAudioOutput();
    return m_device.isNull() ? SoundResult::kNoDriver : SoundResult::kOk;
}

SoundResult::Code CSoundDevice::SetPrimaryFormat(quint16 channels, quint32 samplesPerSec, quint16 bits)
{
    if (m_device.isNull())
        return SoundResult::kNotInitialized;
    const std::optional<QAudioFormat> format =
        AudioFormatMap::ToAudioFormat(CWaveFormat::Pcm(channels, samplesPerSec, bits));
    if (!format || !m_device.isFormatSupported(*format))
        return SoundResult::kBadFormat;
    return SoundResult::kOk;
}

SoundResult::Code CSoundDevice::CreateSound(std::unique_ptr<CSound>& sound, const QString& path,
                                            quint32 creationFlags, int bufferCount, QString* whyNot)
{
    if (m_device.isNull())
        return SoundResult::kNotInitialized;
    if (path.isNull() || bufferCount <= 0)
        return SoundResult::kInvalidArgument;
    auto file = std::make_unique<CWavFile>();
    if (const SoundResult::Code opened = file->OpenForPlaying(path, whyNot); SoundResult::Failed(opened))
        return opened;
    const std::optional<QAudioFormat> format = AudioFormatMap::ToAudioFormat(file->GetFormat());
    const char silence = AudioFormatMap::SilenceByte(file->GetFormat());
    std::vector<std::unique_ptr<CSoundBuffer>> buffers;
    for (int i = 0; i < bufferCount; ++i)
        buffers.push_back(std::make_unique<CSoundBuffer>(m_device, *format, file->GetDataSize(), silence));
    // The copies play the same sound: fill them here; CSound fills the first.
    for (size_t i = 1; i < buffers.size(); ++i)
        buffers[i]->Fill(*file);
    const qint64 size = file->GetDataSize();
    sound = std::make_unique<CSound>(std::move(buffers), size, std::move(file), creationFlags);
    return SoundResult::kOk;
}
