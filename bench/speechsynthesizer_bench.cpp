// "Speak" on the words page: the spoken word, or the dictation (word, sentence, word), written
// to Temp.wav with the default voice and rate. Aim: a word under 0.25 s, a dictation under 1 s,
// so the page answers at once. And twenty words as "orthex-cli list import" speaks them.

#include "sound/speechsynthesizer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
void BM_SpeakWord(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Temp.wav"));
    CSpeechSynthesizer speech;
    for (auto _ : state) {
        if (!speech.Speak(QStringLiteral("necessary"), path)) {
            state.SkipWithError("the word could not be spoken");
            return;
        }
    }
    state.counters["wav_bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_SpeakWord)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SpeakDictation(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Temp.wav"));
    CSpeechSynthesizer speech;
    for (auto _ : state) {
        if (!speech.SpeakDictation(QStringLiteral("necessary"),
                                   QStringLiteral("It is necessary to wear a coat when it rains."), path)) {
            state.SkipWithError("the dictation could not be spoken");
            return;
        }
    }
    state.counters["wav_bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_SpeakDictation)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SpeakTwentyWords(benchmark::State& state)
{
    const QStringList words{"receive", "believe", "friend", "their", "there", "weigh", "height",
                            "separate", "definitely", "necessary", "accommodate", "rhythm", "cough",
                            "thought", "through", "beautiful", "February", "library", "island", "knight"};
    CSpeechSynthesizer speech;
    for (auto _ : state) {
        for (const QString& word : words) {
            std::optional<QByteArray> pcm = speech.Synthesize(word);
            if (!pcm) {
                state.SkipWithError("a word could not be spoken");
                return;
            }
            benchmark::DoNotOptimize(pcm);
        }
    }
}
BENCHMARK(BM_SpeakTwentyWords)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
