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
    // The longest recording a word or a dictation gets. None needs minutes, while a sentence of
    // a thousand "$" would be spoken for many minutes into memory and into the list.
    static constexpr int kMaxSeconds = 60;

    CWordSpeaker();

    // The WAV file's bytes, in the layout of a recording; nothing after the speech engine (or
    // the temporary folder) said why. A recording that would be longer than kMaxSeconds is
    // refused without a message, setting *tooLong, so that the caller can name its line; what
    // surely speaks too long is not spoken at all.
    std::optional<QByteArray> Speak(const QString& word, const QString& sentence = QString(), bool* tooLong = nullptr);

    // What is said when the word (with the sentence) would be spoken for longer than kMaxSeconds.
    static QString TooLongMessage(const QString& word);
    // Whether the word (with the sentence) would surely be spoken for longer than kMaxSeconds
    // at the rate (words a minute), told from the text before any of it is spoken.
    static bool SurelyTooLong(const QString& word, const QString& sentence, int rate);

private:

    CSpeechSynthesizer m_speech;
    QTemporaryDir m_folder;
};
