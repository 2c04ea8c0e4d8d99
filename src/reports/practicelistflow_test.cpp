#include "reports/practicelistflow.h"

#include "base/appfolders.h"
#include "base/appsettings.h"
#include "document/documenthost.h"
#include "document/orthexdoc.h"
#include "sound/speechsynthesizer.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testlists.h"
#include "testing/testwav.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {
class CRecordingHost : public IDocumentHost
{
public:
    QStringList recent;
    QList<PageCommand> posted;
    bool HasMainWindow() const override { return true; }
    std::optional<QString> AskNewListPath() override { return std::nullopt; }
    void AddToRecentFileList(const QString& path) override { recent << path; }
    void PostPageCommand(PageCommand command) override { posted << command; }
};

// The new-list dialog's answers, in turn; nothing (Cancel) once they run out.
struct SAnswers {
    QStringList paths;
    int asked = 0;
    PracticeListFlow::AskPathFunction Function()
    {
        return [this](CAppFolders&, QWidget*) -> std::optional<QString> {
            if (asked >= paths.size()) {
                ++asked;
                return std::nullopt;
            }
            return paths.at(asked++);
        };
    }
};

SPracticeSource row(const char* word, const char* list)
{
    return {QString::fromUtf8(word), QString::fromUtf8(list)};
}
}  // namespace

class PracticeListFlowTest : public QObject
{
    Q_OBJECT

    QString m_strSave;   // the save folder of the settings
    QString m_strOther;  // a folder known only from the recent files

private Q_SLOTS:
    void initTestCase()
    {
        const QString root = CTestEnvironment::Instance().Root();
        m_strSave = root + QStringLiteral("/Lists");
        m_strOther = root + QStringLiteral("/Elsewhere");
        QDir().mkpath(m_strSave);
        QDir().mkpath(m_strOther);
        CAppSettings settings;
        QVERIFY(settings.SetSaveFolderValue(m_strSave));
        QVERIFY(settings.SetRecentFiles({m_strOther + QStringLiteral("/Week 3.orthex")}));
        using TestWav::Recording;
        QVERIFY(TestLists::Make(m_strSave + QStringLiteral("/Week 1.orthex"),
                                TestLists::WithSounds({{"said", Recording(2)}, {"because", Recording(3)},
                                                       {"friend", Recording(4)}},
                                                      "Teacher")));
        QVERIFY(TestLists::Make(m_strOther + QStringLiteral("/Week 3.orthex"),
                                TestLists::WithSounds({{"island", Recording(2)}}, "Teacher")));
    }

    // The list is made from the rows, opened as File Open opens a list (every page starts again
    // with it, on the start page, ready for a test) and the user is told what was copied and
    // what spoken.
    void madeAndOpened_data()
    {
        QTest::addColumn<PracticeSources>("sources");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("words");
        QTest::addColumn<QString>("message");

        QTest::newRow("copied from the save folder and the recent files")
            << PracticeSources{row("said", "Week 1.orthex"), row("island", "Week 3.orthex--Repeat"),
                               row("said", "Week 1.orthex")}
            << "Practice 1" << 2 << "The practice list has 2 words: 2 recordings copied from their lists, 0 spoken.";
        QTest::newRow("copied and spoken")
            << PracticeSources{row("because", "Week 1.orthex"), row("ocean", "Gone.orthex"),
                               row("desert", "Gone.orthex")}
            << "Practice 2" << 3 << "The practice list has 3 words: 1 recording copied from its list, 2 spoken.";
        QTest::newRow("one word spoken, one left out")
            << PracticeSources{row("ocean", "Gone.orthex"), {QString(60, QLatin1Char('z')), "Gone.orthex"}}
            << "Practice 3" << 1
            << "The practice list has 1 word: 0 recordings copied from their lists, 1 spoken.\n\n1 word was left "
               "out: it is longer than 50 characters, the most a spelling word can have.";
    }

    void madeAndOpened()
    {
        QFETCH(PracticeSources, sources);
        QFETCH(QString, name);
        QFETCH(int, words);
        QFETCH(QString, message);
        if (CSpeechSynthesizer::Format().nSamplesPerSec == 0 && message.contains(QLatin1String("spoken.")))
            QSKIP("the default voice does not start here (is libflite1 installed?)");

        CRecordingMessageSink sink;
        CRecordingHost host;
        COrthexDoc document;
        document.SetHost(&host);
        QVERIFY(document.OpenDocumentFile(m_strSave + QStringLiteral("/Week 1.orthex")));
        host.posted.clear();
        QSignalSpy initialUpdates(&document, &COrthexDoc::InitialUpdate);
        const QString path = m_strSave + QLatin1Char('/') + name + QStringLiteral(".orthex");
        SAnswers answers{{path}};

        QVERIFY(PracticeListFlow::Run(nullptr, document, QStringLiteral("Pupil"), sources, answers.Function()));
        QCOMPARE(answers.asked, 1);
        QCOMPARE(sink.Texts(), QStringList{message});
        QVERIFY(document.IsListOpen());
        QCOMPARE(document.Database().Path(), path);
        QCOMPARE(document.GetPathName(), path);
        QCOMPARE(document.GetTitle(), name + QStringLiteral(".orthex"));
        QCOMPARE(document.GetWordCount(), words);
        QCOMPARE(document.CreatedBy(), QStringLiteral("Pupil"));
        QCOMPARE(initialUpdates.count(), 1);
        QCOMPARE(host.posted, QList<PageCommand>{PageCommand::Start});
        QCOMPARE(host.recent.constLast(), path);
    }

