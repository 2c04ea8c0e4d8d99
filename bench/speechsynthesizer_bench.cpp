// "Speak" on the words page: the spoken word, or the dictation (word, sentence, word), written
// to Temp.wav with each engine's voice at the default rate. Aim: a word under 0.25 s, a
// dictation under 1 s, so the page answers at once. And twenty words as "orthex-cli list
// import" speaks them.

#include "sound/speechsynthesizer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
// One voice of each engine: the default (Flite) and espeak-ng's US voice.
const char* const kVoices[][2] = {{"Flite", "flite/cmu_us_rms"}, {"espeak-ng", "gmw/en-US"}};

void speakWord(benchmark::State& state, const QString& voice)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Temp.wav"));
    CSpeechSynthesizer speech(voice, CSpeechSynthesizer::kDefaultRate);
    for (auto _ : state) {
        if (!speech.Speak(QStringLiteral("necessary"), path)) {
            state.SkipWithError("the word could not be spoken");
            return;
        }
    }
    state.counters["wav_bytes"] = double(QFileInfo(path).size());
}

void speakDictation(benchmark::State& state, const QString& voice)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Temp.wav"));
    CSpeechSynthesizer speech(voice, CSpeechSynthesizer::kDefaultRate);
    for (auto _ : state) {
        if (!speech.SpeakDictation(QStringLiteral("necessary"),
                                   QStringLiteral("It is necessary to wear a coat when it rains."), path)) {
            state.SkipWithError("the dictation could not be spoken");
            return;
        }
    }
    state.counters["wav_bytes"] = double(QFileInfo(path).size());
}

void speakTwentyWords(benchmark::State& state, const QString& voice)
{
    const QStringList words{"receive", "believe", "friend", "their", "there", "weigh", "height",
                            "separate", "definitely", "necessary", "accommodate", "rhythm", "cough",
                            "thought", "through", "beautiful", "February", "library", "island", "knight"};
    CSpeechSynthesizer speech(voice, CSpeechSynthesizer::kDefaultRate);
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
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    for (const auto& [engine, voice] : kVoices) {
        const QString id = QString::fromLatin1(voice);
        for (const auto& [name, run] : {std::pair{"BM_SpeakWord", &speakWord}, std::pair{"BM_SpeakDictation", &speakDictation},
                                        std::pair{"BM_SpeakTwentyWords", &speakTwentyWords}})
            benchmark::RegisterBenchmark((std::string(name) + "/" + engine).c_str(),
                                         [run = run, id](benchmark::State& state) { run(state, id); })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
