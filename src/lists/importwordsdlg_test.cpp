#include "document/orthexdoc.h"
#include "document/usersession.h"
#include "lists/importwordsdlg.h"
#include "sound/speechsynthesizer.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "testing/testlists.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
class CFixedUserSession : public CNoUserSession
{
public:
    QString LogInAtStart() override { return QStringLiteral("Ms Brown"); }
};
}  // namespace

// The import dialog on a real list file, with the real speech engine.
class ImportWordsDlgTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CRecordingMessageSink> m_sink;
    std::unique_ptr<COrthexDoc> m_doc;
    QString m_list;

    void openList(const QStringList& words)
    {
        m_list = m_dir->filePath(QStringLiteral("Week 2.orthex"));
        QFile::remove(m_list);
        QVERIFY(TestLists::Make(m_list, TestLists::Numbered(words)));
        m_doc = std::make_unique<COrthexDoc>(std::make_unique<CFixedUserSession>());
        QVERIFY(m_doc->OpenDocumentFile(m_list));
    }

    static QPushButton* button(CImportWordsDlg& dlg, const char* name)
    {
        return dlg.findChild<QPushButton*>(QLatin1String(name));
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(CTestEnvironment::Instance().Root() + QStringLiteral("/import-XXXXXX"));
        QVERIFY(m_dir->isValid());
        m_sink = std::make_unique<CRecordingMessageSink>();
    }

    void cleanup()
    {
        m_doc.reset();
        m_sink.reset();
    }

    // What is pasted is read as it is typed: the problems with their lines, the words counted,
    // and the words the list has left out.
    void pastedTextIsCheckedAsTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("problems");
        QTest::addColumn<bool>("importable");
        QTest::newRow("nothing") << "" << "0 words to import" << QStringList{} << false;
        QTest::newRow("words and problems")
            << QStringLiteral("cat\n\nrhythm\ncat\n%1\nemu\tAn emu runs.").arg(QString(51, QLatin1Char('x')))
            << "2 words to import"
            << QStringList{"line 2: it is empty", "line 3: the list has the word already",
                           "line 4: the word is already on line 1", "line 5: the word is longer than 50 characters"}
            << true;
        QTest::newRow("CSV") << "\"dog\",\"A dog, barking.\"\n\"open" << "1 word to import"
                             << QStringList{"line 2: a quote opened here is never closed"} << true;
    }

    void pastedTextIsCheckedAsTyped()
    {
        QFETCH(QString, text);
        QFETCH(QString, status);
        QFETCH(QStringList, problems);
        QFETCH(bool, importable);
        openList({"rhythm"});
        CImportWordsDlg dlg(*m_doc, {"rhythm"});
        dlg.findChild<QPlainTextEdit*>(QStringLiteral("wordsEdit"))->setPlainText(text);
        QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("statusLabel"))->text(), status);
        QCOMPARE(dlg.ProblemTexts(), problems);
        QCOMPARE(button(dlg, "importButton")->isEnabled(), importable);
    }

    // From File... reads a word file into the box (CSV by its name); a file that is not UTF-8
    // is refused naming its line.
    void fromFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("text") << "w.txt" << QByteArray("\xEF\xBB\xBF" "cat\r\ndog\r\n") << "2 words to import"
                              << QStringList{};
        QTest::newRow("CSV by its name") << "w.csv" << QByteArray("\"a\nb\"\ncat\n") << "1 word to import"
                                         << QStringList{};
        QTest::newRow("not UTF-8") << "w.txt" << QByteArray("cat\ncaf\xE9\n") << "0 words to import"
                                   << QStringList{"\"%1\" is not UTF-8 text (line 2). Please save it as UTF-8 and "
                                                  "import it again."};
    }

    void fromFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, status);
        QFETCH(QStringList, messages);
        openList({});
        const QString path = m_dir->filePath(name);
        QVERIFY(TestFiles::Write(path, bytes));
        CImportWordsDlg dlg(*m_doc, {});
        dlg.SetFilePicker([&](QWidget*) { return path; });
        m_sink->Clear();
        button(dlg, "fromFileButton")->click();
        QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("statusLabel"))->text(), status);
        QCOMPARE(m_sink->Texts(), messages.replaceInStrings(QStringLiteral("%1"), path));
        // A line end inside quotes makes the CSV word unusable: listed, not imported.
        if (name.endsWith(QLatin1String(".csv")))
            QCOMPARE(dlg.ProblemTexts(), QStringList{"line 1: the word holds a control character"});
    }

    // Import speaks the words in the background and stores them together at the list's end;
    // Cancel while it speaks stores none.
    void importStoresAllOrNone_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("imported") << false;
        QTest::newRow("cancelled") << true;
    }

    void importStoresAllOrNone()
    {
        if (CSpeechSynthesizer::Format().nSamplesPerSec == 0)
            QSKIP("the default voice does not start here (is libflite1 installed?)");
        QFETCH(bool, cancel);
        openList({"rhythm"});
        const QByteArray before = TestFiles::Read(m_list);
        CImportWordsDlg dlg(*m_doc, {"rhythm"});
        QStringList words;
        for (int i = 0; i < 12; ++i)
            words << QStringLiteral("word%1").arg(i);
        dlg.findChild<QPlainTextEdit*>(QStringLiteral("wordsEdit"))->setPlainText(words.join('\n') + "\tA sentence.");
        QSignalSpy ended(&dlg, &CImportWordsDlg::ImportEnded);
        button(dlg, "importButton")->click();
        QVERIFY(dlg.IsImporting());
        QVERIFY(dlg.findChild<QProgressBar*>(QStringLiteral("progressBar"))->isVisibleTo(&dlg));
        if (cancel)
            button(dlg, "cancelButton")->click();
        QVERIFY(ended.wait(120000));
        QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join('|')));
        if (cancel) {
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
            QVERIFY(dlg.Stored().empty());
            QCOMPARE(TestFiles::Read(m_list), before);
            return;
        }
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        const QList<TestLists::Row> rows = TestLists::Read(m_list);
        QCOMPARE(TestLists::Words(rows), QStringList{"rhythm"} + words);
        QCOMPARE(TestLists::Orders(rows).last(), qint64(13));
        QCOMPARE(rows.last().createdBy, QStringLiteral("Ms Brown"));
        QVERIFY(rows.last().sound.size() > 2 * rows.at(1).sound.size());  // the dictation is longer
        QCOMPARE(int(dlg.Stored().size()), 12);
    }

    // A sentence that would be spoken for minutes is refused with its line, as a word the
    // engine cannot say; the others are stored, and the dialog stays to show what was left.
    void aSentenceSpokenForMinutesIsListed()
    {
        if (CSpeechSynthesizer::Format().nSamplesPerSec == 0)
            QSKIP("the default voice does not start here (is libflite1 installed?)");
        openList({});
        CImportWordsDlg dlg(*m_doc, {});
        dlg.findChild<QPlainTextEdit*>(QStringLiteral("wordsEdit"))->setPlainText("cat\ndog\t" + QString(900, '$'));
        QSignalSpy ended(&dlg, &CImportWordsDlg::ImportEnded);
        button(dlg, "importButton")->click();
        QVERIFY(ended.wait(120000));
        QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join('|')));
        const WordFile::SProblem tooLong{2, WordFile::SProblem::EKind::SpokenTooLong, 0, 0, {}};
        QCOMPARE(dlg.ProblemTexts(), QStringList{WordFile::Describe(tooLong)});
        QCOMPARE(dlg.Stored(), QStringList{"cat"});
        QCOMPARE(TestLists::Words(TestLists::Read(m_list)), QStringList{"cat"});
        QVERIFY(!button(dlg, "importButton")->isEnabled());
    }
};

ORTHEX_TEST_MAIN(ImportWordsDlgTest)
#include "importwordsdlg_test.moc"
