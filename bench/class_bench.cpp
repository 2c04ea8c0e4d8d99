// A real class in one user folder: 40 pupils with 200 tests and 600 misspelled words each.
// Prints the time to read the folder and make the overview, the words and the error profile of
// the class, to open the class overview window on it, and the time orthex-cli class overview
// takes to print it (a whole run of the program). Goal: well under a second each.
// Also a folder where a pupil's grades are a sparse file of 3 GB: the time and the peak memory
// of orthex-cli class overview, which refuses that file by its size (goal: as for a small class,
// and no more memory than a run over a real one).

#include "reports/classoverviewdlg.h"
#include "reports/classresults.h"
#include "reports/classtables.h"
#include "reports/resulttables.h"
#include "testing/testclass.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

#include <sys/resource.h>

namespace {

constexpr int kPupils = 40;
constexpr int kTests = 200;
constexpr int kMissed = 600;

constexpr const char* kPairs[][2] = {
    {"believe", "beleive"}, {"receive", "recieve"}, {"field", "feld"},    {"happiness", "happyness"},
    {"hopeful", "hopful"},  {"dying", "dieing"},    {"knives", "knifes"}, {"boxes", "boxs"},
    {"witch", "wich"},      {"judge", "juj"},       {"Monday", "monday"}, {"little", "littel"},
    {"phone", "fone"},      {"nation", "nashun"},   {"comma", "coma"},    {"necessary", "necesary"},
};

struct SFixture {
    QTemporaryDir dir;

    SFixture()
    {
        std::mt19937 random(2026);
        QList<TestClass::SPupil> pupils;
        for (int p = 0; p < kPupils; ++p) {
            TestClass::SPupil pupil{QStringLiteral("Pupil %1").arg(p), {}, {}};
            for (int t = 0; t < kTests; ++t) {
                const QString date = QString::asprintf("%02d/%02d/26, 09:%02d AM", t % 12 + 1, t % 28 + 1, t % 60);
                pupil.grades.append(QStringLiteral("Week %1|%2|%3|20").arg(t % 40).arg(date).arg(random() % 21));
            }
            for (int m = 0; m < kMissed; ++m) {
                const auto& pair = kPairs[random() % std::size(kPairs)];
                pupil.missed.append(QStringLiteral("Week %1|05/04/26, 09:10 AM|%2|%3")
                                        .arg(m % 40)
                                        .arg(QLatin1String(pair[0]), QLatin1String(pair[1])));
            }
            pupils.append(pupil);
        }
        TestClass::Write(dir.path(), pupils);
    }
};

SFixture& fixture()
{
    static SFixture instance;
    return instance;
}

void BM_ClassTable(benchmark::State& state)
{
    const auto table = ClassTables::ETable(state.range(0));
    const QString folder = fixture().dir.path();
    qsizetype rows = 0;
    for (auto _ : state) {
        CClassResults results;
        results.Read(folder);
        const QList<QStringList> tableRows = ClassTables::Rows(table, results);
        const QString text = ResultTables::Text(ClassTables::Header(table), tableRows, CTableWriter::EFormat::Tsv);
        rows = tableRows.size();
        benchmark::DoNotOptimize(text);
    }
    state.counters["rows"] = double(rows);
}

// The class overview window opened on the folder (offscreen): reading, the overview filled in
// and the window shown.
void BM_OpenWindow(benchmark::State& state)
{
    const QString folder = fixture().dir.path();
    for (auto _ : state) {
        CClassOverviewDlg dialog(folder);
        dialog.show();
        QCoreApplication::processEvents();
    }
}

void BM_CliOverview(benchmark::State& state)
{
#ifdef ORTHEX_CLI
    const QString folder = fixture().dir.path();
    qsizetype bytes = 0;
    for (auto _ : state) {
        QProcess cli;
        cli.start(QStringLiteral(ORTHEX_CLI), {"class", "--folder", folder, "overview"});
        cli.waitForFinished(60000);
        bytes = cli.readAllStandardOutput().size();
        if (cli.exitCode() != 0)
            state.SkipWithError("orthex-cli class overview failed");
    }
    state.counters["bytes"] = double(bytes);
#else
    state.SkipWithError("orthex-cli is not built");
#endif
}

// Ann with one test, and Bob whose grades file was made 3 GB (sparse: no disk used).
void BM_CliOverviewOfAHugeFile(benchmark::State& state)
{
#ifdef ORTHEX_CLI
    QTemporaryDir dir;
    TestClass::Write(dir.path(), {{QStringLiteral("Ann"), {QStringLiteral("Week 1|05/04/26, 09:10 AM|9|10")}, {}},
                                  {QStringLiteral("Bob"), {QStringLiteral("Week 1|05/04/26, 09:10 AM|7|10")}, {}}});
    if (!QFile(CResultFiles::PathOf(dir.path(), QStringLiteral("Bob"), EResultKind::Grades)).resize(3LL << 30)) {
        state.SkipWithError("no sparse file of 3 GB can be made here");
        return;
    }
    for (auto _ : state) {
        QProcess cli;
        cli.start(QStringLiteral(ORTHEX_CLI), {"class", "--folder", dir.path(), "overview"});
        cli.waitForFinished(60000);
        if (cli.exitCode() != 1 || !cli.readAllStandardError().contains("Bob.sp3"))
            state.SkipWithError("orthex-cli class overview did not name the damaged file");
    }
    // The largest child so far: this benchmark runs first.
    struct rusage usage {};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024;
#else
    state.SkipWithError("orthex-cli is not built");
#endif
}

}  // namespace

BENCHMARK(BM_CliOverviewOfAHugeFile)->Unit(benchmark::kMillisecond)->Iterations(5);
// 0 overview, 1 words, 2 profile: each reads the whole folder afresh.
BENCHMARK(BM_ClassTable)->Arg(0)->Arg(1)->Arg(2)->ArgName("table")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CliOverview)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    fixture();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
