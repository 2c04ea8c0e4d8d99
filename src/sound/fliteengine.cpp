#include "sound/fliteengine.h"

#include <QtEndian>

#include <flite/flite.h>

#include <algorithm>
#include <csetjmp>
#include <memory>

// Debian's libflite voices have no header: each library exports its register function.
extern "C" {
cst_voice* register_cmu_us_rms(const char* voxdir);
void unregister_cmu_us_rms(cst_voice* voice);
cst_voice* register_cmu_us_slt(const char* voxdir);
void unregister_cmu_us_slt(cst_voice* voice);
cst_voice* register_cmu_us_awb(const char* voxdir);
void unregister_cmu_us_awb(cst_voice* voice);
cst_voice* register_cmu_us_kal16(const char* voxdir);
void unregister_cmu_us_kal16(cst_voice* voice);
cst_voice* register_cmu_us_kal(const char* voxdir);
void unregister_cmu_us_kal(cst_voice* voice);
}

namespace {
struct Entry {
    const char* identifier;
    const char* name;
    const char* language;
    cst_voice* (*load)(const char*);
    void (*unload)(cst_voice*);
    // Words per minute the voice speaks at its own pace, on espeak-ng's scale: a 41-word
    // passage takes as long as espeak-ng takes at this rate. The rate setting divides it into
    // Flite's duration stretch, so one setting means one pace with every voice.
    double naturalRate;
};

// The US English voices of Debian's libflite1; its clock-time voice says only times of day.
const Entry kVoices[] = {
    {"flite/cmu_us_rms", "English (America), Rms, man", "en-us", register_cmu_us_rms, unregister_cmu_us_rms, 155},
    {"flite/cmu_us_awb", "English (Scotland), Awb, man", "en-gb-scotland", register_cmu_us_awb,
     unregister_cmu_us_awb, 180},
    {"flite/cmu_us_kal16", "English (America), Kal, man, 16 kHz", "en-us", register_cmu_us_kal16,
     unregister_cmu_us_kal16, 193},
    {"flite/cmu_us_slt", "English (America), Slt, woman", "en-us", register_cmu_us_slt, unregister_cmu_us_slt, 187},
    {"flite/cmu_us_kal", "English (America), Kal, man, 8 kHz", "en-us", register_cmu_us_kal, unregister_cmu_us_kal, 192},
};

const Entry* find(const QString& voiceId)
{
    const auto it = std::find_if(std::begin(kVoices), std::end(kVoices),
                                 [&](const Entry& e) { return voiceId == QLatin1String(e.identifier); });
    return it == std::end(kVoices) ? nullptr : it;
}

struct WaveDeleter {
    void operator()(cst_wave* wave) const { delete_wave(wave); }
};
using Wave = std::unique_ptr<cst_wave, WaveDeleter>;

int sampleRateOf(cst_voice* voice)
{
    return flite_get_param_int(voice->features, "sample_rate", 0);
}

// Flite's tokenizer writes past the end of a buffer when a token ends in some three hundred
// marks of punctuation ("....", ")))"). Such a run says a pause at most, so each run is cut to
// this many marks before Flite reads the text.
constexpr qsizetype kMaxPunctuationRun = 32;

QString withShortPunctuationRuns(const QString& text)
{
    QString cut;
    cut.reserve(text.size());
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isPunct() ? run + 1 : 0;
        if (run <= kMaxPunctuationRun)
            cut += c;
    }
    return cut;
}

// Flite ends the process on an internal error unless cst_errjmp points somewhere to jump to.
// Nothing with a destructor lives in this frame, so the jump skips no clean-up of ours.
cst_wave* textToWave(const char* text, cst_voice* voice)
{
    std::jmp_buf here;
    cst_wave* volatile wave = nullptr;
    cst_errjmp = &here;
    if (setjmp(here) == 0)
        wave = flite_text_to_wave(text, voice);
    cst_errjmp = nullptr;
    return wave;
}
}  // namespace

CFliteEngine& CFliteEngine::Instance()
{
    static CFliteEngine engine;
    return engine;
}

CFliteEngine::~CFliteEngine()
{
    std::lock_guard lock(m_mutex);
    for (const auto& [id, voice] : m_loaded)
        find(id)->unload(voice);
}

cst_voice* CFliteEngine::Load(const QString& voiceId, QString& error)
{
    if (const auto it = m_loaded.find(voiceId); it != m_loaded.end())
        return it->second;
    const Entry* entry = find(voiceId);
    if (!entry) {
        error = QStringLiteral("the voice \"%1\" is not installed").arg(voiceId);
        return nullptr;
    }
    if (!m_bStarted) {
        flite_init();
        m_bStarted = true;
    }
    cst_voice* voice = entry->load(nullptr);
    if (!voice) {
        error = QStringLiteral("the voice \"%1\" did not load").arg(voiceId);
        return nullptr;
    }
    m_loaded.emplace(voiceId, voice);
    return voice;
}

CFliteEngine::Result CFliteEngine::Synthesize(const QString& voiceId, int rate, const QString& text)
{
    std::lock_guard lock(m_mutex);
    Result result;
    cst_voice* voice = Load(voiceId, result.error);
    if (!voice)
        return result;
    flite_feat_set_float(voice->features, "duration_stretch", float(find(voiceId)->naturalRate / std::max(rate, 1)));
    // flite_text_to_wave reads plain text: markup is read only by its SSML functions.
    const QByteArray utf8 = withShortPunctuationRuns(text).toUtf8();
    const Wave wave(textToWave(utf8.constData(), voice));
    if (!wave) {
        result.error = QStringLiteral("Flite failed");
        return result;
    }
    if (wave->num_channels != 1 || wave->sample_rate != sampleRateOf(voice)) {
        result.error = QStringLiteral("Flite made %1 channels at %2 Hz").arg(wave->num_channels).arg(wave->sample_rate);
        return result;
    }
    result.pcm.resize(qsizetype(wave->num_samples) * 2);
    qToLittleEndian<qint16>(wave->samples, wave->num_samples, result.pcm.data());
    return result;
}

QList<CFliteEngine::Voice> CFliteEngine::Voices()
{
    QList<Voice> voices;
    for (const Entry& e : kVoices)
        voices.append(Voice{QString::fromLatin1(e.name), QString::fromLatin1(e.identifier),
                            QString::fromLatin1(e.language), QStringLiteral("Flite")});
    return voices;
}

int CFliteEngine::SampleRate(const QString& voiceId)
{
    std::lock_guard lock(m_mutex);
    QString error;
    cst_voice* voice = Load(voiceId, error);
    return voice ? sampleRateOf(voice) : 0;
}
