// The test engine: building the shuffled order of a list, and a whole test over a real list file
// of 200 words whose recordings are 2 seconds of sound each (176 KB), answered word by word. Prints words per second (items_per_second).
// Goals: the order of a 1,000-word list in under 1 ms; asking a word (check, next: its row read
// and its recording written to Temp.wav) in under 5 ms.

#include "app/appsettings.h"
#include "app/messages.h"
#include "lists/listdatabase.h"
#include "lists/orthexdoc.h"
#include "lists/spellinglistdb.h"
#include "sound/soundplayer.h"
#include "test/testorder.h"
#include "test/testsession.h"
#include "testing/testenvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

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

QByteArray wavOfSeconds(int seconds)
{
    const quint32 rate = 22050;
    const QByteArray pcm(qsizetype(rate) * 2 * 2 * seconds, '\x11');
    auto le16 = [](quint16 v) { char b[2]; qToLittleEndian(v, b); return QByteArray(b, 2); };
    auto le32 = [](quint32 v) { char b[4]; qToLittleEndian(v, b); return QByteArray(b, 4); };
    const QByteArray fmt = le16(1) + le16(2) + le32(rate) + le32(rate * 4) + le16(4) + le16(16);
    const QByteArray chunks = QByteArray("fmt ") + le32(16) + fmt + QByteArray("data") + le32(quint32(pcm.size())) + pcm;
    return QByteArray("RIFF") + le32(quint32(chunks.size() + 4)) + "WAVE" + chunks;
}

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
        CListDatabase::Create(path);
        CListDatabase database;
        database.Open(path);
        CSpellingListDB rows(database);
        rows.Open();
        const QByteArray sound = wavOfSeconds(2);
        for (int i = 1; i <= kWords; ++i)
            rows.AppendWord(i, QStringLiteral("Teacher"), QStringLiteral("word%1").arg(i), sound);
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
