#pragma once

#include "sound/soundresult.h"
#include "sound/wavformat.h"

#include <memory>

class CSoundBuffer;
class CWavFile;

// A WAV recording loaded for playing: its sound in one buffer, played once from the current
// position. Keeps the file it was loaded from until it goes.
class CLoadedSound
{
public:
    // Takes the buffer and the read file, and fills the buffer from the file.
    CLoadedSound(std::unique_ptr<CSoundBuffer> buffer, std::unique_ptr<CWavFile> file);
    ~CLoadedSound();
    CLoadedSound(const CLoadedSound&) = delete;
    CLoadedSound& operator=(const CLoadedSound&) = delete;

    // Plays once from the current position, at the volume it was recorded with.
    SoundResult Play();
    // Stops where it is; Rewind puts the play position at the start.
    SoundResult Stop();
    SoundResult Rewind();

    bool IsPlaying() const;
    // Runs the event loop until the sound no longer plays and the last sound handed to the
    // device has had time to be heard, or the time-out passes. Returns whether it ended.
    bool WaitUntilDone(int timeoutMs);

    // Bytes of sound.
    qint64 GetDataSize() const;
    const CWaveFormat& GetFormat() const;
    qint64 GetPlayPosition() const;

private:
    std::unique_ptr<CSoundBuffer> m_pBuffer;
    std::unique_ptr<CWavFile> m_pWaveFile;
};
