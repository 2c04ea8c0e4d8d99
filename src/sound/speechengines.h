#pragma once

#include "sound/speechengine.h"

#include <QList>

// Several engines offered as one: their voices one engine after the other, and each voice
// spoken by the engine that lists it. The engines are not owned and must outlive this.
class CSpeechEngines final : public ISpeechEngine
{
public:
    explicit CSpeechEngines(QList<ISpeechEngine*> engines);

    Result Synthesize(const QString& voiceId, int rate, const QString& text) override;
    QList<Voice> Voices() override;
    int SampleRate(const QString& voiceId) override;

private:
    // The engine that lists the voice; nothing when none does.
    ISpeechEngine* EngineOf(const QString& voiceId) const;

    QList<ISpeechEngine*> m_engines;
};
