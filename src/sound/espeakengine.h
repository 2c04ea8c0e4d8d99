#pragma once

#include "sound/speechengine.h"

#include <mutex>

// The one espeak-ng of the process. espeak-ng keeps all its state in globals and is not
// thread-safe, so every use goes through here under one lock; it is started on first use
// (synchronous output into memory, never the sound card) and shut down at exit. Its voice
// identifiers are its files under espeak-ng-data/voices, e.g. "gmw/en-US"; the voices that
// need MBROLA and the variants are not listed.
class CEspeakEngine final : public ISpeechEngine
{
public:
    static CEspeakEngine& Instance();

    ~CEspeakEngine() override;
    CEspeakEngine(const CEspeakEngine&) = delete;
    CEspeakEngine& operator=(const CEspeakEngine&) = delete;

    Result Synthesize(const QString& voiceId, int rate, const QString& text) override;
    QList<Voice> Voices() override;
    int SampleRate(const QString& voiceId) override;

private:
    CEspeakEngine() = default;
    // Starts espeak-ng once; the reason when it could not. Called with the lock held.
    QString EnsureStarted();
    QList<Voice> ReadVoices() const;
    bool Lists(const QString& voiceId) const;

    std::mutex m_mutex;
    bool m_bTried = false;
    bool m_bStarted = false;
    QString m_strStartError;
    int m_nSampleRate = 0;
    QList<Voice> m_voices;
    QString m_strCurrentVoice;  // the voice espeak-ng has loaded, empty when unknown
};
