#include "testing/wordrecognizer.h"

#include "sound/speechsynthesizer.h"
#include "sound/wavformat.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QtEndian>

#include <pocketsphinx.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
// PocketSphinx's US English model is made from sound at 16 kHz.
constexpr int kModelRate = 16000;
}  // namespace

void CWordRecognizer::ConfigFree::operator()(cmd_ln_s* config) const
{
    cmd_ln_free_r(config);
}

void CWordRecognizer::DecoderFree::operator()(ps_decoder_s* decoder) const
{
    ps_free(decoder);
}

CWordRecognizer::CWordRecognizer(const QStringList& words)
{
    const QByteArray model = QByteArrayLiteral(ORTHEX_POCKETSPHINX_MODEL "/en-us");
    const QByteArray hmm = model + "/en-us";
    const QByteArray dictionary = model + "/cmudict-en-us.dict";
    if (!QFile::exists(QString::fromLocal8Bit(dictionary))) {
        m_strError = QStringLiteral("PocketSphinx's US English model is not installed (pocketsphinx-en-us)");
        return;
    }
    m_config.reset(cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", hmm.constData(), "-dict", dictionary.constData(),
                               "-logfn", "/dev/null", nullptr));
    if (m_config)
        m_decoder.reset(ps_init(m_config.get()));
    if (!m_decoder) {
        m_strError = QStringLiteral("PocketSphinx did not start");
        return;
    }
    // One word of the list, nothing else.
    const QByteArray grammar = "#JSGF V1.0;\ngrammar words;\npublic <word> = " + words.join(QStringLiteral(" | ")).toUtf8()
                               + ";\n";
    if (words.isEmpty() || ps_set_jsgf_string(m_decoder.get(), "words", grammar.constData()) < 0
        || ps_set_search(m_decoder.get(), "words") < 0)
        m_strError = QStringLiteral("PocketSphinx refused the grammar of %1 words (is each in its dictionary?)")
                         .arg(words.size());
}

CWordRecognizer::~CWordRecognizer() = default;

QString CWordRecognizer::Recognize(const QByteArray& pcm, int sampleRate)
{
    if (!m_strError.isEmpty() || sampleRate <= 0)
        return QString();
    const QList<qint16> samples = Samples(pcm, sampleRate);
    if (ps_start_utt(m_decoder.get()) < 0)
        return QString();
    ps_process_raw(m_decoder.get(), samples.constData(), size_t(samples.size()), FALSE, TRUE);
    ps_end_utt(m_decoder.get());
    int32 score = 0;
    const char* heard = ps_get_hyp(m_decoder.get(), &score);
    return heard ? QString::fromUtf8(heard).trimmed() : QString();
}

QList<qint16> CWordRecognizer::Samples(const QByteArray& pcm, int sampleRate) const
{
    const QByteArray sound = Intelligibility::Resample(pcm, sampleRate, kModelRate);
    QList<qint16> samples(sound.size() / 2);
    qFromLittleEndian<qint16>(sound.constData(), samples.size(), samples.data());
    return samples;
}

QStringList CWordRecognizer::RecognizeUtterances(const QByteArray& pcm, int sampleRate)
{
    QStringList heard;
    if (!m_strError.isEmpty() || sampleRate <= 0)
        return heard;
    // A second of silence after the end, so that the last utterance ends too.
    const QList<qint16> samples = Samples(pcm + QByteArray(qsizetype(sampleRate) * 2, '\0'), sampleRate);
    constexpr qsizetype kChunk = 512;
    bool inUtterance = false;
    ps_start_utt(m_decoder.get());
    for (qsizetype at = 0; at < samples.size(); at += kChunk) {
        ps_process_raw(m_decoder.get(), samples.constData() + at, size_t(std::min(kChunk, samples.size() - at)),
                       FALSE, FALSE);
        const bool speech = ps_get_in_speech(m_decoder.get());
        if (speech)
            inUtterance = true;
        if (!speech && inUtterance) {
            ps_end_utt(m_decoder.get());
            int32 score = 0;
            const char* word = ps_get_hyp(m_decoder.get(), &score);
            heard.append(word ? QString::fromUtf8(word).trimmed() : QString());
            ps_start_utt(m_decoder.get());
            inUtterance = false;
        }
    }
    ps_end_utt(m_decoder.get());
    return heard;
}

QStringList Intelligibility::SpellingWords()
{
    QFile file(QStringLiteral(ORTHEX_SPELLING_WORDS));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList words;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString word = QString::fromUtf8(line).trimmed();
        if (!word.isEmpty() && !word.startsWith(QLatin1Char('#')))
            words.append(word);
    }
    return words;
}

