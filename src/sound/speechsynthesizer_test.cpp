#include "sound/speechsynthesizer.h"

#include "base/appsettings.h"
#include "sound/wavformat.h"
#include "testing/recordingmessagesink.h"
#include "testing/testaudio.h"
#include "testing/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtEndian>
#include <QtTest>

#include <thread>

namespace {
QString pathFor(const QString& name)
{
    return QDir(CTestEnvironment::Instance().Root()).filePath(name);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

quint32 le32At(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 le16At(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// Runs of digital silence at least one dictation pause long: (first byte, byte after).
QList<QPair<qsizetype, qsizetype>> longSilences(const QByteArray& pcm, int sampleRate)
{
    const qsizetype least = qsizetype(sampleRate) * CSpeechSynthesizer::kDictationPauseMs / 1000 * 2;
    QList<QPair<qsizetype, qsizetype>> runs;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= pcm.size(); i += 2) {
        const bool quiet = i + 1 < pcm.size() && pcm[i] == '\0' && pcm[i + 1] == '\0';
        if (quiet && start < 0)
            start = i;
        if (!quiet && start >= 0) {
            if (i - start >= least)
                runs.append({start, i});
            start = -1;
        }
    }
    return runs;
}

// The sound without the digital silence at either end.
QByteArray trimmed(const QByteArray& pcm)
{
    qsizetype begin = 0, end = pcm.size() & ~qsizetype(1);
    while (begin < end && pcm[begin] == '\0' && pcm[begin + 1] == '\0')
        begin += 2;
    while (end > begin && pcm[end - 2] == '\0' && pcm[end - 1] == '\0')
        end -= 2;
    return pcm.mid(begin, end - begin);
}
}  // namespace

class SpeechSynthesizerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (CSpeechSynthesizer::Format().nSamplesPerSec == 0)
            QSKIP("the default voice does not start here (is libflite1 installed?)");
        if (CSpeechSynthesizer::Format(QStringLiteral("gmw/en-US")).nSamplesPerSec == 0)
            QSKIP("espeak-ng does not start here (is espeak-ng-data installed?)");
    }

    void spokenFileHasTheLayoutOfARecording_data()
    {
        QTest::addColumn<QString>("voice");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<int>("sampleRate");
        QTest::newRow("word, default voice") << QString() << CSpeechSynthesizer::kDefaultRate << "receive" << ""
                                             << 16000;
        QTest::newRow("dictation") << "gmw/en-US" << 150 << "their" << "They took their coats." << 22050;
        QTest::newRow("Flite dictation") << "flite/cmu_us_slt" << 150 << "their" << "They took their coats." << 16000;
        QTest::newRow("British voice, slow") << "gmw/en" << 80 << "colour" << "" << 22050;
        QTest::newRow("Flite at 8 kHz, slow") << "flite/cmu_us_kal" << 80 << "colour" << "" << 8000;
        QTest::newRow("fast, non-ASCII") << "gmw/en-US" << 450 << QStringLiteral("café") << "" << 22050;
        QTest::newRow("Flite fast, non-ASCII") << "flite/cmu_us_awb" << 450 << QStringLiteral("café") << "" << 16000;
        QTest::newRow("markup is plain text") << "gmw/en" << 175 << "cat" << "<break time='9s'/> [[h@'loU]]" << 22050;
        QTest::newRow("Flite: markup is plain text")
            << "flite/cmu_us_rms" << 175 << "cat" << "<break time='9s'/> [[h@'loU]]" << 16000;
    }

