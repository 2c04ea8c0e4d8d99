// The progress chart for a pupil with years of results: 5,000 grades, in 40 or 200 spelling
// lists, a tenth of them stopped and one in fifty with a date text that cannot be read. Prints
// the time of turning the grades into series, and of opening the chart window (series, axes,
// laid out and painted offscreen). Goal: under 500 ms to open.

#include "reports/progresschartdlg.h"
#include "reports/progressdata.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int kGrades = 5000;

CRecordList<CGrade> history(int lists)
{
    std::mt19937 random(2026);
    CRecordList<CGrade> grades;
    for (int i = 0; i < kGrades; ++i) {
        auto grade = std::make_unique<CGrade>();
        QString name = QStringLiteral("Week %1").arg(i % lists);
        if (random() % 10 == 0)
            name += QStringLiteral("--Stopped Test");
        else if (random() % 4 == 0)
            name += QStringLiteral("--Repeat");
        grade->SetListName(name);
        grade->SetDateText(random() % 50 == 0
                               ? QStringLiteral("Time Error")
                               : QString::asprintf("%02d/%02d/%02d, %02d:%02d AM", int(random() % 12 + 1),
                                                   int(random() % 28 + 1), int(random() % 6 + 20),
                                                   int(random() % 12 + 1), int(random() % 60)));
        grade->SetWordCount(int(random() % 20 + 5));
        grade->SetCorrectCount(int(random() % (grade->GetWordCount() + 1)));
        grades.AddTail(std::move(grade));
    }
    return grades;
}

void BM_Build(benchmark::State& state)
{
    const CRecordList<CGrade> grades = history(int(state.range(0)));
    qsizetype points = 0;
    for (auto _ : state) {
        const SProgressChart chart = ProgressData::Build(grades);
        points = chart.PointCount();
        benchmark::DoNotOptimize(points);
    }
    state.counters["points"] = double(points);
}

void BM_OpenChart(benchmark::State& state)
{
    const CRecordList<CGrade> grades = history(int(state.range(0)));
    for (auto _ : state) {
        CProgressChartDlg dialog(grades, QStringLiteral("Pupil"));
        dialog.show();
        QCoreApplication::processEvents();
        dialog.repaint();
    }
}

}  // namespace

BENCHMARK(BM_Build)->Arg(40)->Arg(200)->ArgName("lists")->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_OpenChart)->Arg(40)->Arg(200)->ArgName("lists")->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
