// Storing and loading a list of 100,000 missed-word records, in memory, in the archive format.
// Prints records per second each way (items_per_second). Goal: 2,000,000 each way.

#include "base/archive.h"
#include "storage/recordlist.h"
#include "storage/records.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 100000;

// Realistic: the missed words of one test share its list name and date text (here a test has
// 20 of them). With distinct set, every record has a list name and date text of its own.
CRecordList<CMissed> MakeList(bool distinct = false)
{
    static const char* const kWords[][2] = {
        {"receive", "recieve"},       {"necessary", "neccessary"}, {"separate", "seperate"},
        {"rhythm", "rythm"},          {"phone", "fone"},           {"hoping", "hopeing"},
        {"babies", "babys"},          {"beginning", "begining"},   {"weird", "wierd"},
        {"accommodate", "acommodate"}, {"Wednesday", "wednesday"}, {"knight", "nite"},
    };
    CRecordList<CMissed> list;
    for (int i = 0; i < kRecords; ++i) {
        auto m = std::make_unique<CMissed>();
        const auto& w = kWords[i % std::size(kWords)];
        const int test = distinct ? i : i / 20;
        m->SetListName(QStringLiteral("Spelling Week %1").arg(1 + test % 40));
        m->SetDateText(QStringLiteral("%1/%2/26, %3:%4 %5")
                           .arg(1 + (test / 10) % 12, 2, 10, QLatin1Char('0'))
                           .arg(1 + test % 28, 2, 10, QLatin1Char('0'))
                           .arg(1 + test % 12, 2, 10, QLatin1Char('0'))
                           .arg(test % 60, 2, 10, QLatin1Char('0'))
                           .arg(test % 2 ? "PM" : "AM"));
        // Fresh strings, as a test makes them, not shared copies of one string.
        m->SetWord(QString::fromLatin1(w[0]));
        m->SetMisspelling(QString::fromLatin1(w[1]));
        list.AddTail(std::move(m));
    }
    return list;
}

QByteArray Store(const CRecordList<CMissed>& list)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(buffer, CArchive::Store);
    StoreList(ar, list);
    if (!ar.Flush())
        qFatal("storing into memory failed");
    return bytes;
}

void BM_StoreMissed(benchmark::State& state)
{
    const CRecordList<CMissed> list = MakeList();
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray stored = Store(list);
        bytes = stored.size();
        benchmark::DoNotOptimize(stored.constData());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_LoadMissed(benchmark::State& state)
{
    QByteArray stored = Store(MakeList(state.range(0) != 0));
    for (auto _ : state) {
        QBuffer buffer(&stored);
        buffer.open(QIODevice::ReadOnly);
        CArchive ar(buffer, CArchive::Load);
        CRecordList<CMissed> list;
        LoadList(ar, list);
        if (list.size() != kRecords)
            qFatal("loaded %lld records", qlonglong(list.size()));
        benchmark::DoNotOptimize(&list);
        // Deleting the records is not part of loading them.
        state.PauseTiming();
        list.Clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
    state.SetBytesProcessed(state.iterations() * stored.size());
}

}  // namespace

BENCHMARK(BM_StoreMissed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMissed)->ArgName("distinct")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
