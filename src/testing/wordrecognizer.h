#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class CSpeechSynthesizer;
struct cmd_ln_s;
struct ps_decoder_s;

// A listener no one here tuned, to measure how clear spoken words are: CMU PocketSphinx with
// its US English model, restricted to a grammar of one word out of a list.
class CWordRecognizer
{
public:
    explicit CWordRecognizer(const QStringList& words);
    ~CWordRecognizer();
    CWordRecognizer(const CWordRecognizer&) = delete;
    CWordRecognizer& operator=(const CWordRecognizer&) = delete;

    // Empty when the recogniser is ready; otherwise why not.
    QString Error() const { return m_strError; }
    // The word of the list heard in the sound (mono, signed 16-bit little-endian, at any rate);
    // empty when none.
    QString Recognize(const QByteArray& pcm, int sampleRate);
    // The sound heard as a listener that waits for a pause: an utterance ends where the
    // recogniser's voice detection hears half a second of silence (its default); the word heard
    // in each utterance.
    QStringList RecognizeUtterances(const QByteArray& pcm, int sampleRate);

private:
    QList<qint16> Samples(const QByteArray& pcm, int sampleRate) const;

    struct ConfigFree {
        void operator()(cmd_ln_s* config) const;
    };
    struct DecoderFree {
        void operator()(ps_decoder_s* decoder) const;
    };
    std::unique_ptr<cmd_ln_s, ConfigFree> m_config;
    std::unique_ptr<ps_decoder_s, DecoderFree> m_decoder;
    QString m_strError;
};

namespace Intelligibility {
// The checked-in list of common spelling words (bench/data/spellingwords.txt); empty when it
// cannot be read.
QStringList SpellingWords();

// Mono 16-bit sound from one rate to another (windowed sinc, band-limited when lowering).
QByteArray Resample(const QByteArray& pcm, int fromRate, int toRate);

struct SResult {
    int heard = 0;
    int said = 0;
    QStringList missed;  // "word->heard"
    int utterances = 0;  // of dictations: the parts heard, 3 each when every pause was heard
    double Share() const { return said ? 100.0 * heard / said : 0.0; }
};
// Speaks every word through the synthesizer into a WAV file in the folder, reads it back and
// counts the words the recogniser hears as said. Nothing, with the reason, when a word cannot
// be spoken or read.
std::optional<SResult> HearEveryWord(CSpeechSynthesizer& speech, const QStringList& words,
                                     CWordRecognizer& recognizer, const QString& folder, QString* error);
// Speaks dictations of the words (the word, a pause, a sentence with it, a pause, the word) as
// the synthesizer does, with the pause given, and counts those whose first and last utterance
// are heard as the word. Nothing, with the reason, when a part cannot be spoken.
std::optional<SResult> HearDictations(CSpeechSynthesizer& speech, const QStringList& words, int pauseMs,
                                      CWordRecognizer& recognizer, QString* error);
}  // namespace Intelligibility
