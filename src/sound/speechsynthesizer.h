#pragma once

#include "base/speechdefaults.h"
#include "sound/speechengine.h"
#include "sound/wavformat.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// A voice the speech can be made with.
struct CVoice
{
    QString name;  // shown to the user, engine first, e.g. "espeak-ng: English (America)"
    QString id;    // the engine's voice identifier, e.g. "gmw/en-US"

    friend bool operator==(const CVoice&, const CVoice&) = default;
};

// Turns typed text into a spoken recording, for lists made without a microphone, with a speech
// engine (Flite's and espeak-ng's voices unless it is given another). The WAV file has the
// layout of a recording (56-byte header with the "fact" chunk), in the voice's own format: mono,
// 16 bits, at its sample rate (Flite: 16000 Hz, its "Kal, 8 kHz" voice 8000 Hz; espeak-ng:
// 22050 Hz). Each synthesizer has its own voice and rate; any thread may use one (the engines
// underneath are shared and serialised). Failures show a message and return false.
class CSpeechSynthesizer
{
public:
    static inline const QString kDefaultVoice = QString::fromUtf16(SpeechDefaults::kVoice);
    static constexpr int kDefaultRate = SpeechDefaults::kRate;
    static constexpr int kMinRate = 80;
    static constexpr int kMaxRate = 450;
    // Silence between the parts of a dictation (word, sentence, word): the shortest after which
    // a recogniser that waits for a pause heard three parts and the word in them as well as
    // alone; a quarter second was too short for one dictation in twelve.
    static constexpr int kDictationPauseMs = 500;
    // Longest text said at once, in characters.
    static constexpr int kMaxTextLength = 1000;

    CSpeechSynthesizer();
    CSpeechSynthesizer(const QString& voiceId, int rate);
    CSpeechSynthesizer(ISpeechEngine& engine, const QString& voiceId, int rate);

    // An empty id means the default voice. The voice is checked only when speaking.
    void SetVoice(const QString& voiceId);
    QString Voice() const { return m_strVoice; }
    // Words per minute, held within kMinRate..kMaxRate.
    void SetRate(int wordsPerMinute);
    int Rate() const { return m_nRate; }

    // Writes the text, spoken, to wavPath (created or replaced).
    bool Speak(const QString& text, const QString& wavPath);
    // Writes a dictation to wavPath: the word, a pause, the sentence, a pause, the word. With
    // an empty sentence, the word alone (as Speak).
    bool SpeakDictation(const QString& word, const QString& sentence, const QString& wavPath);

    // The text spoken, as samples (mono, signed 16-bit little-endian, in Format(Voice())); nothing
    // after showing why when it cannot be said.
    std::optional<QByteArray> Synthesize(const QString& text);

    // Format of the voice's spoken sound (an empty id: the default voice); samples per second 0
    // when its engine does not start or has no such voice.
    static CWaveFormat Format(const QString& voiceId = QString(), ISpeechEngine& engine = DefaultSpeechEngine());
    // The English voices of the engine: the default voice first, then engine by engine, each
    // engine's "English (America)" and "English (Great Britain)" first and the others by name.
    // Each name starts with its engine's ("Flite: ..."). Empty when no engine starts.
    static QList<CVoice> EnglishVoices(ISpeechEngine& engine = DefaultSpeechEngine());

private:
    bool WriteWav(const QByteArray& pcm, const QString& wavPath);

    ISpeechEngine* m_pEngine;  // not owned: an engine lives as long as the process
    QString m_strVoice;
    int m_nRate;
};
