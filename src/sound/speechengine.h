#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A speech engine: turns plain text into speech with one of its voices. The program speaks
// through this interface (CSpeechSynthesizer); each engine implements it in a file of its own,
// espeak-ng in espeakengine.cpp, Flite in fliteengine.cpp, and CSpeechEngines offers the voices
// of several as one. Any thread may use an engine.
class ISpeechEngine
{
public:
    struct Voice {
        QString name;        // shown to the user, e.g. "English (America)"
        QString identifier;  // the engine's name for it, e.g. "gmw/en-US"; unique across engines
        QString language;    // its first language, e.g. "en-us"
        QString engine;      // the engine's name, e.g. "espeak-ng"
    };

    struct Result {
        QByteArray pcm;  // mono signed 16-bit little-endian samples at SampleRate(voiceId)
        QString error;   // empty on success
    };

    virtual ~ISpeechEngine() = default;

    // Says the text with the voice (an identifier Voices() lists) at the rate (words per
    // minute, already in the synthesizer's range). The text is plain text: no markup or
    // phoneme input is interpreted. The error says, in a few lower-case words, what went wrong.
    virtual Result Synthesize(const QString& voiceId, int rate, const QString& text) = 0;
    // Every voice the engine offers; empty when the engine does not start.
    virtual QList<Voice> Voices() = 0;
    // Samples per second of the voice's sound; 0 when the engine does not start or has no
    // such voice.
    virtual int SampleRate(const QString& voiceId) = 0;
};

// The engines the program speaks with unless it is given another: Flite and espeak-ng.
ISpeechEngine& DefaultSpeechEngine();
