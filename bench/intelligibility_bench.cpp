// How many of the checked-in spelling words (bench/data/spellingwords.txt) PocketSphinx, held to
// a grammar of that list, hears as said: every offered voice at the default rate, and the
// default voice at slower and faster rates (how the default rate was chosen). Then dictations
// of every third word with pauses of several lengths, heard by a listener that waits for a
// pause: the share whose first and last part are heard as the word (how the pause was chosen).
// One run each; "share_pct" is the figure, the time is the whole list spoken and recognised.

#include "sound/speechsynthesizer.h"
#include "testing/wordrecognizer.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {
std::unique_ptr<CWordRecognizer> g_recognizer;
QStringList g_words;

void hearEveryWord(benchmark::State& state, const QString& voice, int rate)
{
    QTemporaryDir dir;
    CSpeechSynthesizer speech(voice, rate);
    std::optional<Intelligibility::SResult> result;
    QString error;
    for (auto _ : state)
        result = Intelligibility::HearEveryWord(speech, g_words, *g_recognizer, dir.path(), &error);
    if (!result) {
        state.SkipWithError(error.toUtf8().constData());
        return;
    }
    state.counters["share_pct"] = result->Share();
    state.counters["heard"] = result->heard;
    state.counters["said"] = result->said;
}

void hearDictations(benchmark::State& state, int pauseMs)
{
    QStringList words;
    for (qsizetype i = 0; i < g_words.size(); i += 3)
        words.append(g_words.at(i));
    CSpeechSynthesizer speech;
    std::optional<Intelligibility::SResult> result;
    QString error;
    for (auto _ : state)
        result = Intelligibility::HearDictations(speech, words, pauseMs, *g_recognizer, &error);
    if (!result) {
        state.SkipWithError(error.toUtf8().constData());
        return;
    }
    state.counters["share_pct"] = result->Share();
    state.counters["heard"] = result->heard;
    state.counters["said"] = result->said;
    state.counters["parts_each"] = double(result->utterances) / result->said;
}
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    g_words = Intelligibility::SpellingWords();
    g_recognizer = std::make_unique<CWordRecognizer>(g_words);
    if (!g_recognizer->Error().isEmpty()) {
        fprintf(stderr, "intelligibility_bench: %s\n", qPrintable(g_recognizer->Error()));
        return 1;
    }
    const auto add = [](const QString& label, const QString& voice, int rate) {
        benchmark::RegisterBenchmark(("BM_Heard/" + label + "/" + QString::number(rate)).toUtf8().constData(),
                                     [voice, rate](benchmark::State& state) { hearEveryWord(state, voice, rate); })
            ->Iterations(1)
            ->Unit(benchmark::kSecond)
            ->UseRealTime();
    };
    for (const CVoice& voice : CSpeechSynthesizer::EnglishVoices())
        add(voice.name, voice.id, CSpeechSynthesizer::kDefaultRate);
    for (const int rate : {100, 115, 150, 175})
        add(QStringLiteral("default voice"), CSpeechSynthesizer::kDefaultVoice, rate);
    for (const int pauseMs : {0, 250, 500, 1000})
        benchmark::RegisterBenchmark(("BM_DictationHeard/pause_ms:" + std::to_string(pauseMs)).c_str(),
                                     [pauseMs](benchmark::State& state) { hearDictations(state, pauseMs); })
            ->Iterations(1)
            ->Unit(benchmark::kSecond)
            ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_recognizer.reset();
    return 0;
}
