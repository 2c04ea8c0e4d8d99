#pragma once

#include "sound/speechsynthesizer.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <optional>

// Speaks a word for a list made without a microphone, or a dictation of it with its sentence,
// in the voice and at the rate of the settings (read when the speaker is made). Each word goes
// through a private temporary "Temp.wav", so nothing the pages use is touched.
class CWordSpeaker
{
public:
    CWordSpeaker();

    // The WAV file's bytes, in the layout of a recording; nothing after the speech engine (or
    // the temporary folder) said why.
    std::optional<QByteArray> Speak(const QString& word, const QString& sentence = QString());

private:
    CSpeechSynthesizer m_speech;
    QTemporaryDir m_folder;
};
