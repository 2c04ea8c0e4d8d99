#include "lists/wordspeaker.h"

#include "base/appsettings.h"
#include "base/messages.h"
#include "storage/listmessages.h"
#include "sound/recordingcheck.h"

#include <QFile>

CWordSpeaker::CWordSpeaker()
{
    const CAppSettings settings;
    m_speech.SetVoice(settings.Voice());
    m_speech.SetRate(settings.SpeechRate());
}

std::optional<QByteArray> CWordSpeaker::Speak(const QString& word, const QString& sentence)
{
    if (!m_folder.isValid()) {
        Messages::Show(QStringLiteral("No temporary folder for the spoken words: %1").arg(m_folder.errorString()));
        return std::nullopt;
    }
    const QString path = m_folder.filePath(QStringLiteral("Temp.wav"));
    if (!m_speech.SpeakDictation(word, sentence, path))
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Messages::Show(ListMessages::CannotWriteRecording(path, file.errorString()));
        return std::nullopt;
    }
    QByteArray sound = file.readAll();
    // What the speech engine made goes into a list like any recording: the same check.
    if (const QString why = RecordingCheck::UnplayableReason(sound); !why.isEmpty()) {
        Messages::Show(QStringLiteral("The speech engine's recording of \"%1\" cannot be played: %2.").arg(word, why));
        return std::nullopt;
    }
    return sound;
}
