#include "lists/wordspeaker.h"

#include "base/appsettings.h"
#include "base/boundedfile.h"
#include "base/messages.h"
#include "storage/listmessages.h"
#include "sound/recordingcheck.h"

#include <QCoreApplication>

#include <algorithm>

namespace {
// A run of letters longer than any word in a sentence, or one of five or more without a vowel,
// is read out letter by letter.
constexpr qsizetype kLongestSaidAsAWord = 20;

bool vowel(QChar c)
{
    return QStringView(u"aeiouyAEIOUY").contains(c);
}

// Words the engines say for the text, at least: each run of letters (one a letter when it is
// spelled out), each digit and each sign they read out ("$" is "dollar"); marks of punctuation
// are pauses at most.
qint64 spokenWords(const QString& text)
{
    qint64 words = 0;
    qsizetype runStart = -1;
    bool runHasVowel = false;
    auto endRun = [&](qsizetype end) {
        if (runStart < 0)
            return;
        const qsizetype length = end - runStart;
        words += length > kLongestSaidAsAWord || (length >= 5 && !runHasVowel) ? length : 1;
        runStart = -1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isLetter() || c.isMark()) {
            if (runStart < 0) {
                runStart = i;
                runHasVowel = false;
            }
            runHasVowel = runHasVowel || vowel(c);
            continue;
        }
        endRun(i);
        if (c.isDigit() || (!c.isSpace() && !c.isPunct()))
            ++words;
    }
    endRun(text.size());
    return words;
}
}  // namespace

CWordSpeaker::CWordSpeaker()
{
    const CAppSettings settings;
    m_speech.SetVoice(settings.Voice());
    m_speech.SetRate(settings.SpeechRate());
}

QString CWordSpeaker::TooLongMessage(const QString& word)
{
    return QCoreApplication::translate("CWordSpeaker",
                                       "\"%1\" would be spoken for longer than %2 seconds, more than a word or a "
                                       "dictation needs. Please give it a shorter sentence.")
        .arg(word)
        .arg(kMaxSeconds);
}

bool CWordSpeaker::SurelyTooLong(const QString& word, const QString& sentence, int rate)
{
    // A dictation says the word twice. The engines keep close to the rate; at twice that speed
    // the estimate is well below any real recording, so no text that fits is refused here.
    const qint64 words = spokenWords(word) * (sentence.trimmed().isEmpty() ? 1 : 2) + spokenWords(sentence);
    return words * 60 > qint64(kMaxSeconds) * 2 * std::max(rate, 1);
}

std::optional<QByteArray> CWordSpeaker::Speak(const QString& word, const QString& sentence, bool* tooLong)
{
    if (tooLong)
        *tooLong = false;
    auto refuseAsTooLong = [&]() -> std::optional<QByteArray> {
        if (tooLong)
            *tooLong = true;
        else
            Messages::Show(TooLongMessage(word), MessageIcon::Exclamation);
        return std::nullopt;
    };
    if (SurelyTooLong(word, sentence, m_speech.Rate()))
        return refuseAsTooLong();
    if (!m_folder.isValid()) {
        Messages::Show(QStringLiteral("No temporary folder for the spoken words: %1").arg(m_folder.errorString()));
        return std::nullopt;
    }
    const QString path = m_folder.filePath(QStringLiteral("Temp.wav"));
    if (!m_speech.SpeakDictation(word, sentence, path))
        return std::nullopt;
    // Measured on the file before it is read; its header is far shorter than 1 KiB.
    const qint64 byteRate = CSpeechSynthesizer::Format(m_speech.Voice()).nAvgBytesPerSec;
    const qint64 longest = byteRate > 0 ? qint64(kMaxSeconds) * byteRate + 1024 : RecordingCheck::kMaxBytes;
    BoundedFile::Result read = BoundedFile::Read(path, std::min<qint64>(longest, RecordingCheck::kMaxBytes));
    if (read.status == BoundedFile::EStatus::Missing || read.status == BoundedFile::EStatus::Failed) {
        Messages::Show(ListMessages::CannotWriteRecording(path, read.error));
        return std::nullopt;
    }
    if (read.status == BoundedFile::EStatus::TooLarge && read.size > longest)
        return refuseAsTooLong();
    QByteArray sound = std::move(read.bytes);
    // What the speech engine made goes into a list like any recording: the same check.
    if (const QString why = read.status == BoundedFile::EStatus::TooLarge ? read.error : RecordingCheck::UnplayableReason(sound);
        !why.isEmpty()) {
        Messages::Show(QStringLiteral("The speech engine's recording of \"%1\" cannot be played: %2.").arg(word, why));
        return std::nullopt;
    }
    return sound;
}
