#pragma once

#include "sound/soundresult.h"

#include <QAudioDevice>
#include <QString>

#include <memory>

class CSound;

// The playback device: the system's default audio output.
class CSoundDevice
{
public:
    static constexpr qint64 kMaxSoundBytes = 104857600;  // 100 MiB

    CSoundDevice();
    ~CSoundDevice();
    CSoundDevice(const CSoundDevice&) = delete;
    CSoundDevice& operator=(const CSoundDevice&) = delete;

    // Takes the default audio output. kNoDriver when the system has none.
    SoundResult::Code Open();
    // The format sound is mixed in: kNotInitialized before Open, kBadFormat when the device
    // cannot take it.
    SoundResult::Code SetPrimaryFormat(quint16 channels, quint32 samplesPerSec, quint16 bits);

    // Loads a WAV file into a new sound of `bufferCount` buffers: kNotInitialized before Open;
    // kInvalidArgument for a null path or no buffers; kFail when the file cannot be read;
    // kBadFormat when it is not a recording Orthex plays (CWavFile::OpenForPlaying), with why in
    // *whyNot.
    SoundResult::Code CreateSound(std::unique_ptr<CSound>& sound, const QString& path,
                                  quint32 creationFlags = 0, int bufferCount = 1, QString* whyNot = nullptr);

    bool IsOpen() const { return !m_device.isNull(); }
    QAudioDevice Device() const { return m_device; }

private:
    QAudioDevice m_device;
};
