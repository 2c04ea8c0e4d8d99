#include "sound/espeakengine.h"

#include <QtEndian>

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <algorithm>

namespace {
// Milliseconds of sound espeak-ng hands to the callback at a time.
constexpr int kChunkMs = 200;

// Where the callback appends samples; set only while the engine's lock is held.
QByteArray* g_output = nullptr;

int onSamples(short* samples, int count, espeak_EVENT*)
{
    if (samples && count > 0 && g_output) {
        const qsizetype at = g_output->size();
        g_output->resize(at + qsizetype(count) * 2);
        qToLittleEndian<qint16>(samples, count, g_output->data() + at);
    }
    return 0;  // go on
}

QString statusText(espeak_ng_STATUS status)
{
    char buffer[512] = {};
    espeak_ng_GetStatusCodeMessage(status, buffer, sizeof buffer);
    return QString::fromLocal8Bit(buffer);
}
}  // namespace

CEspeakEngine& CEspeakEngine::Instance()
{
    static CEspeakEngine engine;
    return engine;
}

CEspeakEngine::~CEspeakEngine()
{
    std::lock_guard lock(m_mutex);
    if (m_bStarted)
        espeak_ng_Terminate();
}

QString CEspeakEngine::EnsureStarted()
{
    if (m_bTried)
        return m_strStartError;
    m_bTried = true;
    espeak_ng_InitializePath(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    espeak_ng_ClearErrorContext(&context);
    if (status == ENS_OK)
        status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, kChunkMs, nullptr);
    if (status != ENS_OK) {
        QString reason = statusText(status);
        if (reason.isEmpty())
            reason = QStringLiteral("error %1").arg(quint32(status), 0, 16);
        m_strStartError = QStringLiteral("the speech engine did not start (%1)").arg(reason);
        return m_strStartError;
    }
    espeak_SetSynthCallback(&onSamples);
    m_nSampleRate = espeak_ng_GetSampleRate();
    m_voices = ReadVoices();
    m_bStarted = true;
    return QString();
}

CEspeakEngine::Result CEspeakEngine::Synthesize(const QString& voiceId, int rate, const QString& text)
{
    std::lock_guard lock(m_mutex);
    Result result;
    if (const QString error = EnsureStarted(); !error.isEmpty()) {
        result.error = error;
        return result;
    }
    if (voiceId != m_strCurrentVoice) {
        // Only the voices listed: a voice that needs MBROLA would start a program that may not
        // be there, and espeak-ng would fall back to its last voice without saying so.
        if (!Lists(voiceId)) {
            result.error = QStringLiteral("the voice \"%1\" is not installed").arg(voiceId);
            return result;
        }
        m_strCurrentVoice.clear();
        const espeak_ng_STATUS status = espeak_ng_SetVoiceByName(voiceId.toUtf8().constData());
        if (status != ENS_OK) {
            result.error = statusText(status);
            return result;
        }
        m_strCurrentVoice = voiceId;
    }
    espeak_ng_STATUS status = espeak_ng_SetParameter(espeakRATE, rate, 0);
    if (status == ENS_OK) {
        const QByteArray utf8 = text.toUtf8();
        g_output = &result.pcm;
        // Plain UTF-8 text: without espeakSSML and espeakPHONEMES nothing in it is markup.
        status = espeak_ng_Synthesize(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                                      espeakCHARS_UTF8 | espeakENDPAUSE, nullptr, nullptr);
        g_output = nullptr;
    }
    if (status != ENS_OK) {
        result.pcm.clear();
        result.error = statusText(status);
    }
    return result;
}

QList<CEspeakEngine::Voice> CEspeakEngine::Voices()
{
    std::lock_guard lock(m_mutex);
    EnsureStarted();
    return m_voices;
}

QList<CEspeakEngine::Voice> CEspeakEngine::ReadVoices() const
{
    QList<Voice> voices;
    const espeak_VOICE** list = espeak_ListVoices(nullptr);
    for (int i = 0; list && list[i]; ++i) {
        const espeak_VOICE* v = list[i];
        if (!v->name || !v->identifier)
            continue;
        Voice voice;
        voice.name = QString::fromUtf8(v->name);
        voice.identifier = QString::fromUtf8(v->identifier);
        voice.engine = QStringLiteral("espeak-ng");
        // languages: a priority byte, then the language, repeated; the first one is the voice's.
        if (v->languages && v->languages[0] != '\0')
            voice.language = QString::fromUtf8(v->languages + 1);
        voices.append(voice);
    }
    return voices;
}

bool CEspeakEngine::Lists(const QString& voiceId) const
{
    return std::any_of(m_voices.cbegin(), m_voices.cend(), [&](const Voice& v) { return v.identifier == voiceId; });
}

int CEspeakEngine::SampleRate(const QString& voiceId)
{
    std::lock_guard lock(m_mutex);
    EnsureStarted();
    return Lists(voiceId) ? m_nSampleRate : 0;
}
