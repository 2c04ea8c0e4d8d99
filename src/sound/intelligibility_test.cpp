// How well a listener no one here tuned understands the spoken words: every word of a list of
// common spelling words, spoken through the synthesizer by the default voice and by espeak-ng's
// US voice, recognised by PocketSphinx restricted to that list.

#include "sound/speechsynthesizer.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/wordrecognizer.h"

#include <QtTest>

class IntelligibilityTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theDefaultVoiceIsUnderstood()
    {
        const QStringList words = Intelligibility::SpellingWords();
        QVERIFY2(words.size() >= 300, "the word list bench/data/spellingwords.txt is missing or short");
        CWordRecognizer recognizer(words);
        if (!recognizer.Error().isEmpty())
            QSKIP(qPrintable(recognizer.Error()));
        CRecordingMessageSink sink;
        const auto share = [&](const QString& voice, bool showMissed) {
            CSpeechSynthesizer speech(voice, CSpeechSynthesizer::kDefaultRate);
            QString error;
            const std::optional<Intelligibility::SResult> result = Intelligibility::HearEveryWord(
                speech, words, recognizer, CTestEnvironment::Instance().Root(), &error);
            if (!result) {
                qWarning("%s: %s", qPrintable(speech.Voice()), qPrintable(error));
                return -1.0;
            }
            qInfo("%s at %d words per minute: %d of %d words heard as said (%.1f %%)", qPrintable(speech.Voice()),
                  speech.Rate(), result->heard, result->said, result->Share());
            if (showMissed)
                qInfo("missed (said->heard): %s", qPrintable(result->missed.join(QLatin1Char(' '))));
            return result->Share();
        };
        const double chosen = share(CSpeechSynthesizer::kDefaultVoice, true);
        const double espeak = share(QStringLiteral("gmw/en-US"), false);
        QCOMPARE(sink.Texts(), QStringList());
        QVERIFY2(chosen >= 85.0, qPrintable(QStringLiteral("the default voice: %1 %").arg(chosen, 0, 'f', 1)));
        QVERIFY2(chosen >= espeak, qPrintable(QStringLiteral("the default voice: %1 %, espeak-ng's US voice: %2 %")
                                                  .arg(chosen, 0, 'f', 1)
                                                  .arg(espeak, 0, 'f', 1)));
    }
};

ORTHEX_TEST_MAIN(IntelligibilityTest)
#include "intelligibility_test.moc"