    void spokenFileHasTheLayoutOfARecording()
    {
        QFETCH(QString, voice);
        QFETCH(int, rate);
        QFETCH(QString, word);
        QFETCH(QString, sentence);
        QFETCH(int, sampleRate);
        CRecordingMessageSink sink;
        CSpeechSynthesizer speech(voice, rate);
        const QString path = pathFor(QStringLiteral("Temp.wav"));
        QVERIFY(speech.SpeakDictation(word, sentence, path));
        QCOMPARE(sink.Texts(), QStringList());

        const QByteArray wav = readAll(path);
        QVERIFY(wav.size() > 56);
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(le32At(wav, 4), quint32(wav.size() - 8));
        QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(le32At(wav, 16), 16u);
        QCOMPARE(le16At(wav, 20), quint16(1));      // PCM
        QCOMPARE(le16At(wav, 22), quint16(1));      // mono
        QCOMPARE(le32At(wav, 24), quint32(sampleRate));
        QCOMPARE(le32At(wav, 28), quint32(sampleRate * 2));
        QCOMPARE(le16At(wav, 32), quint16(2));      // block size
        QCOMPARE(le16At(wav, 34), quint16(16));
        QCOMPARE(wav.mid(36, 4), QByteArray("fact"));
        QCOMPARE(le32At(wav, 40), 4u);
        QCOMPARE(le32At(wav, 44), 0u);
        QCOMPARE(wav.mid(48, 4), QByteArray("data"));
        QCOMPARE(le32At(wav, 52), quint32(wav.size() - 56));
        QVERIFY2(TestAudio::HasSound(wav.mid(56)), "the spoken file is silent");
        // Markup would have made a nine-second break; said as text it is far shorter.
        QVERIFY(wav.size() - 56 < 8 * sampleRate * 2);

        const std::optional<CWavLayout> layout = WavHeader::Parse(wav);
        QVERIFY(layout);
        QCOMPARE(layout->dataOffset, qint64(56));
        QCOMPARE(layout->format, CWaveFormat::Pcm(1, quint32(sampleRate), 16));
        QCOMPARE(CSpeechSynthesizer::Format(voice), layout->format);
    }

    void dictationIsWordPauseSentencePauseWord_data()
    {
        QTest::addColumn<QString>("voice");
        QTest::newRow("default voice") << QString();
        QTest::newRow("espeak-ng") << QStringLiteral("gmw/en-US");
    }

    void dictationIsWordPauseSentencePauseWord()
    {
        QFETCH(QString, voice);
        CRecordingMessageSink sink;
        CSpeechSynthesizer speech(voice, CSpeechSynthesizer::kDefaultRate);
        const QString path = pathFor(QStringLiteral("dictation.wav"));
        QVERIFY(speech.SpeakDictation(QStringLiteral("weigh"), QStringLiteral("Weigh the flour."), path));
        QCOMPARE(sink.Texts(), QStringList());
        const QByteArray data = readAll(path).mid(56);
        const QList<QPair<qsizetype, qsizetype>> pauses =
            longSilences(data, int(CSpeechSynthesizer::Format(voice).nSamplesPerSec));
        QCOMPARE(pauses.size(), 2);
        const QByteArray first = trimmed(data.left(pauses[0].first));
        const QByteArray middle = trimmed(data.mid(pauses[0].second, pauses[1].first - pauses[0].second));
        const QByteArray last = trimmed(data.mid(pauses[1].second));
        QVERIFY(TestAudio::HasSound(first) && TestAudio::HasSound(middle));
        QCOMPARE(last, first);  // the same word, said once and used twice
        QVERIFY(middle.size() > first.size() * 3 / 2);
    }

