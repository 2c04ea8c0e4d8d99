#include "sound/speechsynthesizer.h"

#include "base/messages.h"
#include "sound/wavfile.h"

#include <QtEndian>

#include <algorithm>
#include <cstdlib>

namespace {
// Below this peak the sound is taken as silence: nothing a pupil could hear as a word. Flite's
// voices breathe noise up to a peak of about 600 into what they make of punctuation alone; a
// spoken word peaks above 7000.
constexpr int kSilencePeak = 2048;

int peak(const QByteArray& pcm)
{
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < pcm.size(); i += 2)
        loudest = std::max(loudest, std::abs(int(qFromLittleEndian<qint16>(pcm.constData() + i))));
    return loudest;
}

QByteArray silence(int sampleRate, int ms)
{
    return QByteArray(qsizetype(sampleRate) * ms / 1000 * 2, '\0');
}

bool isEnglish(const QString& language)
{
    return language == QLatin1String("en") || language.startsWith(QLatin1String("en-"));
}

// The default voice first; within an engine espeak-ng's "English (America)" and "English
// (Great Britain)" before the others.
int rank(const QString& voiceId)
{
    if (voiceId == CSpeechSynthesizer::kDefaultVoice)
        return 0;
    if (voiceId == QLatin1String("gmw/en-US"))
        return 1;
    if (voiceId == QLatin1String("gmw/en"))
        return 2;
    return 3;
}
}  // namespace

CSpeechSynthesizer::CSpeechSynthesizer()
    : CSpeechSynthesizer(kDefaultVoice, kDefaultRate)
{
}

CSpeechSynthesizer::CSpeechSynthesizer(const QString& voiceId, int rate)
    : CSpeechSynthesizer(DefaultSpeechEngine(), voiceId, rate)
{
}

CSpeechSynthesizer::CSpeechSynthesizer(ISpeechEngine& engine, const QString& voiceId, int rate)
    : m_pEngine(&engine)
    , m_nRate(kDefaultRate)
{
    SetVoice(voiceId);
    SetRate(rate);
}

void CSpeechSynthesizer::SetVoice(const QString& voiceId)
{
    m_strVoice = voiceId.isEmpty() ? kDefaultVoice : voiceId;
}

void CSpeechSynthesizer::SetRate(int wordsPerMinute)
{
    m_nRate = std::clamp(wordsPerMinute, kMinRate, kMaxRate);
}

std::optional<QByteArray> CSpeechSynthesizer::Synthesize(const QString& text)
{
    if (text.trimmed().isEmpty()) {
        Messages::Show(QStringLiteral("There is no text to speak."), MessageIcon::Exclamation);
        return std::nullopt;
    }
    if (text.size() > kMaxTextLength) {
        Messages::Show(QStringLiteral("The text to speak is longer than %1 characters.").arg(kMaxTextLength),
                       MessageIcon::Exclamation);
        return std::nullopt;
    }
    ISpeechEngine::Result result = m_pEngine->Synthesize(m_strVoice, m_nRate, text);
    if (!result.error.isEmpty()) {
        Messages::Show(QStringLiteral("Could not speak \"%1\": %2.").arg(text, result.error),
                       MessageIcon::Exclamation);
        return std::nullopt;
    }
    if (peak(result.pcm) < kSilencePeak) {
        Messages::Show(QStringLiteral("The speech engine made no sound for \"%1\".").arg(text),
                       MessageIcon::Exclamation);
        return std::nullopt;
    }
    return std::move(result.pcm);
}

bool CSpeechSynthesizer::Speak(const QString& text, const QString& wavPath)
{
    const std::optional<QByteArray> pcm = Synthesize(text);
    return pcm && WriteWav(*pcm, wavPath);
}

bool CSpeechSynthesizer::SpeakDictation(const QString& word, const QString& sentence, const QString& wavPath)
{
    if (sentence.trimmed().isEmpty())
        return Speak(word, wavPath);
    const std::optional<QByteArray> spokenWord = Synthesize(word);
    if (!spokenWord)
        return false;
    const std::optional<QByteArray> spokenSentence = Synthesize(sentence);
    if (!spokenSentence)
        return false;
    const QByteArray pause = silence(int(Format(m_strVoice, *m_pEngine).nSamplesPerSec), kDictationPauseMs);
    return WriteWav(*spokenWord + pause + *spokenSentence + pause + *spokenWord, wavPath);
}

bool CSpeechSynthesizer::WriteWav(const QByteArray& pcm, const QString& wavPath)
{
    CWavFile file;
    if (!file.OpenForWriting(wavPath, Format(m_strVoice, *m_pEngine)) || file.Write(pcm.constData(), pcm.size()) != pcm.size()
        || !file.Close()) {
        Messages::Show(QStringLiteral("Could not write the spoken text to \"%1\".").arg(wavPath),
                       MessageIcon::Exclamation);
        return false;
    }
    return true;
}

CWaveFormat CSpeechSynthesizer::Format(const QString& voiceId, ISpeechEngine& engine)
{
    const int rate = engine.SampleRate(voiceId.isEmpty() ? kDefaultVoice : voiceId);
    return CWaveFormat::Pcm(1, quint32(rate), 16);
}

QList<CVoice> CSpeechSynthesizer::EnglishVoices(ISpeechEngine& engine)
{
    struct Ranked {
        CVoice voice;
        int engineOrder;
        int rank;
    };
    QList<Ranked> ranked;
    QStringList engines;
    for (const ISpeechEngine::Voice& v : engine.Voices()) {
        if (!isEnglish(v.language))
            continue;
        if (!engines.contains(v.engine))
            engines.append(v.engine);
        ranked.append(Ranked{CVoice{v.engine + QStringLiteral(": ") + v.name, v.identifier},
                             int(engines.indexOf(v.engine)), rank(v.identifier)});
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if ((a.rank == 0) != (b.rank == 0))
            return a.rank == 0;
        if (a.engineOrder != b.engineOrder)
            return a.engineOrder < b.engineOrder;
        if (a.rank != b.rank)
            return a.rank < b.rank;
        return a.voice.name.localeAwareCompare(b.voice.name) < 0;
    });
    QList<CVoice> voices;
    for (const Ranked& r : ranked)
        voices.append(r.voice);
    return voices;
}
