#pragma once

#include "sound/soundresult.h"
#include "sound/wavformat.h"

#include <memory>
#include <vector>

class CSoundBuffer;
class CWavFile;

// A WAV file loaded for playback: its sound in one buffer (or several copies), played once
// from the current position. Keeps the file it was loaded from open until it is deleted.
class CSound
{
public:
    // Creation flags that make Play apply its volume, frequency and pan.
    static constexpr quint32 kCtrlFrequency = 0x20;
    static constexpr quint32 kCtrlPan = 0x40;
    static constexpr quint32 kCtrlVolume = 0x80;

    // Takes the buffers and the open file, and fills the first buffer from the file.
    CSound(std::vector<std::unique_ptr<CSoundBuffer>> buffers, qint64 bufferSize,
           std::unique_ptr<CWavFile> file, quint32 creationFlags);
    virtual ~CSound();
    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    // Plays once from the current position, in the first buffer that is not playing (a
    // random one when all are). Volume is in hundredths of a decibel (0 = as recorded,
    // -10000 = silent) and applies only with kCtrlVolume; frequency and pan are accepted but
    // not applied. kNotInitialized when there are no buffers.
    SoundResult::Code Play(quint32 priority = 0, quint32 flags = 0, qint32 volume = 0,
                           qint32 frequency = -1, qint32 pan = 0);
    // Stops every buffer where it is; Reset puts every buffer's play position at the start.
    // kNotInitialized when there are no buffers.
    SoundResult::Code Stop();
    SoundResult::Code Reset();

    bool IsSoundPlaying() const;
    // Runs the event loop until no buffer plays any more and the last sound handed to the
    // device has had time to be heard, or the time-out passes. Returns whether it ended.
    bool WaitUntilDone(int timeoutMs);

    qint64 GetBufferSize() const { return m_dwDSBufferSize; }
    const CWaveFormat& GetFormat() const;
    int GetBufferCount() const { return static_cast<int>(m_apDSBuffer.size()); }
    qint64 GetPlayPosition(int buffer = 0) const;

private:
    std::vector<std::unique_ptr<CSoundBuffer>> m_apDSBuffer;
    qint64 m_dwDSBufferSize;
    std::unique_ptr<CWavFile> m_pWaveFile;
    quint32 m_dwCreationFlags;
};
