// "Make Practice List...": a practice list of words whose recordings are copied from the list
// they were tested from, and one of words that must all be spoken. Aim: twenty copied words well
// under half a second, and a whole report's worth (200) under two seconds, so the wait cursor is
// seldom seen; spoken words cost what the speech engine costs.

#include "reports/practicelistmaker.h"
#include "sound/speechsynthesizer.h"
#include "testing/testenvironment.h"
#include "testing/testlists.h"
#include "testing/testwav.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

namespace {
QString benchFolder()
{
    const QString folder = CTestEnvironment::Instance().Root() + QStringLiteral("/bench");
    QDir().mkpath(folder);
    return folder;
}

// A source list of count words in its own folder, and the rows of a report naming them.
PracticeSources makeSource(const QString& folder, int count)
{
    const QString path = folder + QStringLiteral("/Week %1.orthex").arg(count);
    PracticeSources sources;
    if (!QFile::exists(path)) {
        // Three seconds of sound each, like a recorded word in a sentence.
        QList<QPair<QString, QByteArray>> words;
        for (int i = 0; i < count; ++i)
            words.append({QStringLiteral("word%1").arg(i), TestWav::Recording(i, 3 * 22050, 22050)});
        TestLists::Make(path, TestLists::WithSounds(words, QStringLiteral("Teacher")));
    }
    for (int i = 0; i < count; ++i)
        sources.append({QStringLiteral("word%1").arg(i), QFileInfo(path).fileName()});
    return sources;
}

void BM_CopiedWords(benchmark::State& state)
{
    const QString folder = benchFolder();
    const PracticeSources sources = makeSource(folder, int(state.range(0)));
    const QString target = folder + QStringLiteral("/Practice.orthex");
    for (auto _ : state) {
        CPracticeListMaker maker(folder, {});
        const auto result = maker.Make(sources, target, QStringLiteral("Pupil"));
        if (result.outcome != CPracticeListMaker::Outcome::Made || result.counts.copied != state.range(0)) {
            state.SkipWithError("the practice list was not made");
            return;
        }
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
    }
    state.counters["words"] = double(state.range(0));
}
BENCHMARK(BM_CopiedWords)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SpokenWords(benchmark::State& state)
{
    if (CSpeechSynthesizer::Format().nSamplesPerSec == 0) {
        state.SkipWithError("espeak-ng does not start here");
        return;
    }
    const QString folder = benchFolder();
    const QStringList words{"receive", "believe", "friend", "their", "there", "weigh", "height",
                            "separate", "definitely", "necessary", "accommodate", "rhythm", "cough",
                            "thought", "through", "beautiful", "February", "library", "island", "knight"};
    PracticeSources sources;
    for (const QString& word : words)
        sources.append({word, QStringLiteral("Gone.orthex")});
    const QString target = folder + QStringLiteral("/Spoken.orthex");
    for (auto _ : state) {
        const auto result = CPracticeListMaker(folder, {}).Make(sources, target, QStringLiteral("Pupil"));
        if (result.outcome != CPracticeListMaker::Outcome::Made || result.counts.spoken != int(words.size())) {
            state.SkipWithError("the practice list was not made");
            return;
        }
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
    }
    state.counters["words"] = double(words.size());
}
BENCHMARK(BM_SpokenWords)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace

int main(int argc, char** argv)
{
    CTestEnvironment environment;
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
