#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <mutex>

// The one espeak-ng of the process. espeak-ng keeps all its state in globals and is not
// thread-safe, so every use goes through here under one lock; it is started on first use
// (synchronous output into memory, never the sound card) and shut down at exit.
class CSpeechEngine
{
public:
    struct Voice {
        QString name;        // espeak-ng's name, e.g. "English (America)"
        QString identifier;  // its file under espeak-ng-data/voices, e.g. "gmw/en-US"
        QString language;    // its first language, e.g. "en-us"
    };

    struct Result {
        QByteArray pcm;  // mono signed 16-bit little-endian samples at SampleRate()
        QString error;   // empty on success
    };

    static CSpeechEngine& Instance();

    ~CSpeechEngine();
    CSpeechEngine(const CSpeechEngine&) = delete;
    CSpeechEngine& operator=(const CSpeechEngine&) = delete;

    // Says the text with the voice (an identifier Voices() lists) at the rate (words per
    // minute, already in espeak's range). The text is plain text: no markup or phoneme input
    // is interpreted. The error says, in a few lower-case words, what went wrong.
    Result Synthesize(const QString& voiceId, int rate, const QString& text);
    // Every voice espeak-ng offers (those that need MBROLA and the variants are not listed);
    // empty when the engine does not start.
    QList<Voice> Voices();
    // Samples per second of the output; 0 when the engine does not start.
    int SampleRate();

private:
    CSpeechEngine() = default;
    // Starts espeak-ng once; the reason when it could not. Called with the lock held.
    QString EnsureStarted();
    QList<Voice> ReadVoices() const;

    std::mutex m_mutex;
    bool m_bTried = false;
    bool m_bStarted = false;
    QString m_strStartError;
    int m_nSampleRate = 0;
    QList<Voice> m_voices;
    QString m_strCurrentVoice;  // the voice espeak-ng has loaded, empty when unknown
};
