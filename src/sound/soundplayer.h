#pragma once

#include "sound/soundresult.h"

#include <QAudioDevice>
#include <QString>

#include <memory>

class CLoadedSound;

// Plays WAV recordings once on the system's default audio output. Each page that plays sound
// owns one: OpenOutputDevice once, then Load(path) and Play() for each sound.
class CSoundPlayer
{
public:
    CSoundPlayer();
    ~CSoundPlayer();
    CSoundPlayer(const CSoundPlayer&) = delete;
    CSoundPlayer& operator=(const CSoundPlayer&) = delete;

    // Takes the default audio output, mixing 2 channels, 48000 Hz, 16 bits. Shows why (with
    // the exclamation icon) and returns false when there is none or it cannot take that format.
    bool OpenOutputDevice();
    // Stores the path as the file to play and loads it, replacing the loaded sound. True also
    // when the file does not exist (nothing is loaded then). Shows "File too large.  You should
    // stream large files." above RecordingCheck::kMaxBytes and "Could not create sound buffer."
    // when it cannot be loaded, followed by the file's name and what is wrong with it when it is
    // not a recording Orthex plays.
    bool Load(const QString& path);
    // Plays the loaded sound once; NotReady when nothing is loaded (the caller shows
    // "Play Error").
    SoundResult Play();
    // The loaded sound, or null.
    CLoadedSound* GetLoadedSound() const { return m_pSound.get(); }
    // Stops, rewinds and lets go of the loaded sound, if any (this releases the file).
    void Unload();
    QString GetPath() const { return m_strPath; }

private:
    SoundResult LoadFile(QString* whyNot);

    QAudioDevice m_device;
    QString m_strPath;
    std::unique_ptr<CLoadedSound> m_pSound;
};
