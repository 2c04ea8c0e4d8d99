// Importing a word file of 200 words into a list, as "Import Words..." on the words page does:
// the file read, every word spoken (half of them as dictations with a sentence) in the default
// voice into a temporary store, and all copied to the list's end in one transaction. Aim: a
// list of 200 words in about a minute or less; the parse alone in milliseconds. And the memory
// an import of long dictations takes at its peak: one recording at a time, so it should grow
// by a few MB however many lines the file has (it grew by the whole of the speech before).

#include "document/orthexdoc.h"
#include "document/usersession.h"
#include "lists/wordfile.h"
#include "lists/wordimport.h"
#include "storage/listdatabase.h"
#include "testing/testenvironment.h"

#include <QCoreApplication>
#include <QFile>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <atomic>

namespace {
constexpr int kWords = 200;

// 200 CSV rows: word1..word200, every other one with a quoted sentence holding a comma.
QByteArray wordFile()
{
    QByteArray csv;
    for (int i = 1; i <= kWords; ++i) {
        const QByteArray word = "word" + QByteArray::number(i);
        csv += word;
        if (i % 2 == 0)
            csv += ",\"Write " + word + ", then check it.\"";
        csv += "\r\n";
    }
    return csv;
}

void BM_ParseWordFile(benchmark::State& state)
{
    const QByteArray bytes = wordFile();
    for (auto _ : state) {
        WordFile::SResult result = WordFile::Parse(bytes);
        if (result.entries.size() != size_t(kWords)) {
            state.SkipWithError("the file did not give 200 words");
            return;
        }
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ParseWordFile)->Unit(benchmark::kMicrosecond);

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// One timed import of file into a new list at path, the list made and closed untimed; false
// (the state told why) unless every one of the expected words was spoken and stored.
bool importOnce(benchmark::State& state, const QString& path, const QByteArray& file, int expected, qint64& listBytes)
{
    state.PauseTiming();
    QFile::remove(path);
    COrthexDoc doc(std::make_unique<CNoUserSession>());
    if (!CListDatabase::Create(path) || !doc.OpenDocumentFile(path)) {
        state.SkipWithError("no list to import into");
        return false;
    }
    state.ResumeTiming();
    const std::atomic_bool cancel{false};
    WordFile::SResult parsed = WordFile::Parse(file);
    WordImport::LeaveOutListed(parsed, {});
    WordImport::SSpeech speech = WordImport::Speak(parsed.entries, cancel);
    if (speech.spoken->count() != expected || !WordImport::Store(doc, *speech.spoken)) {
        state.SkipWithError("not every line was spoken and stored");
        return false;
    }
    state.PauseTiming();
    doc.CloseList();
    listBytes = QFile(path).size();
    state.ResumeTiming();
    return true;
}

// Lines whose sentence speaks for about 45 s each (ninety numbers), within the limit of one
// recording: the peak memory of the process before and after importing them. Registered first,
// so that nothing larger has been held before it.
void BM_ImportLongDictations(benchmark::State& state)
{
    const int lines = int(state.range(0));
    const QString path = CTestEnvironment::Instance().Root() + QStringLiteral("/long-bench.orthex");
    QByteArray file;
    for (int i = 1; i <= lines; ++i)
        file += "word" + QByteArray::number(i) + '\t'
                + QByteArray("one two three four five six seven eight nine ten ").repeated(9) + '\n';
    const double before = peakMegabytes();
    qint64 listBytes = 0;
    for (auto _ : state) {
        if (!importOnce(state, path, file, lines, listBytes))
            return;
    }
    state.counters["list_MB"] = double(listBytes) / (1024.0 * 1024.0);
    state.counters["lines"] = lines;
    state.counters["peak_before_MB"] = before;
    state.counters["peak_after_MB"] = peakMegabytes();
}
BENCHMARK(BM_ImportLongDictations)->Arg(8)->Arg(32)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

void BM_ImportTwoHundredWords(benchmark::State& state)
{
    const QString path = CTestEnvironment::Instance().Root() + QStringLiteral("/import-bench.orthex");
    const QByteArray bytes = wordFile();
    qint64 listBytes = 0;
    for (auto _ : state) {
        if (!importOnce(state, path, bytes, kWords, listBytes))
            return;
    }
    state.counters["words"] = kWords;
    state.counters["s_per_word"] =
        benchmark::Counter(kWords, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["list_MB"] = double(listBytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ImportTwoHundredWords)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
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
