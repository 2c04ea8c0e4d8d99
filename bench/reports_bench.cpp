// The reports page for a pupil with years of results: 20,000 misspelled words, 5,000 grades and
// 5,000 vocabulary words, on real widgets (offscreen). Prints the time of OnUpdate (ordering the
// misspelled words by their labels and filling the grades) and of switching to each report,
// each with the list laid out and painted. Goal: under 300 ms each.

#include "document/orthexdoc.h"
#include "reports/reports.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int kMissed = 20000;
constexpr int kGrades = 5000;
constexpr int kVocabulary = 5000;

constexpr const char* kWords[] = {
    "address", "answer",   "believe",  "bicycle",   "breathe",  "business", "calendar", "century",
    "certain", "complete", "describe", "different", "earth",    "eight",    "exercise", "February",
    "guard",   "heart",    "height",   "imagine",   "island",   "knowledge", "library", "medicine",
    "minute",  "naughty",  "occasion", "opposite",  "peculiar", "possess",  "potatoes", "pressure",
    "quarter", "receive",  "reign",    "separate",  "special",  "strength", "surprise", "though",
    "through", "various",  "weight",   "women",     "babies",   "wolves",   "matches",  "kindness",
};

class CNoCommands : public IPageCommandTarget
{
public:
    void PostPageCommand(PageCommand) override {}
};

void fill(COrthexDoc& doc)
{
    std::mt19937 random(2026);
    auto word = [&random] { return QString::fromLatin1(kWords[random() % std::size(kWords)]); };
    auto date = [&random] {
        return QString::asprintf("%02d/%02d/%02d, %02d:%02d AM", int(random() % 12 + 1), int(random() % 28 + 1),
                                 int(random() % 6 + 20), int(random() % 12 + 1), int(random() % 60));
    };
    for (int i = 0; i < kMissed; ++i) {
        auto missed = std::make_unique<CMissed>();
        missed->SetListName(QStringLiteral("Week %1").arg(i % 200));
        missed->SetDateText(date());
        const QString right = word();
        QString wrong = right;
        switch (random() % 3) {
        case 0: wrong.remove(int(random() % wrong.size()), 1); break;
        case 1: wrong.insert(int(random() % wrong.size()), QLatin1Char("aeiou"[random() % 5])); break;
        default: wrong[int(random() % wrong.size())] = QLatin1Char("eiyks"[random() % 5]); break;
        }
        missed->SetWord(right);
        missed->SetMisspelling(wrong);
        doc.Results().Missed().AddTail(std::move(missed));
    }
    for (int i = 0; i < kGrades; ++i) {
        auto grade = std::make_unique<CGrade>();
        grade->SetListName(QStringLiteral("Week %1").arg(i % 200));
        grade->SetDateText(date());
        grade->SetWordCount(int(random() % 20 + 5));
        grade->SetCorrectCount(int(random() % (grade->GetWordCount() + 1)));
        doc.Results().Grades().AddTail(std::move(grade));
    }
    for (int i = 0; i < kVocabulary; ++i) {
        auto vocabulary = std::make_unique<CVocabulary>();
        vocabulary->SetListName(QStringLiteral("Week %1").arg(i % 200));
        vocabulary->SetDateText(date());
        vocabulary->SetWord(word());
        doc.Results().Vocabulary().AddTail(std::move(vocabulary));
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

void BM_OnUpdate(benchmark::State& state)
{
    SFixture& f = fixture();
    for (auto _ : state) {
        f.page->OnUpdate();
        QCoreApplication::processEvents();
        f.page->repaint();
    }
    state.counters["rows"] = double(f.page->Sheet().RowCount());
}

void BM_Switch(benchmark::State& state)
{
    SFixture& f = fixture();
    const EReportKind to = EReportKind(state.range(0));
    const EReportKind from = to == EReportKind::Grades ? EReportKind::Missed : EReportKind::Grades;
    for (auto _ : state) {
        state.PauseTiming();
        f.page->ShowReport(from);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        f.page->ShowReport(to);
        QCoreApplication::processEvents();
        f.page->repaint();
    }
    state.counters["rows"] = double(f.page->Sheet().RowCount());
}

}  // namespace

BENCHMARK(BM_OnUpdate)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Switch)->Arg(0)->Arg(1)->Arg(2)->ArgName("to_kind")->Unit(benchmark::kMillisecond)->Iterations(10);

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
