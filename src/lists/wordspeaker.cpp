#include "lists/wordspeaker.h"

#include "base/appsettings.h"
#include "base/boundedfile.h"
#include "base/messages.h"
#include "storage/listmessages.h"
#include "sound/recordingcheck.h"


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
    BoundedFile::Result read = BoundedFile::Read(path, RecordingCheck::kMaxBytes);
    if (read.status == BoundedFile::EStatus::Missing || read.status == BoundedFile::EStatus::Failed) {
        Messages::Show(ListMessages::CannotWriteRecording(path, read.error));
        return std::nullopt;
    }
    QByteArray sound = std::move(read.bytes);
    // What the speech engine made goes into a list like any recording: the same check.
    if (const QString why = read.status == BoundedFile::EStatus::TooLarge ? read.error : RecordingCheck::UnplayableReason(sound);
        !why.isEmpty()) {
        Messages::Show(QStringLiteral("The speech engine's recording of \"%1\" cannot be played: %2.").arg(word, why));
        return std::nullopt;
    }
    return sound;
}
