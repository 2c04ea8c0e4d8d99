// A new order stored by the words page (a sort, move or deletion) for a list of 2,000 words in a random order: the three
// passes over the rows in one transaction, on a real list file whose rows hold recordings of
// the given length (at the default rate, 22050 Hz 16-bit stereo). Aim: under one second.

#include "storage/listdatabase.h"
#include "storage/spellinglistdb.h"
#include "storage/sqlitedatabase.h"
#include "storage/sqlitestatement.h"
#include "lists/wordlistedit.h"
#include "lists/wordlistsave.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace {
constexpr int kWords = 2000;
constexpr int kBytesPerSecond = 88200;
constexpr int kHeader = 56;

// A list file of kWords rows, each with its own recording of `seconds` length.
bool makeList(const QString& path, double seconds, QStringList& words)
{
    if (!CListDatabase::Create(path))
        return false;
    CSqliteDatabase db;
    if (!db.Open(path, CSqliteDatabase::Mode::ReadWrite) || !db.Execute("BEGIN"))
        return false;
    CSqliteStatement insert(db, "INSERT INTO tblList ([Order], CreatedBy, Word, Sound) VALUES (?1, ?2, ?3, ?4)");
    std::mt19937 generator(1);
    QByteArray sound(kHeader + int(seconds * kBytesPerSecond) / 4 * 4, '\0');
    words.clear();
    for (int i = 0; i < kWords; ++i) {
        for (int b = 0; b < 64; ++b)
            sound[kHeader + (b * 997 + i) % (sound.size() - kHeader)] = char(generator());
        const QString word = QStringLiteral("word%1").arg(i);
        words << word;
        insert.Reset();
        insert.BindInt(1, i + 1);
        insert.BindText(2, QStringLiteral("Ms Brown"));
        insert.BindText(3, word);
        insert.BindBlob(4, sound);
        if (!insert.Run())
            return false;
    }
    insert.Reset();
    return db.Execute("COMMIT");
}

void BM_SaveReorderedList(benchmark::State& state)
{
    const double seconds = double(state.range(0)) / 10.0;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.orthex"));
    QStringList words;
    if (!dir.isValid() || !makeList(path, seconds, words)) {
        state.SkipWithError("cannot make the list file");
        return;
    }
    CListDatabase db;
    if (!db.Open(path)) {
        state.SkipWithError("cannot open the list file");
        return;
    }
    CSpellingListDB list(db);
    if (!list.Open()) {
        state.SkipWithError("cannot read the list file");
        return;
    }
    std::mt19937 generator(2);
    for (auto _ : state) {
        state.PauseTiming();
        std::shuffle(words.begin(), words.end(), generator);
        state.ResumeTiming();
        if (!CWordListSave::Save(list, words)) {
            state.SkipWithError("the save failed");
            return;
        }
    }
    state.counters["words"] = kWords;
    state.counters["recording_s"] = seconds;
}
BENCHMARK(BM_SaveReorderedList)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The A..Z sort of the same list on screen.
void BM_SortAToZ(benchmark::State& state)
{
    QStringList words;
    std::mt19937 generator(3);
    for (int i = 0; i < kWords; ++i)
        words << (i % 2 ? QStringLiteral("Word%1") : QStringLiteral("word%1")).arg(generator() % 1000);
    for (auto _ : state) {
        QStringList copy = words;
        WordListEdit::SortAToZ(copy);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_SortAToZ)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