QByteArray Intelligibility::Resample(const QByteArray& pcm, int fromRate, int toRate)
{
    if (fromRate == toRate || fromRate <= 0 || toRate <= 0)
        return pcm;
    const qsizetype inCount = pcm.size() / 2;
    QList<double> in(inCount);
    for (qsizetype i = 0; i < inCount; ++i)
        in[i] = qFromLittleEndian<qint16>(pcm.constData() + 2 * i);
    const qsizetype outCount = qsizetype(double(inCount) * toRate / fromRate);
    // Below both Nyquist frequencies, a little short of the lower one; a Hann-windowed sinc.
    const double step = double(fromRate) / toRate;
    const double cutoff = std::min(1.0, double(toRate) / fromRate) * 0.95;
    const int halfWidth = int(std::ceil(16 / cutoff));
    QByteArray out(outCount * 2, '\0');
    for (qsizetype i = 0; i < outCount; ++i) {
        const double t = double(i) * step;
        const qsizetype centre = qsizetype(std::floor(t));
        double sum = 0;
        for (qsizetype k = std::max<qsizetype>(0, centre - halfWidth + 1); k <= centre + halfWidth && k < inCount; ++k) {
            const double x = t - double(k);
            const double a = std::numbers::pi * cutoff * x;
            const double sinc = a == 0 ? 1.0 : std::sin(a) / a;
            const double window = 0.5 + 0.5 * std::cos(std::numbers::pi * x / halfWidth);
            sum += in[k] * cutoff * sinc * window;
        }
        qToLittleEndian<qint16>(qint16(std::clamp(std::lround(sum), -32768L, 32767L)), out.data() + 2 * i);
    }
    return out;
}

std::optional<Intelligibility::SResult> Intelligibility::HearEveryWord(CSpeechSynthesizer& speech,
                                                                        const QStringList& words,
                                                                        CWordRecognizer& recognizer,
                                                                        const QString& folder, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (!recognizer.Error().isEmpty())
        return fail(recognizer.Error());
    const QString path = QDir(folder).filePath(QStringLiteral("Temp.wav"));
    SResult result;
    for (const QString& word : words) {
        if (!speech.Speak(word, path))
            return fail(QStringLiteral("\"%1\" could not be spoken").arg(word));
        QFile file(path);
        const QByteArray wav = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const std::optional<CWavLayout> layout = WavHeader::Parse(wav);
        if (!layout || layout->format.nChannels != 1 || layout->format.wBitsPerSample != 16)
            return fail(QStringLiteral("the spoken \"%1\" is not mono 16-bit sound").arg(word));
        const QString heard =
            recognizer.Recognize(wav.mid(layout->dataOffset, layout->dataSize), int(layout->format.nSamplesPerSec));
        ++result.said;
        if (heard == word)
            ++result.heard;
        else
            result.missed.append(word + QStringLiteral("->") + heard);
    }
    return result;
}

std::optional<Intelligibility::SResult> Intelligibility::HearDictations(CSpeechSynthesizer& speech,
                                                                         const QStringList& words, int pauseMs,
                                                                         CWordRecognizer& recognizer, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (!recognizer.Error().isEmpty())
        return fail(recognizer.Error());
    // Sentences that fit any word.
    static const char* const kFrames[][2] = {{"Your next word is", "."},     {"Please spell", "for me."},
                                             {"Now write", "on your paper."}, {"The word to spell is", "."},
                                             {"Can you spell", "?"}};
    const int rate = int(CSpeechSynthesizer::Format(speech.Voice()).nSamplesPerSec);
    const QByteArray pause(qsizetype(rate) * pauseMs / 1000 * 2, '\0');
    SResult result;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words.at(i);
        const auto& frame = kFrames[i % std::size(kFrames)];
        const QString sentence = QString::fromLatin1(frame[0]) + QLatin1Char(' ') + word
                                 + (frame[1][0] == '.' || frame[1][0] == '?' ? QString() : QStringLiteral(" "))
                                 + QString::fromLatin1(frame[1]);
        const std::optional<QByteArray> spokenWord = speech.Synthesize(word);
        const std::optional<QByteArray> spokenSentence = speech.Synthesize(sentence);
        if (!spokenWord || !spokenSentence)
            return fail(QStringLiteral("the dictation of \"%1\" could not be spoken").arg(word));
        const QStringList heard =
            recognizer.RecognizeUtterances(*spokenWord + pause + *spokenSentence + pause + *spokenWord, rate);
        ++result.said;
        result.utterances += int(heard.size());
        if (heard.size() >= 3 && heard.first() == word && heard.last() == word)
            ++result.heard;
        else
            result.missed.append(word + QStringLiteral("->") + heard.join(QLatin1Char('/')));
    }
    return result;
}