    void nothingToPractise_data()
    {
        QTest::addColumn<PracticeSources>("sources");
        QTest::addColumn<QString>("message");
        QTest::newRow("no rows") << PracticeSources{}
                                 << "There are no words to practise here, so no practice list was made.";

        QTest::newRow("only words too long")
            << PracticeSources{{QString(51, QLatin1Char('x')), "Week 1.orthex"}}
            << "None of these words can go into a spelling list: a spelling word can have at most 50 characters. "
               "No practice list was made.";
    }

    // Nothing to make: said before any dialog.
    void nothingToPractise()
    {
        QFETCH(PracticeSources, sources);
        QFETCH(QString, message);
        CRecordingMessageSink sink;
        COrthexDoc document;
        SAnswers answers{{m_strSave + QStringLiteral("/Never.orthex")}};
        QVERIFY(!PracticeListFlow::Run(nullptr, document, QStringLiteral("Pupil"), sources, answers.Function()));
        QCOMPARE(answers.asked, 0);
        QCOMPARE(sink.Texts(), QStringList{message});
        QVERIFY(!QFile::exists(m_strSave + QStringLiteral("/Never.orthex")));
    }

    // Cancel ends the flow; the open list stays open.
    void cancelled()
    {
        CRecordingMessageSink sink;
        COrthexDoc document;
        QVERIFY(document.OpenDocumentFile(m_strSave + QStringLiteral("/Week 1.orthex")));
        const QStringList before = QDir(m_strSave).entryList(QDir::Files | QDir::Hidden);
        SAnswers answers;
        QVERIFY(!PracticeListFlow::Run(nullptr, document, QStringLiteral("Pupil"), {row("said", "Week 1.orthex")},
                                       answers.Function()));
        QCOMPARE(answers.asked, 1);
        QCOMPARE(sink.Texts(), QStringList{});
        QCOMPARE(QDir(m_strSave).entryList(QDir::Files | QDir::Hidden), before);
        QCOMPARE(document.GetTitle(), QStringLiteral("Week 1.orthex"));
        QVERIFY(document.IsListOpen());
    }

    // The name of an existing list, or no name, is told and asked again; the existing list is
    // left as it is.
    void askedAgain()
    {
        CRecordingMessageSink sink;
        COrthexDoc document;
        const QString existing = m_strSave + QStringLiteral("/Week 1.orthex");
        const QString path = m_strSave + QStringLiteral("/Again.orthex");
        QFile file(existing);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        SAnswers answers{{existing, QString(), path}};
        QVERIFY(PracticeListFlow::Run(nullptr, document, QStringLiteral("Pupil"), {row("friend", "Week 1.orthex")},
                                      answers.Function()));
        QCOMPARE(answers.asked, 3);
        QCOMPARE(sink.Texts(),
                 (QStringList{QStringLiteral("The spelling list \"%1\" already exists, and it was left as it is. "
                                             "Please choose another name for the practice list.")
                                  .arg(existing),
                              "Please type a name for the practice list.",
                              "The practice list has 1 word: 1 recording copied from its list, 0 spoken."}));
        QCOMPARE(document.GetPathName(), path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }

    // A target that cannot be written: told, nothing left, and the open list stays open.
    void cannotWrite()
    {
        CRecordingMessageSink sink;
        COrthexDoc document;
        QVERIFY(document.OpenDocumentFile(m_strSave + QStringLiteral("/Week 1.orthex")));
        const QString path = m_strSave + QStringLiteral("/No such folder/Practice.orthex");
        SAnswers answers{{path}};
        QVERIFY(!PracticeListFlow::Run(nullptr, document, QStringLiteral("Pupil"), {row("said", "Week 1.orthex")},
                                       answers.Function()));
        QCOMPARE(answers.asked, 1);
        QCOMPARE(sink.Texts(), QStringList{QStringLiteral("The practice list \"%1\" could not be made:\nThe folder "
                                                          "\"%2/No such folder\" does not exist.")
                                               .arg(path, m_strSave)});
        QVERIFY(!QFileInfo::exists(QFileInfo(path).absolutePath()));
        QCOMPARE(document.GetPathName(), m_strSave + QStringLiteral("/Week 1.orthex"));
        QVERIFY(document.IsListOpen());
    }

    // Without a function of its own the flow runs the real new-list dialog.
    void realDialog()
    {
        CRecordingMessageSink sink;
        COrthexDoc document;
        bool typed = false;
        QTimer::singleShot(0, this, [&typed] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("listNameEdit"));
            auto* next = dialog->findChild<QPushButton*>(QStringLiteral("nextButton"));
            if (!name || !next)
                return;
            QTest::keyClicks(name, QStringLiteral("From the dialog"));
            typed = true;
            next->click();
        });
        // Should the dialog not be found, it is closed, so the test fails instead of hanging.
        QTimer::singleShot(10000, this, [] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                dialog->close();
        });
        const bool made =
            PracticeListFlow::Run(nullptr, document, QStringLiteral("Pupil"), {row("friend", "Week 1.orthex")});
        QVERIFY(typed);
        QVERIFY(made);
        QCOMPARE(document.GetPathName(), m_strSave + QStringLiteral("/From the dialog.orthex"));
        QCOMPARE(document.GetWordCount(), 1);
    }
};

ORTHEX_TEST_MAIN(PracticeListFlowTest)
#include "practicelistflow_test.moc"
