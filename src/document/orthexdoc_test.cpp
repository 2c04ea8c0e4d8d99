#include "document/documenthost.h"
#include "storage/listmessages.h"
#include "document/orthexdoc.h"
#include "document/usersession.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "testing/testlists.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

namespace {
const QString kExistsMessage = QStringLiteral("A list with that name already exists in your save folder,\r\nopening..");

class CRecordingHost : public IDocumentHost
{
public:
    bool mainWindow = true;
    std::optional<QString> answer;
    int asked = 0;
    QList<PageCommand> posted;
    QStringList recent;

    bool HasMainWindow() const override { return mainWindow; }
    std::optional<QString> AskNewListPath() override
    {
        ++asked;
        return answer;
    }
    void AddToRecentFileList(const QString& path) override { recent << path; }
    void PostPageCommand(PageCommand command) override { posted << command; }
};

// Logs in the names it is given and keeps a log of the result files' reads and writes.
class CRecordingSession : public IUserSession
{
public:
    QString atStart;
    QString again;
    QStringList* log;

    explicit CRecordingSession(QStringList* calls) : log(calls) {}
    QString LogInAtStart() override
    {
        *log << QStringLiteral("log in at start");
        return atStart;
    }
    QString LogInAgain() override
    {
        *log << QStringLiteral("log in again");
        return again;
    }
    bool LoadResults(COrthexDoc& doc) override
    {
        *log << QStringLiteral("load %1 (lists %2)").arg(doc.CurrentUser()).arg(doc.Results().Grades().size());
        if (!doc.CurrentUser().isEmpty()) {
            auto grade = std::make_unique<CGrade>();
            grade->SetListName(doc.CurrentUser() + QStringLiteral("'s list"));
            doc.Results().Grades().AddTail(std::move(grade));
        }
        return true;
    }
    bool SaveResults(COrthexDoc& doc) override
    {
        *log << QStringLiteral("save %1 changed %2 list open %3")
                    .arg(doc.CurrentUser())
                    .arg(doc.Results().IsChanged())
                    .arg(doc.IsListOpen());
        return true;
    }
};
}  // namespace

class OrthexDocTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString& name) const { return m_dir->filePath(name); }

    // A list of the words word1, word2... made by the creators in turn.
    QString makeList(const QString& name, const QStringList& creators)
    {
        QList<TestLists::Row> rows;
        for (const QString& creator : creators)
            rows.append({rows.size() + 1, creator, QStringLiteral("word%1").arg(rows.size() + 1), QByteArray("RIFF")});
        return TestLists::Make(path(name), rows) ? path(name) : QString();
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(CTestEnvironment::Instance().Root() + QStringLiteral("/doc-XXXXXX"));
        QVERIFY(m_dir->isValid());
    }

    void constructionLogsInAndLoadsTheResults()
    {
        QStringList log;
        auto session = std::make_unique<CRecordingSession>(&log);
        session->atStart = QStringLiteral("anna");
        COrthexDoc doc(std::move(session));
        QCOMPARE(doc.CurrentUser(), QStringLiteral("anna"));
        QCOMPARE(log, (QStringList{"log in at start", "load anna (lists 0)"}));
        QCOMPARE(doc.Results().Grades().size(), 1);
        QVERIFY(!doc.Results().IsChanged());
        QVERIFY(!doc.IsTestRunning());
        QVERIFY(!doc.IsListOpen());
        QVERIFY(!doc.List());
        QCOMPARE(doc.GetWordCount(), 0);
        QCOMPARE(doc.StatusUserText(), QStringLiteral("anna"));
    }

    void withoutASessionNobodyIsLoggedIn()
    {
        COrthexDoc doc;
        QCOMPARE(doc.CurrentUser(), QString());
        QCOMPARE(doc.StatusUserText(), QStringLiteral("No User Logged In"));
    }

    void startUpDoesNotShowTheNewListDialog()
    {
        CRecordingHost host;
        host.mainWindow = false;
        COrthexDoc doc;
        doc.SetHost(&host);
        QSignalSpy initial(&doc, &COrthexDoc::InitialUpdate);
        doc.NewDocument();
        QCOMPARE(host.asked, 0);
        QCOMPARE(doc.GetTitle(), QStringLiteral("Untitled"));
        QVERIFY(!doc.IsListOpen());
        QVERIFY(host.posted.isEmpty());
        QCOMPARE(initial.count(), 1);
    }

    void newDocument_data()
    {
        QTest::addColumn<QString>("answer");    // "<cancel>", or a name in the folder ("" is the empty path)
        QTest::addColumn<QString>("existing");  // "list" (two words), "bytes", or ""
        QTest::addColumn<bool>("opened");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("messages");  // 1: the "already exists" message, 2: and the open failure
        QTest::newRow("a new list") << "Week 1.orthex" << "" << true << "Week 1.orthex" << 0;
        QTest::newRow("an existing list") << "Week 1.orthex" << "list" << true << "Week 1.orthex" << 1;
        QTest::newRow("an existing file that is not a list") << "notes.orthex" << "bytes" << false << "Untitled" << 2;
        QTest::newRow("cancelled") << "<cancel>" << "" << false << "Untitled" << 0;
        QTest::newRow("next without a name") << "" << "" << false << "" << 0;
        QTest::newRow("a folder that does not exist") << "gone/x.orthex" << "" << false << "x.orthex" << 0;
    }

    void newDocument()
    {
        QFETCH(QString, answer);
        QFETCH(QString, existing);
        QFETCH(bool, opened);
        QFETCH(QString, title);
        QFETCH(int, messages);
        const QString target = answer.isEmpty() ? QString() : path(answer);
        QByteArray before;
        if (existing == QLatin1String("list")) {
            QVERIFY(!makeList(answer, {"anna", "ben"}).isEmpty());
            before = TestFiles::Read(target);
        } else if (existing == QLatin1String("bytes")) {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("my notes, not a list");
            file.close();
            before = TestFiles::Read(target);
        }
        // A list is open before: New closes it whatever happens.
        const QString previous = makeList(QStringLiteral("previous.orthex"), {"anna"});
        QVERIFY(!previous.isEmpty());

        CRecordingHost host;
        if (answer != QLatin1String("<cancel>"))
            host.answer = target;
        QStringList log;
        auto session = std::make_unique<CRecordingSession>(&log);
        session->atStart = QStringLiteral("carl");
        COrthexDoc doc(std::move(session));
        doc.SetHost(&host);
        QVERIFY(doc.OpenList(previous));
        QVERIFY(doc.IsListOpen());

        CRecordingMessageSink sink;
        QSignalSpy initial(&doc, &COrthexDoc::InitialUpdate);
        doc.NewDocument();
        QCOMPARE(host.asked, 1);
        QCOMPARE(initial.count(), 1);
        QCOMPARE(doc.IsListOpen(), opened);
        QCOMPARE(doc.GetTitle(), title);
        QCOMPARE(host.posted, opened ? QList<PageCommand>{PageCommand::Words} : QList<PageCommand>{});
        QCOMPARE(host.recent, opened ? QStringList{target} : QStringList{});
        QCOMPARE(doc.GetPathName(), opened ? target : QString());

        QStringList expected;
        if (messages >= 1)
            expected << kExistsMessage;
        if (messages >= 2)
            expected << ListMessages::NotAList(target);
        QCOMPARE(sink.Texts(), expected);
        if (!existing.isEmpty())
            QCOMPARE(TestFiles::Read(target), before);  // never overwritten
        if (opened) {
            QCOMPARE(doc.GetWordCount(), existing.isEmpty() ? 0 : 2);
            QCOMPARE(doc.CreatedBy(), existing.isEmpty() ? QStringLiteral("carl") : QStringLiteral("anna"));
        }
        const QStringList leftovers = QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        QVERIFY2(leftovers.filter(QStringLiteral(".tmp")).isEmpty(), qPrintable(leftovers.join(' ')));
    }

    void openDocument_data()
    {
        QTest::addColumn<bool>("good");
        QTest::newRow("a list") << true;
        QTest::newRow("not a list") << false;
    }

    void openDocument()
    {
        QFETCH(bool, good);
        const QString previous = makeList(QStringLiteral("previous.orthex"), {"anna"});
        QString file = path(QStringLiteral("Week 2.orthex"));
        if (good) {
            QVERIFY(!makeList(QStringLiteral("Week 2.orthex"), {"", "anna", "ben"}).isEmpty());
        } else {
            QFile bad(file);
            QVERIFY(bad.open(QIODevice::WriteOnly));
            bad.write(QByteArray(100, 'x'));
        }
        CRecordingHost host;
        COrthexDoc doc;
        doc.SetHost(&host);
        QVERIFY(doc.OpenDocumentFile(previous));
        QCOMPARE(doc.GetTitle(), QStringLiteral("previous.orthex"));
        host.posted.clear();
        host.recent.clear();

        CRecordingMessageSink sink;
        QSignalSpy initial(&doc, &COrthexDoc::InitialUpdate);
        QSignalSpy views(&doc, &COrthexDoc::ViewsUpdated);
        QCOMPARE(doc.OpenDocumentFile(file), good);
        QCOMPARE(doc.IsListOpen(), good);  // a failed open closes the previous list too
        QCOMPARE(host.posted, QList<PageCommand>{PageCommand::Start});
        QCOMPARE(initial.count(), good ? 1 : 0);
        QCOMPARE(views.count(), good ? 0 : 1);
        QCOMPARE(doc.GetTitle(), good ? QStringLiteral("Week 2.orthex") : QStringLiteral("previous.orthex"));
        QCOMPARE(doc.GetPathName(), good ? file : previous);
        QCOMPARE(host.recent, good ? QStringList{file} : QStringList{});
        QCOMPARE(sink.Texts(), good ? QStringList{} : QStringList{ListMessages::NotAList(file)});
        if (good) {
            QCOMPARE(doc.GetWordCount(), 3);
            QVERIFY(doc.List()->IsEOF());
            QCOMPARE(doc.CreatedBy(), QString());  // empty creator: anybody may edit
        }
    }

    void openingWithoutAMainWindowPostsNothing()
    {
        const QString file = makeList(QStringLiteral("a.orthex"), {"anna"});
        CRecordingHost host;
        host.mainWindow = false;
        COrthexDoc doc;
        doc.SetHost(&host);
        QVERIFY(doc.OnOpenDocument(file));
        QVERIFY(host.posted.isEmpty());
    }

    void theCreatorOfTheList_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QStringList>("creators");
        QTest::addColumn<QString>("createdBy");
        QTest::newRow("empty list") << "anna" << QStringList{} << "anna";
        QTest::newRow("empty list, nobody logged in") << "" << QStringList{} << "";
        QTest::newRow("first row's creator") << "anna" << QStringList{"ben", "anna"} << "ben";
        QTest::newRow("first row without a creator") << "anna" << QStringList{"", "anna"} << "";
    }

    void theCreatorOfTheList()
    {
        QFETCH(QString, user);
        QFETCH(QStringList, creators);
        QFETCH(QString, createdBy);
        const QString file = makeList(QStringLiteral("creator.orthex"), creators);
        QVERIFY(!file.isEmpty());
        QStringList log;
        auto session = std::make_unique<CRecordingSession>(&log);
        session->atStart = user;
        COrthexDoc doc(std::move(session));
        QVERIFY(doc.OpenList(file));
        QCOMPARE(doc.CreatedBy(), createdBy);
        QCOMPARE(doc.GetWordCount(), creators.size());
    }

    void changeUser_data()
    {
        QTest::addColumn<QString>("again");
        QTest::addColumn<bool>("changed");
        QTest::newRow("another user, results changed") << "ben" << true;
        QTest::newRow("dialog cancelled") << "" << false;
        QTest::newRow("the same user") << "anna" << true;
    }

    void changeUser()
    {
        QFETCH(QString, again);
        QFETCH(bool, changed);
        const QString file = makeList(QStringLiteral("list.orthex"), {"anna"});
        QStringList log;
        auto session = std::make_unique<CRecordingSession>(&log);
        session->atStart = QStringLiteral("anna");
        session->again = again;
        COrthexDoc doc(std::move(session));
        QVERIFY(doc.OpenList(file));
        doc.Results().Missed().AddTail(std::make_unique<CMissed>());
        doc.Results().SetChanged(changed);
        log.clear();
        QSignalSpy views(&doc, &COrthexDoc::ViewsUpdated);
        doc.ChangeUser();
        QCOMPARE(log, (QStringList{QStringLiteral("save anna changed %1 list open 1").arg(changed), "log in again",
                                   QStringLiteral("load %1 (lists 0)").arg(again)}));
        QCOMPARE(doc.CurrentUser(), again);
        QCOMPARE(doc.Results().Missed().size(), 0);
        QCOMPARE(doc.Results().Grades().size(), again.isEmpty() ? 0 : 1);
        QVERIFY(!doc.Results().IsChanged());
        QCOMPARE(views.count(), 1);
        QVERIFY(doc.IsListOpen());
        QCOMPARE(doc.StatusUserText(), again.isEmpty() ? QStringLiteral("No User Logged In") : again);
    }

    void destructionSavesTheResultsAndLeavesTheListIntact()
    {
        const QString file = makeList(QStringLiteral("list.orthex"), {"anna", "anna"});
        const QByteArray before = TestFiles::Read(file);
        QStringList log;
        {
            auto session = std::make_unique<CRecordingSession>(&log);
            session->atStart = QStringLiteral("anna");
            COrthexDoc doc(std::move(session));
            QVERIFY(doc.OpenList(file));
            const std::optional<SWordRow> row = doc.ReadWord(2);
            QVERIFY(row);
            QCOMPARE(row->word, QStringLiteral("word2"));
            QVERIFY(doc.OnSaveDocument());  // Ctrl+S
            doc.Results().SetChanged(true);
            log.clear();
        }
        QCOMPARE(log, QStringList{"save anna changed 1 list open 1"});
        QCOMPARE(TestFiles::Read(file), before);
    }

    void nothingIsReadWithoutAList()
    {
        COrthexDoc doc;
        const QString wav = path(QStringLiteral("Temp.wav"));
        QVERIFY(!doc.ReadWord(1));
        QVERIFY(!QFile::exists(wav));
        QVERIFY(!doc.LoadCreatedBy());
    }
};

ORTHEX_TEST_MAIN(OrthexDocTest)
#include "orthexdoc_test.moc"
