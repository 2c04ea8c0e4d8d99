#include "sound/speechengines.h"

#include "sound/espeakengine.h"
#include "sound/fliteengine.h"

#include <algorithm>
#include <utility>

ISpeechEngine& DefaultSpeechEngine()
{
    static CSpeechEngines engines({&CFliteEngine::Instance(), &CEspeakEngine::Instance()});
    return engines;
}

CSpeechEngines::CSpeechEngines(QList<ISpeechEngine*> engines)
    : m_engines(std::move(engines))
{
}

ISpeechEngine* CSpeechEngines::EngineOf(const QString& voiceId) const
{
    for (ISpeechEngine* engine : m_engines) {
        const QList<Voice> voices = engine->Voices();
        if (std::any_of(voices.cbegin(), voices.cend(), [&](const Voice& v) { return v.identifier == voiceId; }))
            return engine;
    }
    return nullptr;
}

CSpeechEngines::Result CSpeechEngines::Synthesize(const QString& voiceId, int rate, const QString& text)
{
    if (ISpeechEngine* engine = EngineOf(voiceId))
        return engine->Synthesize(voiceId, rate, text);
    Result result;
    result.error = QStringLiteral("the voice \"%1\" is not installed").arg(voiceId);
    return result;
}

QList<CSpeechEngines::Voice> CSpeechEngines::Voices()
{
    QList<Voice> voices;
    for (ISpeechEngine* engine : m_engines)
        voices.append(engine->Voices());
    return voices;
}

int CSpeechEngines::SampleRate(const QString& voiceId)
{
    ISpeechEngine* engine = EngineOf(voiceId);
    return engine ? engine->SampleRate(voiceId) : 0;
}
