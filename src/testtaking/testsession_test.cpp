#include "testtaking/testsession.h"

#include "base/appsettings.h"
#include "sound/soundplayer.h"
#include "testtaking/testorder.h"
#include "testing/testsupport.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "users/userresults.h"
#include "users/resultfiles.h"

#include <QSet>

#include <algorithm>
#include <cstdlib>
#include <limits>

using namespace TestSupport;

namespace {
const QString kReady = QStringLiteral(
    "Ready.\r\nClick LISTEN or press Enter to hear word.\r\nType your answer in Spell It.\r\nFinally, click NEXT or "
    "press Enter to continue.");
const QString kRight = QStringLiteral("You got it right!\r\nClick NEXT or press Enter to continue.");
const QString kRepeating = QStringLiteral("Sorry wrong answer.\r\nRepeating word, try again.");
const QString kSkipped = QStringLiteral("Word skipped and added to vocabulary list.");
const QString kStopped = QStringLiteral("Try again.  Click Start button.");
const QString kNotPlayed = QStringLiteral(
    "The word could not be played.\r\nType it in Spell It if you know it, or click SKIP WORD.");
const QString kNoRecording = QStringLiteral(
    "This word has no recording, so there is nothing to play.\r\nType it in Spell It if you know it, or click SKIP "
    "WORD.");
const QString kTypeFirst = QStringLiteral("Spell It is empty: type the word first, then press Enter or click CHECK.");

QString wrong(const QString& word, const QString& markedAnswer, const QString& markedWord)
{
    return QStringLiteral("Sorry wrong answer.\r\nThe correct spelling is ") + word + QStringLiteral(".\r\nYou wrote:  ")
           + markedAnswer + QStringLiteral("\r\nRight:  ") + markedWord
           + QStringLiteral("\r\nClick NEXT or press Enter to continue.");
}

QString summary(const QString& counts, const QString& score, const QString& practise)
{
    return QStringLiteral("End of test.\r\n") + counts + QStringLiteral("\r\nScore: ") + score
           + QStringLiteral("\r\nWords to practise: ") + practise + QStringLiteral("\r\nClick Start to redo test.");
}

// 12/08/26, 03:10 AM in UTC.
constexpr std::time_t kStartTime = 1796699400;

using Controls = QList<ETestControl>;

// The controls that are enabled, in the enum's order.
Controls enabledControls(const CTestSession& session)
{
    Controls on;
    for (int c = 0; c < int(ETestControl::None); ++c)
        if (session.IsEnabled(ETestControl(c)))
            on << ETestControl(c);
    return on;
}

QStringList gradeTexts(const COrthexDoc& doc)
{
    QStringList texts;
    for (const CGrade& grade : doc.Results().Grades())
        texts << QStringLiteral("%1|%2|%3 of %4")
                     .arg(grade.GetListName(), grade.GetDateText())
                     .arg(grade.GetCorrectCount())
                     .arg(grade.GetWordCount());
    return texts;
}
}  // namespace

// A test over a real list file, driven the way the page drives it.
struct STestRun {
    std::unique_ptr<COrthexDoc> doc;
    CSoundPlayer player;
    CAppSettings settings;
    CTestSession session;
    QString folder;
    std::time_t now = kStartTime;

    STestRun(const QString& user, const QStringList& words, const QString& name = QStringLiteral("Week1.orthex"),
             const QList<QByteArray>& recordings = {})
        : doc(MakeDocument(user, words.isEmpty() ? QString() : MakeList(name, words, recordings)))
        , session(*doc, player, settings)
        , folder(NewFolder(QStringLiteral("recordings")))
    {
        session.SetRecordingFolder(folder);
        session.SetClock([this] { return now; });
        session.ResetTest();
    }

    // Answers the word being asked and goes on.
    void Answer(const QString& answer)
    {
        session.SetAnswer(answer);
        session.CheckAnswer();
        session.NextWord();
    }
    void Skip()
    {
        session.SkipWord();
        session.NextWord();
    }
    // A whole test, every word answered right; the words in the order they were asked.
    QStringList RunRight()
    {
        QStringList asked;
        session.StartTest();
        while (doc->IsTestRunning()) {
            asked << session.CurrentWord();
            Answer(session.CurrentWord());
        }
        return asked;
    }
};

class TestSessionTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<CRecordingMessageSink> m_sink;

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("TZ", "UTC");
        tzset();
        m_sink = std::make_unique<CRecordingMessageSink>();
    }
    void init()
    {
        m_sink->Clear();
        CAppSettings settings;
        settings.SetRandomizeList(0);
        settings.SetRepeat(0);
    }
    void cleanupTestCase() { m_sink.reset(); }

    void eachWordAskedOnce_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<bool>("randomize");
        const QStringList four{QStringLiteral("apple"), QStringLiteral("babies"), QStringLiteral("weird"),
                               QStringLiteral("rhythm")};
        QStringList twelve;
        for (int i = 1; i <= 12; ++i)
            twelve << QStringLiteral("word%1").arg(i);
        QTest::newRow("one word in order") << QStringList{QStringLiteral("apple")} << false;
        QTest::newRow("one word shuffled") << QStringList{QStringLiteral("apple")} << true;
        QTest::newRow("four in order") << four << false;
        QTest::newRow("four shuffled") << four << true;
        QTest::newRow("twelve shuffled") << twelve << true;
    }

    // Every word is asked exactly once, in list order or in the shuffled order of the start
    // time, and its recording is what the recording file holds while it is asked.
    void eachWordAskedOnce()
    {
        QFETCH(QStringList, words);
        QFETCH(bool, randomize);
        STestRun run(QStringLiteral("pupil"), words);
        run.session.SetRandomize(randomize ? 1 : 0);
        run.session.StartTest();
        QCOMPARE(run.session.Order(), TestOrder::Build(int(words.size()), randomize, quint32(kStartTime)));
        QStringList asked;
        while (run.doc->IsTestRunning()) {
            const QString word = run.session.CurrentWord();
            asked << word;
            QCOMPARE(run.session.WordNumber(), int(asked.size()));
            QCOMPARE(TestFiles::Read(run.folder + QStringLiteral("Temp.wav")), RecordingOf(word));
            run.Answer(word);
            QVERIFY(asked.size() <= words.size());
        }
        QStringList expected;
        for (qint32 position : run.session.Order())
            expected << words.at(position - 1);
        QCOMPARE(asked, expected);
        QStringList sorted = asked;
        sorted.sort();
        QStringList all = words;
        all.sort();
        QCOMPARE(sorted, all);
        QCOMPARE(run.session.CorrectCount(), int(words.size()));
        const QString score = QStringLiteral("%1 of %1 right").arg(words.size());
        QCOMPARE(run.session.ScoreText(), score);
        QCOMPARE(run.session.Message(),
                 summary(QStringLiteral("Right: %1, wrong: 0, skipped: 0.").arg(words.size()),
                         score + QStringLiteral(" (100.00 %)."), QStringLiteral("none, well done!")));
        QVERIFY(m_sink->Texts().isEmpty());
    }

    void shuffleSeedsWithTheLow32BitsOfTheTime()
    {
        const QStringList words{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                                QStringLiteral("e")};
        STestRun run(QString(), words);
        run.now = std::time_t(0x100000001LL);  // low 32 bits: 1
        run.session.SetRandomize(1);
        run.session.StartTest();
        QCOMPARE(run.session.Order(), (QList<qint32>{4, 1, 2, 5, 3}));
        QCOMPARE(run.session.CurrentWord(), QStringLiteral("d"));
        // Seeded again at every start, from that start's time.
        run.session.StopTest();
        run.now = 1;
        run.session.StartTest();
        QCOMPARE(run.session.Order(), (QList<qint32>{4, 1, 2, 5, 3}));
    }

    void answers_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("right");
        QTest::addColumn<QString>("marked");  // the answer against the word, the differences in brackets
        const QString apple = QStringLiteral("apple");
        QTest::newRow("exact") << apple << QStringLiteral("apple") << true << QString();
        QTest::newRow("capital") << apple << QStringLiteral("Apple") << false << QStringLiteral("[A]pple|[a]pple");
        QTest::newRow("trailing space") << apple << QStringLiteral("apple ") << false << QStringLiteral("apple[ ]|apple[_]");
        QTest::newRow("leading space") << apple << QStringLiteral(" apple") << false << QStringLiteral("[ ]apple|[_]apple");
        QTest::newRow("misspelt") << apple << QStringLiteral("aple") << false << QStringLiteral("ap[_]le|ap[p]le");
        // A keyboard may give e and a combining accent where the list has one letter, or an
        // older list the other way round: the same letters either way.
        QTest::newRow("decomposed answer") << QStringLiteral("\u00E9t\u00E9") << QStringLiteral("e\u0301te\u0301")
                                           << true << QString();
        QTest::newRow("decomposed word") << QStringLiteral("e\u0301te\u0301") << QStringLiteral("\u00E9t\u00E9")
                                         << true << QString();
    }

    void answers()
    {
        QFETCH(QString, word);
        QFETCH(QString, answer);
        QFETCH(bool, right);
        QFETCH(QString, marked);
        STestRun run(QStringLiteral("pupil"), {word, QStringLiteral("pear")});
        run.session.StartTest();
        run.session.SetAnswer(answer);
        run.session.CheckAnswer();
        QCOMPARE(run.session.Message(), right ? kRight
                                              : wrong(word, marked.section(QLatin1Char('|'), 0, 0),
                                                      marked.section(QLatin1Char('|'), 1)));
        // A screen reader hears where the spelling differs.
        QCOMPARE(run.session.MessageDescription().startsWith(QStringLiteral("You wrote \"%1\"").arg(answer)), !right);
        QCOMPARE(run.session.CorrectCount(), right ? 1 : 0);
        QCOMPARE(run.session.ScoreText(), right ? QStringLiteral("1 of 1 right") : QStringLiteral("0 of 1 right"));
        QCOMPARE(run.session.Results(),
                 (QList<STestLine>{{answer, right ? CTestSession::kRightColour : CTestSession::kWrongColour}}));
        QCOMPARE(run.session.SelectedLine(), 0);
        QCOMPARE(run.doc->Results().Missed().size(), right ? 0 : 1);
        if (!right) {
            const CMissed& missed = run.doc->Results().Missed().at(0);
            QCOMPARE(missed.GetListName(), QStringLiteral("Week1.orthex"));
            QCOMPARE(missed.GetDateText(), QStringLiteral("12/08/26, 03:10 AM"));
            QCOMPARE(missed.GetWord(), word);
            QCOMPARE(missed.GetMisspelling(), answer);
        }
        QCOMPARE(enabledControls(run.session), (Controls{ETestControl::Next, ETestControl::Stop}));
        QCOMPARE(run.session.Focus(), ETestControl::Next);
    }

    void emptyAnswerIsNotJudged_data()
    {
        QTest::addColumn<bool>("enter");
        QTest::addColumn<int>("repeat");
        QTest::addColumn<bool>("recorded");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("played");
        // No audio server here: the word is played, and playing says it failed.
        QTest::newRow("Enter plays the word again") << true << 0 << true << kNotPlayed << true;
        QTest::newRow("Enter, no recording") << true << 0 << false << kNoRecording << false;
        QTest::newRow("Check") << false << 0 << true << kTypeFirst << false;
        QTest::newRow("Check, repeating") << false << 1 << true << kTypeFirst << false;
    }

    // Nothing typed is no answer: neither scored, listed nor stored as a misspelling; the word
    // is still asked.
    void emptyAnswerIsNotJudged()
    {
        QFETCH(bool, enter);
        QFETCH(int, repeat);
        QFETCH(bool, recorded);
        QFETCH(QString, message);
        QFETCH(bool, played);
        STestRun run(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear")},
                     QStringLiteral("Week1.orthex"), recorded ? QList<QByteArray>{} : QList<QByteArray>{QByteArray()});
        run.session.SetRepeat(repeat);
        run.session.StartTest();
        run.session.SetAnswer(QString());
        if (enter) {
            run.session.ListenToWord();  // the focus is in the answer field
            m_sink->Clear();
            run.session.OnEnterKey();
        } else {
            run.session.CheckAnswer();
        }
        QCOMPARE(run.session.Message(), message);
        QCOMPARE(m_sink->Texts().contains(QStringLiteral("Play Error")), played);
        QCOMPARE(run.session.WordNumber(), 1);
        QVERIFY(run.session.Results().isEmpty());
        QCOMPARE(run.session.ScoreText(), QString());
        QVERIFY(run.doc->Results().Missed().isEmpty());
        QCOMPARE(enabledControls(run.session), (Controls{ETestControl::Check, ETestControl::Listen, ETestControl::Skip,
                                                         ETestControl::Stop, ETestControl::Answer}));
        QCOMPARE(run.session.Focus(), ETestControl::Answer);
        // Typed, the same Enter judges it.
        run.session.SetAnswer(QStringLiteral("aple"));
        run.session.OnEnterKey();
        QCOMPARE(run.session.Results().size(), repeat ? 0 : 1);
    }

    void repeatUntilRight()
    {
        STestRun run(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear"), QStringLiteral("plum")});
        run.session.SetRepeat(1);
        run.session.StartTest();
        const Controls asking{ETestControl::Check, ETestControl::Listen, ETestControl::Skip, ETestControl::Stop,
                              ETestControl::Answer};
        for (const QString& attempt : {QStringLiteral("Apple"), QStringLiteral("aple")}) {
            run.session.SetAnswer(attempt);
            run.session.CheckAnswer();
            QCOMPARE(run.session.Message(), kRepeating);
            QCOMPARE(run.session.Answer(), attempt);
            QCOMPARE(run.session.WordNumber(), 1);
            QCOMPARE(run.session.CorrectCount(), 0);
            QCOMPARE(run.session.ScoreText(), QString());
            QVERIFY(run.session.Results().isEmpty());
            QVERIFY(run.doc->Results().Missed().isEmpty());
            QCOMPARE(enabledControls(run.session), asking);
            QCOMPARE(run.session.Focus(), ETestControl::Answer);
        }
        run.Answer(QStringLiteral("apple"));
        run.Skip();
        run.session.SetAnswer(QStringLiteral("plumb"));
        run.session.CheckAnswer();
        run.Answer(QStringLiteral("plum"));
        QVERIFY(!run.doc->IsTestRunning());
        QCOMPARE(run.session.CorrectCount(), 2);
        QCOMPARE(run.session.Results(), (QList<STestLine>{{QStringLiteral("apple"), CTestSession::kRightColour},
                                                          {QStringLiteral("pear"), CTestSession::kSkippedColour},
                                                          {QStringLiteral("plum"), CTestSession::kRightColour}}));
        QVERIFY(run.doc->Results().Missed().isEmpty());
        QCOMPARE(gradeTexts(*run.doc), QStringList{QStringLiteral("Week1.orthex--Repeat|12/08/26, 03:10 AM|2 of 3")});
    }

    void skipEveryWord()
    {
        const QStringList words{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"),
                                QStringLiteral("four")};
        STestRun run(QStringLiteral("pupil"), words);
        run.session.StartTest();
        for (int i = 0; i < 4; ++i) {
            run.session.SkipWord();
            QCOMPARE(run.session.Message(), kSkipped);
            QCOMPARE(enabledControls(run.session), (Controls{ETestControl::Next, ETestControl::Stop}));
            QCOMPARE(run.session.SelectedLine(), i);
            run.session.NextWord();
        }
        QCOMPARE(run.session.CorrectCount(), 0);
        QCOMPARE(run.session.ScoreText(), QStringLiteral("0 of 4 right"));
        QCOMPARE(run.session.Message(), summary(QStringLiteral("Right: 0, wrong: 0, skipped: 4."),
                                                QStringLiteral("0 of 4 right (0.00 %)."),
                                                QStringLiteral("one, two, three, four.")));
        QList<STestLine> blue;
        for (const QString& word : words)
            blue << STestLine{word, CTestSession::kSkippedColour};
        QCOMPARE(run.session.Results(), blue);
        QCOMPARE(run.doc->Results().Vocabulary().size(), 4);
        // Newest first.
        QCOMPARE(run.doc->Results().Vocabulary().at(0).GetWord(), QStringLiteral("four"));
        QCOMPARE(run.doc->Results().Vocabulary().at(3).GetWord(), QStringLiteral("one"));
        for (const CVocabulary& v : run.doc->Results().Vocabulary()) {
            QCOMPARE(v.GetListName(), QStringLiteral("Week1.orthex"));
            QCOMPARE(v.GetDateText(), QStringLiteral("12/08/26, 03:10 AM"));
            QCOMPARE(v.GetExtra(), QString());
        }
        QCOMPARE(gradeTexts(*run.doc), QStringList{QStringLiteral("Week1.orthex|12/08/26, 03:10 AM|0 of 4")});
    }

    // The skipped word's line shows the word, whatever was typed, and the field keeps the
    // stored answer.
    void skipIgnoresTheTypedAnswer()
    {
        STestRun run(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear")});
        run.session.StartTest();
        run.session.SetAnswer(QStringLiteral("typed"));
        run.session.SkipWord();
        QCOMPARE(run.session.Results(), (QList<STestLine>{{QStringLiteral("apple"), CTestSession::kSkippedColour}}));
        QCOMPARE(run.session.CorrectCount(), 0);
    }

    void scoreAfterEachAnswer()
    {
        STestRun run(QString(), {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        run.session.StartTest();
        QStringList scores;
        while (run.doc->IsTestRunning()) {
            // "b" is answered wrongly.
            run.session.SetAnswer(run.session.CurrentWord() == QLatin1String("b") ? QStringLiteral("d")
                                                                                 : run.session.CurrentWord());
            run.session.CheckAnswer();
            scores << run.session.ScoreText();
            run.session.NextWord();
        }
        // Over the words asked so far, not the whole list.
        QCOMPARE(scores, (QStringList{QStringLiteral("1 of 1 right"), QStringLiteral("1 of 2 right"),
                                      QStringLiteral("2 of 3 right")}));
        QCOMPARE(run.session.Message(), summary(QStringLiteral("Right: 2, wrong: 1, skipped: 0."),
                                                QStringLiteral("2 of 3 right (66.67 %)."), QStringLiteral("b.")));
    }

    void formatScore_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("8 of 10") << 8 << 10 << QStringLiteral("80.00 %");
        QTest::newRow("none") << 0 << 3 << QStringLiteral("0.00 %");
        QTest::newRow("1 of 7") << 1 << 7 << QStringLiteral("14.29 %");
        QTest::newRow("2 of 3") << 2 << 3 << QStringLiteral("66.67 %");
        QTest::newRow("1 of 1") << 1 << 1 << QStringLiteral("100.00 %");
        QTest::newRow("1 of 8") << 1 << 8 << QStringLiteral("12.50 %");
        // Rounded to single precision first: 0.005 as a float lies just below it, so it is
        // written 0.00 (in double precision it would be 0.01).
        QTest::newRow("2 of 40000") << 2 << 40000 << QStringLiteral("0.00 %");
        QTest::newRow("3 of 40000") << 3 << 40000 << QStringLiteral("0.01 %");
    }

    // Also run under LC_ALL=de_DE.UTF-8, where the C library would write a decimal comma.
    void formatScore()
    {
        QFETCH(int, correct);
        QFETCH(int, count);
        QFETCH(QString, text);
        QCOMPARE(CTestSession::FormatScore(correct, count), text);
    }

    void stopAfterTwoOfTen_data()
    {
        QTest::addColumn<int>("repeat");
        QTest::addColumn<QString>("listName");
        QTest::newRow("plain") << 0 << QStringLiteral("Week1.orthex--Stopped Test");
        QTest::newRow("repeat") << 1 << QStringLiteral("Week1.orthex--Repeat, Stopped");
    }

    void stopAfterTwoOfTen()
    {
        QFETCH(int, repeat);
        QFETCH(QString, listName);
        QStringList words;
        for (int i = 1; i <= 10; ++i)
            words << QStringLiteral("w%1").arg(i);
        STestRun run(QStringLiteral("pupil"), words);
        run.session.SetRepeat(repeat);
        run.session.StartTest();
        run.Answer(run.session.CurrentWord());
        run.Answer(run.session.CurrentWord());
        run.session.StopTest();
        QCOMPARE(gradeTexts(*run.doc), QStringList{listName + QStringLiteral("|12/08/26, 03:10 AM|2 of 10")});
        QCOMPARE(run.session.Message(), kStopped);
        QCOMPARE(run.session.WordNumber(), 0);
        QCOMPARE(run.session.CorrectCount(), 0);
        QCOMPARE(run.session.ScoreText(), QString());
        QCOMPARE(run.session.Answer(), QString());
        QVERIFY(!run.doc->IsTestRunning());
        QVERIFY(run.doc->Results().IsChanged());
        QCOMPARE(enabledControls(run.session),
                 (Controls{ETestControl::Start, ETestControl::Randomize, ETestControl::Repeat}));
        // The lines of the stopped test stay until the next start.
        QCOMPARE(run.session.Results().size(), 2);
        run.session.ResetTest();
        QCOMPARE(run.session.Results().size(), 2);
        run.session.StartTest();
        QVERIFY(run.session.Results().isEmpty());
    }

    void stopStoresOnlyAnsweredTests_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("grades");
        QTest::newRow("no answer") << QString() << QStringList{};
        QTest::newRow("nothing typed") << QStringLiteral("empty") << QStringList{};
        QTest::newRow("a wrong try, repeating")
            << QStringLiteral("wrong") << QStringList{QStringLiteral("Week1.orthex--Repeat, Stopped|12/08/26, 03:10 AM|0 of 2")};
        QTest::newRow("a skipped word")
            << QStringLiteral("skip") << QStringList{QStringLiteral("Week1.orthex--Stopped Test|12/08/26, 03:10 AM|0 of 2")};
    }

    // A test stopped before any answer leaves no grade, and writes nothing.
    void stopStoresOnlyAnsweredTests()
    {
        QFETCH(QString, before);
        QFETCH(QStringList, grades);
        STestRun run(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear")});
        int writes = 0;
        run.session.SetResultsWriter([&writes](COrthexDoc&) { return ++writes > 0; });
        run.session.SetRepeat(before == QLatin1String("wrong") ? 1 : 0);
        run.session.StartTest();
        QVERIFY(!run.session.HasAnswers());
        if (before == QLatin1String("skip")) {
            run.session.SkipWord();
        } else if (!before.isEmpty()) {
            run.session.SetAnswer(before == QLatin1String("wrong") ? QStringLiteral("aple") : QString());
            run.session.CheckAnswer();
        }
        QCOMPARE(run.session.HasAnswers(), !grades.isEmpty());
        run.session.StopTest();
        QVERIFY(!run.session.HasAnswers());
        QCOMPARE(gradeTexts(*run.doc), grades);
        QCOMPARE(writes, grades.size());
        QCOMPARE(run.session.Message(), kStopped);
    }

    void nobodyLoggedIn()
    {
        STestRun run(QString(), {QStringLiteral("apple"), QStringLiteral("pear"), QStringLiteral("plum")});
        int writes = 0;
        run.session.SetResultsWriter([&writes](COrthexDoc&) { return ++writes > 0; });
        run.session.StartTest();
        run.Answer(QStringLiteral("Apple"));
        run.Skip();
        run.Answer(QStringLiteral("plum"));
        QCOMPARE(run.session.Message(), summary(QStringLiteral("Right: 1, wrong: 1, skipped: 1."),
                                                QStringLiteral("1 of 3 right (33.33 %)."),
                                                QStringLiteral("apple, pear.")));
        QCOMPARE(run.session.CorrectCount(), 1);
        QCOMPARE(run.session.Results().size(), 3);
        QVERIFY(run.doc->Results().Grades().isEmpty());
        QVERIFY(run.doc->Results().Missed().isEmpty());
        QVERIFY(run.doc->Results().Vocabulary().isEmpty());
        run.session.StartTest();
        run.session.StopTest();
        QVERIFY(run.doc->Results().Grades().isEmpty());
        QCOMPARE(writes, 0);
    }

    void newestGradeFirst()
    {
        STestRun run(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear")});
        run.RunRight();
        run.now = kStartTime + 3600;
        run.session.StartTest();
        run.Answer(QStringLiteral("x"));
        run.Answer(QStringLiteral("pear"));
        QCOMPARE(gradeTexts(*run.doc), (QStringList{QStringLiteral("Week1.orthex|12/08/26, 04:10 AM|1 of 2"),
                                                    QStringLiteral("Week1.orthex|12/08/26, 03:10 AM|2 of 2")}));
    }

    // The date text is taken once, at the start: later answers, hours on, carry it too.
    void oneDateTextPerTest()
    {
        STestRun run(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear"), QStringLiteral("plum")});
        run.session.StartTest();
        run.now += 7200;
        run.Answer(QStringLiteral("aple"));
        run.now += 7200;
        run.Skip();
        run.now += 7200;
        run.Answer(QStringLiteral("plum"));
        QCOMPARE(run.doc->Results().Missed().at(0).GetDateText(), QStringLiteral("12/08/26, 03:10 AM"));
        QCOMPARE(run.doc->Results().Vocabulary().at(0).GetDateText(), QStringLiteral("12/08/26, 03:10 AM"));
        QCOMPARE(run.doc->Results().Grades().at(0).GetDateText(), QStringLiteral("12/08/26, 03:10 AM"));
    }

    void timeThatCannotBeConverted()
    {
        STestRun run(QStringLiteral("pupil"), {QStringLiteral("apple")});
        run.now = std::numeric_limits<std::time_t>::max();
        run.session.SetRandomize(1);
        run.session.StartTest();
        run.Answer(QStringLiteral("aple"));
        QCOMPARE(run.doc->Results().Missed().at(0).GetDateText(), QStringLiteral("Invalid DateTime"));
        QCOMPARE(run.doc->Results().Grades().at(0).GetDateText(), QStringLiteral("Invalid DateTime"));
    }

    void noWords_data()
    {
        QTest::addColumn<bool>("openList");
        QTest::newRow("no list open") << false;
        QTest::newRow("empty list") << true;
    }

    void noWords()
    {
        QFETCH(bool, openList);
        const QString path = openList ? MakeList(QStringLiteral("Empty.orthex"), {}) : QString();
        auto doc = MakeDocument(QStringLiteral("pupil"), path);
        QCOMPARE(doc->IsListOpen(), openList);
        CSoundPlayer player;
        CAppSettings settings;
        CTestSession session(*doc, player, settings);
        session.ResetTest();
        QCOMPARE(session.Message(), QStringLiteral("No spelling list ...\r\nPlease open or create a list."));
        QCOMPARE(session.WordCount(), 0);
        const Controls before = enabledControls(session);
        session.StartTest();
        QCOMPARE(m_sink->Entries().size(), 1);
        QCOMPARE(m_sink->Entries().at(0).text, QStringLiteral("Error with spelling list.\nCheck list and try again."));
        QCOMPARE(m_sink->Entries().at(0).icon, MessageIcon::Exclamation);
        QVERIFY(!doc->IsTestRunning());
        QVERIFY(!doc->Results().IsChanged());
        QCOMPARE(enabledControls(session), before);
        QCOMPARE(session.WordNumber(), 0);
        QCOMPARE(session.DateText(), QString());
    }

    void resetTakesTheSettings_data()
    {
        QTest::addColumn<int>("randomize");
        QTest::addColumn<int>("repeat");
        QTest::newRow("neither") << 0 << 0;
        QTest::newRow("both") << 1 << 1;
        QTest::newRow("repeat only") << 0 << 1;
    }

    void resetTakesTheSettings()
    {
        QFETCH(int, randomize);
        QFETCH(int, repeat);
        {
            CAppSettings settings;
            settings.SetRandomizeList(randomize);
            settings.SetRepeat(repeat);
        }
        STestRun run(QString(), {QStringLiteral("apple"), QStringLiteral("pear")});
        QCOMPARE(run.session.Randomize(), randomize);
        QCOMPARE(run.session.Repeat(), repeat);
        QCOMPARE(run.session.Message(), QStringLiteral("Click Start button to take a test."));
        QCOMPARE(run.session.WordCount(), 2);
        QCOMPARE(run.session.CurrentWord(), QStringLiteral("Hi"));
        // A change on the page holds for the next test only and is never written back.
        run.session.SetRandomize(1 - randomize);
        run.session.StartTest();
        run.session.StopTest();
        QCOMPARE(run.settings.RandomizeList(), randomize);
        run.session.ResetTest();
        QCOMPARE(run.session.Randomize(), randomize);
    }

    void controlsThroughATest()
    {
        STestRun run(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear")});
        const Controls idle{ETestControl::Start, ETestControl::Stop, ETestControl::Randomize, ETestControl::Repeat};
        // Start and Stop as the form has them: reset leaves them alone.
        QCOMPARE(enabledControls(run.session), idle);
        run.session.SetControlEnabled(ETestControl::Stop, false);
        run.session.ResetTest();
        QCOMPARE(enabledControls(run.session), (Controls{ETestControl::Start, ETestControl::Randomize, ETestControl::Repeat}));

        const Controls asking{ETestControl::Check, ETestControl::Listen, ETestControl::Skip, ETestControl::Stop,
                              ETestControl::Answer};
        const Controls answered{ETestControl::Next, ETestControl::Stop};
        run.session.StartTest();
        QCOMPARE(enabledControls(run.session), asking);
        QCOMPARE(run.session.Focus(), ETestControl::Listen);
        QCOMPARE(run.session.Message(), kReady);
        QVERIFY(run.doc->IsTestRunning());
        QVERIFY(run.doc->Results().IsChanged());
        run.session.SetAnswer(QStringLiteral("apple"));
        run.session.CheckAnswer();
        QCOMPARE(enabledControls(run.session), answered);
        run.session.NextWord();
        QCOMPARE(enabledControls(run.session), asking);
        QCOMPARE(run.session.Focus(), ETestControl::Listen);
        QCOMPARE(run.session.Answer(), QString());
        run.session.SkipWord();
        QCOMPARE(enabledControls(run.session), answered);
        run.session.NextWord();
        QCOMPARE(enabledControls(run.session), (Controls{ETestControl::Start, ETestControl::Randomize, ETestControl::Repeat}));
        QVERIFY(!run.doc->IsTestRunning());
        QVERIFY(run.doc->Results().IsChanged());
        // Listen is off at the end: the pupil goes on from Start.
        QCOMPARE(run.session.Focus(), ETestControl::Start);
    }

    // Enter without a page: the engine's own focus decides.
    void enterKeyFollowsTheFocus()
    {
        STestRun run(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear")});
        run.session.StartTest();
        QCOMPARE(run.session.Focus(), ETestControl::Listen);
        run.session.OnEnterKey();  // Listen: nothing could be played here
        QCOMPARE(m_sink->Texts().last(), QStringLiteral("Play Error"));
        QCOMPARE(m_sink->Entries().last().icon, MessageIcon::None);
        QCOMPARE(run.session.Message(), kNotPlayed);
        QCOMPARE(run.session.Focus(), ETestControl::Answer);
        run.session.SetAnswer(QStringLiteral("apple"));
        run.session.OnEnterKey();  // the answer field: check
        QCOMPARE(run.session.CorrectCount(), 1);
        QCOMPARE(run.session.Focus(), ETestControl::Next);
        run.session.OnEnterKey();  // Next
        QCOMPARE(run.session.WordNumber(), 2);
        QCOMPARE(run.session.Focus(), ETestControl::Listen);
    }

    // A row that is gone when its word is asked leaves the word empty, the recording file as it
    // was, and nothing to play.
    void rowGoneDuringTheTest()
    {
        STestRun run(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear")});
        run.session.StartTest();
        QVERIFY(run.doc->List()->SetAbsolutePosition(2));
        QVERIFY(run.doc->List()->Delete());
        run.Answer(QStringLiteral("apple"));
        QCOMPARE(run.session.WordNumber(), 2);
        QCOMPARE(run.session.CurrentWord(), QString());
        QCOMPARE(TestFiles::Read(run.folder + QStringLiteral("Temp.wav")), RecordingOf(QStringLiteral("apple")));
        // Listen does not play the earlier word the file still holds.
        m_sink->Clear();
        run.session.ListenToWord();
        QCOMPARE(run.session.Message(), kNoRecording);
        QVERIFY(m_sink->Texts().isEmpty());
        run.Skip();
        QCOMPARE(run.session.CorrectCount(), 1);
    }

    // Start reads the rows again: a word added to the file since is in the test.
    void startReadsTheListAgain()
    {
        STestRun run(QString(), {QStringLiteral("apple")});
        QCOMPARE(run.session.WordCount(), 1);
        {
            CListDatabase other;
            QVERIFY(other.Open(run.doc->GetPathName()));
            CSpellingListDB rows(other);
            QVERIFY(rows.Open());
            QVERIFY(rows.AppendWord(2, QStringLiteral("Teacher"), QStringLiteral("pear"), RecordingOf(QStringLiteral("pear"))));
        }
        const QStringList asked = run.RunRight();
        QCOMPARE(asked, (QStringList{QStringLiteral("apple"), QStringLiteral("pear")}));
        QCOMPARE(run.session.WordCount(), 2);
    }

    // The recording folder is made when it is missing, so the word can be heard.
    void missingRecordingFolderIsMade()
    {
        STestRun run(QString(), {QStringLiteral("apple")});
        const QString folder = run.folder + QStringLiteral("not/yet/");
        run.session.SetRecordingFolder(folder);
        run.session.StartTest();
        QCOMPARE(TestFiles::Read(folder + QStringLiteral("Temp.wav")), RecordingOf(QStringLiteral("apple")));
        QVERIFY(m_sink->Texts().isEmpty());
    }

    // A finished or a stopped test is written to the user's result files at once, not only
    // when the user changes or the program ends.
    void resultsWrittenAtOnce_data()
    {
        QTest::addColumn<bool>("stop");
        QTest::newRow("finished") << false;
        QTest::newRow("stopped") << true;
    }

    void resultsWrittenAtOnce()
    {
        QFETCH(bool, stop);
        const QString userFolder = NewFolder(QStringLiteral("users")).chopped(1);
        CUserResults files(userFolder);

        STestRun run(QStringLiteral("pupil"), {QStringLiteral("apple"), QStringLiteral("pear")});
        QStringList writes;
        run.session.SetResultsWriter([&](COrthexDoc& doc) {
            writes << gradeTexts(doc).join(QLatin1Char(';'));
            return files.SaveResults(doc.CurrentUser(), doc.Results().IsChanged(),
                                     doc.Results().Lists());
        });
        run.session.StartTest();
        run.Answer(QStringLiteral("aple"));
        QVERIFY(writes.isEmpty());
        if (stop)
            run.session.StopTest();
        else
            run.Answer(QStringLiteral("pear"));
        const QString grade = stop ? QStringLiteral("Week1.orthex--Stopped Test|12/08/26, 03:10 AM|0 of 2")
                                   : QStringLiteral("Week1.orthex|12/08/26, 03:10 AM|1 of 2");
        QCOMPARE(writes, QStringList{grade});

        CResultFiles reader(userFolder);
        CRecordList<CGrade> grades;
        CRecordList<CMissed> missed;
        CRecordList<CVocabulary> vocabulary;
        QVERIFY(reader.Load(QStringLiteral("pupil"), {grades, missed, vocabulary}));
        QCOMPARE(grades.size(), 1);
        QCOMPARE(grades.at(0), run.doc->Results().Grades().at(0));
        QCOMPARE(missed.size(), 1);
        QCOMPARE(missed.at(0).GetMisspelling(), QStringLiteral("aple"));
        QVERIFY(vocabulary.isEmpty());
    }
};

ORTHEX_TEST_MAIN(TestSessionTest)
#include "testsession_test.moc"
