// The error profile of a pupil with years of results: 20,000 misspelled words of the kinds pupils
// make, over 300 tests. Prints the time to make the profile (one analysis a word), to switch the
// reports page to it on real widgets (offscreen), and to write it and the misspelled words as
// CSV text as "Export..." does. Goal: under 300 ms each, as for the other reports.

#include "document/orthexdoc.h"
#include "reports/errorprofile.h"
#include "reports/reports.h"
#include "reports/resulttables.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int kMissed = 20000;
constexpr int kTests = 300;

constexpr const char* kPairs[][2] = {
    {"believe", "beleive"}, {"receive", "recieve"},   {"field", "feld"},       {"happiness", "happyness"},
    {"hopeful", "hopful"},  {"dying", "dieing"},      {"knives", "knifes"},    {"boxes", "boxs"},
    {"witch", "wich"},      {"judge", "juj"},         {"sleeve", "sleev"},     {"prize", "priz"},
    {"Monday", "monday"},   {"little", "littel"},     {"phone", "fone"},       {"duck", "duk"},
    {"nation", "nashun"},   {"comma", "coma"},        {"quickly", "quick"},    {"rain", "ran"},
    {"crab", "cab"},        {"came", "cam"},          {"cup", "cub"},          {"cart", "cat"},
    {"horse", "hoarse"},    {"Ball", "bal"},          {"necessary", "necesary"}, {"weird", "wierd"},
};

class CNoCommands : public IPageCommandTarget
{
public:
    void PostPageCommand(PageCommand) override {}
};

void fill(COrthexDoc& doc)
{
    std::mt19937 random(2026);
    for (int i = 0; i < kMissed; ++i) {
        const int test = int(random() % kTests);
        const auto& pair = kPairs[random() % std::size(kPairs)];
        auto missed = std::make_unique<CMissed>();
        missed->SetListName(QStringLiteral("Week %1").arg(test % 40));
        missed->SetDateText(QString::asprintf("%02d/%02d/%02d, %02d:%02d AM", test % 12 + 1, test % 28 + 1,
                                              20 + test % 6, test % 12 + 1, test % 60));
        missed->SetWord(QString::fromLatin1(pair[0]));
        missed->SetMisspelling(QString::fromLatin1(pair[1]));
        doc.Results().Missed().AddTail(std::move(missed));
    }
}

struct SFixture {
    CNoCommands commands;
    COrthexDoc doc;
    std::unique_ptr<CReports> page;

    SFixture()
    {
        doc.SetCurrentUser(QStringLiteral("Pupil"));
        fill(doc);
        page = std::make_unique<CReports>(doc, commands);
        page->resize(640, 420);
        page->show();
        page->OnInitialUpdate();
        QCoreApplication::processEvents();
    }
};

SFixture& fixture()
{
    static SFixture instance;
    return instance;
}

void BM_MakeProfile(benchmark::State& state)
{
    SFixture& f = fixture();
    qsizetype rows = 0;
    for (auto _ : state) {
        const CErrorProfile profile(f.doc.Results().Missed());
        rows = profile.Rows().size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["kinds"] = double(rows);
    state.counters["words"] = double(kMissed);
}

void BM_SwitchToProfile(benchmark::State& state)
{
    SFixture& f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        f.page->ShowReport(EReportKind::Grades);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        f.page->ShowReport(EReportKind::Profile);
        QCoreApplication::processEvents();
        f.page->repaint();
    }
    state.counters["rows"] = double(f.page->Sheet().RowCount());
}

void BM_ExportText(benchmark::State& state)
{
    SFixture& f = fixture();
    const EReportKind kind = EReportKind(state.range(0));
    const SReportLists lists{&f.doc.Results().Grades(), &f.doc.Results().Missed(), &f.doc.Results().Vocabulary()};
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray text =
            ResultTables::Text(ResultTables::Header(kind), ResultTables::Rows(kind, lists), CTableWriter::EFormat::Csv)
                .toUtf8();
        bytes = text.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = double(bytes);
}

}  // namespace

BENCHMARK(BM_MakeProfile)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SwitchToProfile)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ExportText)->Arg(1)->Arg(3)->ArgName("kind")->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fixture().page.reset();
    return 0;
}