    void aBlankSentenceSpeaksTheWordAlone_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("empty") << QString();
        QTest::newRow("spaces") << QStringLiteral("  \t ");
    }

    void aBlankSentenceSpeaksTheWordAlone()
    {
        QFETCH(QString, sentence);
        CSpeechSynthesizer speech;
        const QString alone = pathFor(QStringLiteral("alone.wav"));
        const QString dictation = pathFor(QStringLiteral("dictation.wav"));
        QVERIFY(speech.Speak(QStringLiteral("friend"), alone));
        QVERIFY(speech.SpeakDictation(QStringLiteral("friend"), sentence, dictation));
        const QByteArray a = readAll(alone);
        const QByteArray d = readAll(dictation);
        QCOMPARE(longSilences(d.mid(56), int(CSpeechSynthesizer::Format().nSamplesPerSec)).size(), 0);
        QVERIFY2(qAbs(a.size() - d.size()) < a.size() / 20, qPrintable(QStringLiteral("%1 vs %2").arg(a.size()).arg(d.size())));
    }

    void theRateChangesTheLength_data()
    {
        QTest::addColumn<QString>("voice");
        QTest::addColumn<int>("slow");
        QTest::addColumn<int>("fast");
        QTest::newRow("80 and 300") << "gmw/en-US" << 80 << 300;
        QTest::newRow("Flite, 80 and 300") << QString() << 80 << 300;
        QTest::newRow("below the least is the least") << "gmw/en-US" << 10 << 120;
        QTest::newRow("Flite, below the least is the least") << QString() << 10 << 120;
        QTest::newRow("above the most is the most") << "gmw/en-US" << 300 << 1000;
        QTest::newRow("Flite, above the most is the most") << QString() << 300 << 1000;
    }

    void theRateChangesTheLength()
    {
        QFETCH(QString, voice);
        QFETCH(int, slow);
        QFETCH(int, fast);
        CSpeechSynthesizer slowSpeech(voice, slow);
        CSpeechSynthesizer fastSpeech(voice, fast);
        QCOMPARE(slowSpeech.Rate(), std::clamp(slow, CSpeechSynthesizer::kMinRate, CSpeechSynthesizer::kMaxRate));
        QCOMPARE(fastSpeech.Rate(), std::clamp(fast, CSpeechSynthesizer::kMinRate, CSpeechSynthesizer::kMaxRate));
        const QString text = QStringLiteral("Necessary accommodation is separate.");
        const std::optional<QByteArray> a = slowSpeech.Synthesize(text);
        const std::optional<QByteArray> b = fastSpeech.Synthesize(text);
        QVERIFY(a && b);
        QVERIFY2(a->size() > b->size() * 5 / 4, qPrintable(QStringLiteral("%1 vs %2").arg(a->size()).arg(b->size())));
    }

    // One setting, one pace: every Flite voice says a passage at a rate in about the time
    // espeak-ng's US voice takes at that rate.
    void oneRateIsOnePaceInEveryEngine_data()
    {
        QTest::addColumn<QString>("voice");
        for (const CVoice& v : CSpeechSynthesizer::EnglishVoices())
            if (v.id.startsWith(QLatin1String("flite/")))
                QTest::newRow(qPrintable(v.name)) << v.id;
    }

    void oneRateIsOnePaceInEveryEngine()
    {
        QFETCH(QString, voice);
        const QString text = QStringLiteral("The children walked to school together every morning, and they talked "
                                            "about the games they would play after lunch.");
        for (const int rate : {100, 150, 250}) {
            const auto seconds = [&](const QString& id) {
                const std::optional<QByteArray> pcm = CSpeechSynthesizer(id, rate).Synthesize(text);
                return pcm ? double(pcm->size()) / 2 / CSpeechSynthesizer::Format(id).nSamplesPerSec : 0.0;
            };
            const double flite = seconds(voice);
            const double espeak = seconds(QStringLiteral("gmw/en-US"));
            QVERIFY2(flite > espeak * 0.8 && flite < espeak * 1.25,
                     qPrintable(QStringLiteral("%1 wpm: %2 s, espeak-ng %3 s").arg(rate).arg(flite).arg(espeak)));
        }
    }

    void englishVoices()
    {
        const QList<CVoice> voices = CSpeechSynthesizer::EnglishVoices();
        const QList<CVoice> flite{
            {"Flite: English (America), Rms, man", "flite/cmu_us_rms"},
            {"Flite: English (America), Kal, man, 16 kHz", "flite/cmu_us_kal16"},
            {"Flite: English (America), Kal, man, 8 kHz", "flite/cmu_us_kal"},
            {"Flite: English (America), Slt, woman", "flite/cmu_us_slt"},
            {"Flite: English (Scotland), Awb, man", "flite/cmu_us_awb"},
            {"espeak-ng: English (America)", "gmw/en-US"},
            {"espeak-ng: English (Great Britain)", "gmw/en"},
        };
        QCOMPARE(voices.mid(0, flite.size()), flite);
        for (const CVoice& v : voices.mid(flite.size())) {
            QVERIFY2(v.name.startsWith(QLatin1String("espeak-ng: English")), qPrintable(v.name));
            QVERIFY2(!v.id.startsWith(QLatin1String("mb/")), "MBROLA voices need a program that is not installed");
        }
    }

    void everyEnglishVoiceSpeaks_data()
    {
        QTest::addColumn<QString>("id");
        for (const CVoice& v : CSpeechSynthesizer::EnglishVoices())
            QTest::newRow(qPrintable(v.name)) << v.id;
    }

    void everyEnglishVoiceSpeaks()
    {
        QFETCH(QString, id);
        CRecordingMessageSink sink;
        CSpeechSynthesizer speech(id, CSpeechSynthesizer::kDefaultRate);
        const std::optional<QByteArray> pcm = speech.Synthesize(QStringLiteral("beautiful"));
        QCOMPARE(sink.Texts(), QStringList());
        QVERIFY(pcm && TestAudio::HasSound(*pcm));
    }

    void failuresSayWhyAndWriteNothing_data()
    {
        QTest::addColumn<QString>("voice");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        const QString file = QStringLiteral("fail.wav");
        QTest::newRow("empty") << "" << "" << file << "There is no text to speak.";
        QTest::newRow("only spaces") << "" << " \t\n" << file << "There is no text to speak.";
        QTest::newRow("too long") << "" << QString(1001, QLatin1Char('a')) << file
                                  << "The text to speak is longer than 1000 characters.";
        QTest::newRow("unknown voice") << "xx/none" << "cat" << file
                                       << "Could not speak \"cat\": the voice \"xx/none\" is not installed.";
        QTest::newRow("MBROLA voice") << "mb/mb-en1" << "cat" << file
                                      << "Could not speak \"cat\": the voice \"mb/mb-en1\" is not installed.";
        QTest::newRow("Flite's clock voice") << "flite/cmu_time_awb" << "cat" << file
                                             << "Could not speak \"cat\": the voice \"flite/cmu_time_awb\" is not installed.";
        QTest::newRow("espeak-ng, nothing to say") << "gmw/en-US" << "..." << file
                                               << "The speech engine made no sound for \"...\".";
        QTest::newRow("nothing to say") << "" << "..." << file << "The speech engine made no sound for \"...\".";
        // Flite's tokenizer overran its buffer on a few hundred marks of punctuation in a row.
        for (const char mark : {'.', ')', '!'}) {
            const QString marks(1000, QLatin1Char(mark));
            QTest::newRow(qPrintable(QStringLiteral("a thousand \"%1\"").arg(mark)))
                << "" << marks << file << "The speech engine made no sound for \"" + marks + "\".";
        }
        QTest::newRow("folder missing") << "" << "cat" << "no/such/folder/x.wav"
                                        << "Could not write the spoken text to \"" + pathFor("no/such/folder/x.wav") + "\".";
    }

    void failuresSayWhyAndWriteNothing()
    {
        QFETCH(QString, voice);
        QFETCH(QString, text);
        QFETCH(QString, file);
        QFETCH(QString, message);
        const QString path = pathFor(file);
        QFile::remove(path);
        CRecordingMessageSink sink;
        CSpeechSynthesizer speech(voice, CSpeechSynthesizer::kDefaultRate);
        QVERIFY(!speech.Speak(text, path));
        QCOMPARE(sink.Texts(), QStringList{message});
        QVERIFY(!QFile::exists(path));
        // The failure leaves the engine usable, with the default voice again.
        sink.Clear();
        speech.SetVoice(QString());
        QVERIFY(speech.Speak(QStringLiteral("cat"), pathFor(QStringLiteral("after.wav"))));
        QCOMPARE(sink.Texts(), QStringList());
    }

    void synthesizersOnTwoThreadsKeepTheirOwnSettings_data()
    {
        QTest::addColumn<QString>("slowVoice");
        QTest::addColumn<QString>("fastVoice");
        QTest::newRow("espeak-ng") << "gmw/en-US" << "gmw/en";
        QTest::newRow("Flite") << "flite/cmu_us_rms" << "flite/cmu_us_slt";
        QTest::newRow("Flite, one voice") << "flite/cmu_us_rms" << "flite/cmu_us_rms";
        QTest::newRow("both engines") << "flite/cmu_us_rms" << "gmw/en";
    }

    void synthesizersOnTwoThreadsKeepTheirOwnSettings()
    {
        // Each synthesizer sets its own voice and rate on the shared engine; at once on two
        // threads they must not take each other's. espeak-ng varies each saying by a few
        // samples, so the lengths are compared within 3 %.
        QFETCH(QString, slowVoice);
        QFETCH(QString, fastVoice);
        const QString text = QStringLiteral("Separate the yolks from the whites.");
        const qsizetype slow = CSpeechSynthesizer(slowVoice, 100).Synthesize(text)->size();
        const qsizetype fast = CSpeechSynthesizer(fastVoice, 350).Synthesize(text)->size();
        QVERIFY(slow > fast * 2);
        constexpr int kRounds = 4;
        QList<QByteArray> a(kRounds), b(kRounds);
        std::thread first([&] {
            CSpeechSynthesizer s(slowVoice, 100);
            for (int i = 0; i < kRounds; ++i)
                a[i] = s.Synthesize(text).value_or(QByteArray());
        });
        std::thread second([&] {
            CSpeechSynthesizer s(fastVoice, 350);
            for (int i = 0; i < kRounds; ++i)
                b[i] = s.Synthesize(text).value_or(QByteArray());
        });
        first.join();
        second.join();
        for (int i = 0; i < kRounds; ++i) {
            QVERIFY2(qAbs(a[i].size() - slow) < slow * 3 / 100, qPrintable(QString::number(a[i].size())));
            QVERIFY2(qAbs(b[i].size() - fast) < fast * 3 / 100, qPrintable(QString::number(b[i].size())));
        }
    }

    void settingsDefaultsAndReadBack_data()
    {
        QTest::addColumn<QString>("voice");
        QTest::addColumn<int>("rate");
        QTest::newRow("British, slow") << "gmw/en" << 100;
        QTest::newRow("Scottish, fast") << "gmw/en-GB-scotland" << 300;
        QTest::newRow("Flite") << "flite/cmu_us_slt" << 140;
    }

    void settingsDefaultsAndReadBack()
    {
        QFETCH(QString, voice);
        QFETCH(int, rate);
        const QString store = QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vellomar"),
                                        QStringLiteral("Orthex"))
                                  .fileName();
        QFile::remove(store);
        {
            CAppSettings settings;
            QCOMPARE(settings.Voice(), QStringLiteral("flite/cmu_us_rms"));
            QCOMPARE(settings.SpeechRate(), 130);
            QVERIFY2(!QFile::exists(store), "reading a default must not write the store");
            QVERIFY(settings.SetVoice(voice));
            QVERIFY(settings.SetSpeechRate(rate));
        }
        QSettings raw(store, QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("Settings/Voice")).toString(), voice);
        QCOMPARE(raw.value(QStringLiteral("Settings/SpeechRate")).toInt(), rate);
        CAppSettings settings;
        QCOMPARE(settings.Voice(), voice);
        QCOMPARE(settings.SpeechRate(), rate);
    }
};

ORTHEX_TEST_MAIN(SpeechSynthesizerTest)
#include "speechsynthesizer_test.moc"
