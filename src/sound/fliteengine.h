#pragma once

#include "sound/speechengine.h"

#include <map>
#include <mutex>

struct cst_voice_struct;

// The one Flite of the process, with the US English voices built into Debian's libflite (not the
// clock-time voice, which says only times of day). Flite keeps global state and a voice's
// settings are shared, so every use goes through here under one lock. A voice is loaded on its
// first use and unloaded at exit. Its identifiers are "flite/" and Flite's voice name, e.g.
// "flite/cmu_us_rms"; the sound is mono 16-bit at the voice's own rate (8000 or 16000 Hz).
class CFliteEngine final : public ISpeechEngine
{
public:
    static CFliteEngine& Instance();

    ~CFliteEngine() override;
    CFliteEngine(const CFliteEngine&) = delete;
    CFliteEngine& operator=(const CFliteEngine&) = delete;

    Result Synthesize(const QString& voiceId, int rate, const QString& text) override;
    QList<Voice> Voices() override;
    int SampleRate(const QString& voiceId) override;

private:
    CFliteEngine() = default;
    // The loaded voice, or nothing with the reason. Called with the lock held.
    cst_voice_struct* Load(const QString& voiceId, QString& error);

    std::mutex m_mutex;
    bool m_bStarted = false;
    std::map<QString, cst_voice_struct*> m_loaded;  // by identifier
};
