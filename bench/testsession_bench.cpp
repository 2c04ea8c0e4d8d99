// The test engine: building the shuffled order of a list, and a whole test over a real list file
// of 200 words whose recordings are 2 seconds of sound each (176 KB), answered word by word. Prints words per second (items_per_second).
// Goals: the order of a 1,000-word list in under 1 ms; asking a word (check, next: its row read
// and its recording written to Temp.wav) in under 5 ms.

#include "base/appsettings.h"
#include "base/messages.h"
#include "document/orthexdoc.h"
#include "storage/spellinglistdb.h"
#include "sound/soundplayer.h"
#include "testtaking/testorder.h"
#include "testtaking/testsession.h"
#include "testing/testenvironment.h"
#include "testing/testlists.h"
#include "testing/testwav.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
void BM_ShuffledOrder(benchmark::State& state)
{
    const int count = int(state.range(0));
    quint32 seed = 1765000000u;
    for (auto _ : state)
        benchmark::DoNotOptimize(TestOrder::Shuffled(count, seed++));
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ShuffledOrder)->Arg(20)->Arg(1000)->Arg(32768)->Unit(benchmark::kMicrosecond);

class CQuietSink : public IMessageSink
{
public:
    void ShowMessage(const QString&, MessageIcon) override {}
};

void BM_WholeTest(benchmark::State& state)
{
    constexpr int kWords = 200;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.orthex"));
    {
        // Two seconds of 16-bit stereo sound at 22050 Hz for every word.
        const QByteArray sound = TestWav::Pcm16(QByteArray(22050 * 2 * 2 * 2, '\x11'), 22050, 2);
        QList<TestLists::Row> rows;
        for (int i = 1; i <= kWords; ++i)
            rows.append({i, QStringLiteral("Teacher"), QStringLiteral("word%1").arg(i), sound});
        TestLists::Make(path, rows);
    }
    CQuietSink quiet;
    Messages::SetSink(&quiet);
    COrthexDoc doc;
    doc.OpenList(path);
    doc.SetTitle(QStringLiteral("bench.orthex"));
    CSoundPlayer player;
    CAppSettings settings;
    CTestSession session(doc, player, settings);
    session.SetRecordingFolder(dir.path() + QLatin1Char('/'));
    session.ResetTest();
    session.SetRandomize(1);
    for (auto _ : state) {
        session.StartTest();
        while (doc.IsTestRunning()) {
            session.SetAnswer(session.CurrentWord());
            session.CheckAnswer();
            session.NextWord();
        }
    }
    Messages::SetSink(nullptr);
    state.SetItemsProcessed(state.iterations() * kWords);
}
BENCHMARK(BM_WholeTest)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
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
