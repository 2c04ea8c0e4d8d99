#include "lists/wordsteps.h"
#include "testing/testenvironment.h"

#include <QtTest>

namespace {
// "R" record, "S" stop, "P" play, "0" reset (update, New Word, Redo, a stored word).
CWordSteps walk(const QString& presses, bool canRecord)
{
    CWordSteps steps(canRecord);
    for (QChar press : presses) {
        switch (press.toLatin1()) {
        case 'R': steps.StartRecording(); break;
        case 'S': steps.Recorded(); break;
        case 'P': steps.Played(); break;
        case '0': steps.Reset(); break;
        }
    }
    return steps;
}

// Enabled buttons as letters: Record, Stop, Play, Add, reDo.
QString enabled(const CWordSteps::Buttons& b)
{
    QString s;
    if (b.record) s += QLatin1Char('R');
    if (b.stop) s += QLatin1Char('S');
    if (b.play) s += QLatin1Char('P');
    if (b.add) s += QLatin1Char('A');
    if (b.redo) s += QLatin1Char('D');
    return s;
}
}  // namespace

class WordStepsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void buttons_data()
    {
        QTest::addColumn<QString>("presses");
        QTest::addColumn<bool>("canRecord");
        QTest::addColumn<QString>("buttons");
        QTest::newRow("start") << "" << true << "R";
        QTest::newRow("recording") << "R" << true << "S";
        QTest::newRow("after Stop only Play") << "RS" << true << "P";
        QTest::newRow("after Play: again, add or redo") << "RSP" << true << "PAD";
        QTest::newRow("played twice") << "RSPP" << true << "PAD";
        QTest::newRow("redo goes back to Record") << "RSP0" << true << "R";
        QTest::newRow("second word") << "RSP0RS" << true << "P";
        QTest::newRow("no microphone: nothing to press") << "" << false << "";
        QTest::newRow("no microphone, a recording made another way") << "S" << false << "P";
        QTest::newRow("no microphone, that recording played") << "SP" << false << "PAD";
        QTest::newRow("no microphone, reset") << "SP0" << false << "";
    }

    void buttons()
    {
        QFETCH(QString, presses);
        QFETCH(bool, canRecord);
        QFETCH(QString, buttons);
        QCOMPARE(enabled(walk(presses, canRecord).Enabled()), buttons);
    }
};

ORTHEX_TEST_MAIN(WordStepsTest)
#include "wordsteps_test.moc"
