#include "base/appfolders.h"
#include "base/appsettings.h"
#include "lists/importwordsdlg.h"
#include "lists/wordspeaker.h"
#include "lists/newwordrow.h"
#include "lists/wordlistsave.h"
#include "storage/listmessages.h"
#include "storage/sqlitedatabase.h"
#include "document/orthexdoc.h"
#include "document/usersession.h"
#include "lists/words.h"
#include "sound/loadedsound.h"
#include "sound/speechsynthesizer.h"
#include "sound/wavformat.h"
#include "testing/recordingmessagesink.h"
#include "testing/testaudio.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "testing/testlayout.h"
#include "testing/testlists.h"
#include "testing/testwav.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QSignalSpy>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <memory>
#include <optional>

using TestLists::Row;

namespace {
const QString kUser = QStringLiteral("Ms Brown");

class CFixedUserSession : public CNoUserSession
{
public:
    QString LogInAtStart() override { return kUser; }
};

class CRecordingCommands : public IPageCommandTarget
{
public:
    QList<PageCommand> posted;
    void PostPageCommand(PageCommand command) override { posted << command; }
};

// The volume pactl reports for the source's first channel, or -1.

// Record, Speak, Stop, Play, Add, Redo, as letters of the enabled ones.
QString enabledSteps(CWords& page)
{
    QString s;
    const auto add = [&](const char* name, QChar letter) {
        if (page.findChild<QPushButton*>(QLatin1String(name))->isEnabled())
            s += letter;
    };
    add("recordButton", QLatin1Char('R'));
    add("speakButton", QLatin1Char('K'));
    add("stopButton", QLatin1Char('S'));
    add("playButton", QLatin1Char('P'));
    add("addButton", QLatin1Char('A'));
    add("redoButton", QLatin1Char('D'));
    return s;
}

// Whether the bytes are a recording as the microphone writes it: the 56-byte header with its
// "fact" chunk, the lengths filled in, then the samples.
bool hasRecordingLayout(const QByteArray& bytes, const CWaveFormat& format)
{
    const QByteArray header = WavHeader::BuildRecordingHeader(format);
    if (header.size() != WavHeader::kRecordingHeaderSize || bytes.size() <= header.size())
        return false;
    const auto le32 = [&](qint64 at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    const std::optional<CWavLayout> layout = WavHeader::Parse(bytes);
    return layout && layout->format == format && layout->dataOffset == header.size()
        && bytes.left(4) == header.left(4) && bytes.mid(8, 36) == header.mid(8, 36) && bytes.mid(48, 4) == header.mid(48, 4)
        && le32(WavHeader::kRiffLengthOffset) == quint32(bytes.size() - 8)
        && le32(WavHeader::kDataLengthOffset) == quint32(bytes.size() - header.size());
}

bool speechStarts()
{
    return CSpeechSynthesizer::Format().nSamplesPerSec != 0;
}
}  // namespace

class WordsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CRecordingMessageSink> m_sink;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CAppSettings> m_settings;
    std::unique_ptr<COrthexDoc> m_doc;
    CRecordingCommands m_commands;
    std::unique_ptr<CWords> m_page;
    QString m_listPath;

    // A document logged in as Ms Brown with a list of the rows open, and the page on it, shown
    // and set up as the main window does when it first shows it.
    void open(const QList<Row>& rows)
    {
        m_listPath = m_dir->filePath(QStringLiteral("Week 1.orthex"));
        QVERIFY(TestLists::Make(m_listPath, rows));
        m_doc = std::make_unique<COrthexDoc>(std::make_unique<CFixedUserSession>());
        QVERIFY(m_doc->OpenDocumentFile(m_listPath));
        m_page = std::make_unique<CWords>(*m_doc, m_commands, *m_settings);
        m_page->resize(m_page->FormSize());
        m_page->show();
        m_page->OnInitialUpdate();
        QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    }

    template <typename T = QPushButton>
    T* control(const char* name)
    {
        T* widget = m_page->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }

    void click(const char* button) { control(button)->click(); }
    QListWidget* list() { return control<QListWidget>("wordList"); }
    QString wordCount() { return control<QLineEdit>("wordCountEdit")->text(); }

    void select(const QList<int>& rows)
    {
        list()->clearSelection();
        for (int row : rows)
            list()->item(row)->setSelected(true);
        if (!rows.isEmpty())
            list()->setCurrentRow(rows.last(), QItemSelectionModel::Select);
    }

    // Record, Stop and Play; the speech (if any) is said into the microphone meanwhile.
    void recordStopPlay(const QByteArray& speech)
    {
        click("recordButton");
        QVERIFY(m_page->Recorder().IsCapturing());
        if (!speech.isEmpty()) {
            CMicrophoneFeeder feeder(speech);
            feeder.Start();
            QVERIFY(feeder.Wait());
        }
        QTest::qWait(500);
        click("stopButton");
        click("playButton");
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_sink = std::make_unique<CRecordingMessageSink>();
        m_settings = std::make_unique<CAppSettings>();
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(CTestEnvironment::Instance().Root() + QStringLiteral("/words-XXXXXX"));
        QVERIFY(m_dir->isValid());
        m_commands.posted.clear();
        m_settings->SetEnterSpeaksAndAdds(0);
        if (TestAudio::Available())
            TestAudio::SetMicVolume(65536);
    }

    void cleanup()
    {
        m_page.reset();
        m_doc.reset();
        CSoundRecorder::SetCaptureDeviceLookup({});
        m_sink->Clear();
    }

    void cleanupTestCase()
    {
        m_settings.reset();
        m_sink.reset();
    }

    // Every control is there with the name a screen reader says.
    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessibleName");
        QTest::addColumn<bool>("visible");
        QTest::newRow("word") << "wordEdit" << "Enter Word" << true;
        QTest::newRow("sentence") << "sentenceEdit" << "Sentence" << true;
        QTest::newRow("record") << "recordButton" << "Record" << true;
        QTest::newRow("speak") << "speakButton" << "Speak" << true;
        QTest::newRow("stop") << "stopButton" << "Stop" << true;
        QTest::newRow("play") << "playButton" << "Play" << true;
        QTest::newRow("add") << "addButton" << "Add Word To List" << true;
        QTest::newRow("redo") << "redoButton" << "Redo Recording" << true;
        QTest::newRow("new word") << "newWordButton" << "New Word" << false;
        QTest::newRow("enter") << "enterButton" << "Enter" << false;
        QTest::newRow("list") << "wordList" << "Current List" << true;
        QTest::newRow("count") << "wordCountEdit" << "#Words" << true;
        QTest::newRow("sort") << "sortButton" << "A..Z" << true;
        QTest::newRow("up") << "upButton" << "Up" << true;
        QTest::newRow("down") << "downButton" << "Down" << true;
        QTest::newRow("delete") << "deleteButton" << "Delete" << true;
        QTest::newRow("play word") << "playWordButton" << "Play Word" << true;
        QTest::newRow("correct") << "correctButton" << "Correct" << true;
        QTest::newRow("import") << "importWordsButton" << "Import Words..." << true;
        QTest::newRow("export") << "exportWordsButton" << "Export Words..." << true;
        QTest::newRow("volume") << "volumeSlider" << "Vol." << true;
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, accessibleName);
        QFETCH(bool, visible);
        open({});
        QWidget* widget = m_page->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->accessibleName(), accessibleName);
        QCOMPARE(widget->isVisible(), visible);
        if (visible)
            QVERIFY(widget->focusPolicy() & Qt::TabFocus);
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            if (name == QLatin1String("recordButton") || name == QLatin1String("stopButton")
                || name == QLatin1String("playButton"))
                QVERIFY(!button->icon().isNull());
            else
                QCOMPARE(button->text(), accessibleName);
        }
    }

    void layoutFollowsTheWindow_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("tiny") << QSize(200, 150);
        QTest::newRow("the form's size") << QSize();
        QTest::newRow("large") << QSize(1280, 1000);
    }

    // Below the form's size the page scrolls rather than cuts a control off; above it the list
    // takes the height, and the list and the text boxes share the width.
    void layoutFollowsTheWindow()
    {
        QFETCH(QSize, size);
        open({});
        const QSize formSize = m_page->FormSize();
        auto* word = control<QLineEdit>("wordEdit");
        auto* sentence = control<QLineEdit>("sentenceEdit");
        const QSize listAtFormSize = list()->size();
        const int wordAtFormSize = word->width();
        m_page->resize(size.isValid() ? size : formSize);
        QCoreApplication::processEvents();
        auto* scroll = m_page->findChild<QScrollArea*>();
        QVERIFY(scroll);
        QWidget* form = scroll->widget();
        QList<const QWidget*> controls{list(), word, sentence, control<QSlider>("volumeSlider")};
        for (const QPushButton* button : form->findChildren<QPushButton*>())
            if (button->isVisible())
                controls << button;
        QCOMPARE(TestLayout::Misplaced(*form, controls), QString());
        const QSize viewport = scroll->viewport()->size();
        QCOMPARE(scroll->horizontalScrollBar()->isVisible(), form->width() > viewport.width());
        QCOMPARE(scroll->verticalScrollBar()->isVisible(), form->height() > viewport.height());
        QCOMPARE(sentence->width(), word->width());
        if (size.isValid() && size.width() > formSize.width()) {
            const int more = size.width() - formSize.width();
            QVERIFY(list()->width() > listAtFormSize.width() + more / 3);
            QVERIFY(word->width() > wordAtFormSize + more / 3);
            QCOMPARE(list()->height(), listAtFormSize.height() + size.height() - formSize.height());
        }
    }

    void textsOfThePage()
    {
        open({});
        QStringList texts;
        for (QLabel* label : m_page->findChildren<QLabel*>())
            texts << label->text();
        for (const char* text : {"Words Page", "Add a New Spelling Word", "Current List", "#Words", "Vol.", "1)",
                                 "Enter Word", "Sentence", "2)", "Start Recording", "3)", "Stop Recording", "4)", "Play Recording",
                                 "5)", "Add to List", "or", "Redo Sound",
                                 "You can record a sentence with the spelling word."})
            QVERIFY2(texts.contains(QLatin1String(text)), text);
        QCOMPARE(control<QLineEdit>("wordEdit")->maxLength(), 50);
        QVERIFY(control<QLineEdit>("wordCountEdit")->isReadOnly());
        QCOMPARE(list()->selectionMode(), QAbstractItemView::ExtendedSelection);
    }

    void updateShowsTheList()
    {
        open({{2, kUser, "second", {}}, {1, kUser, "first", {}}, {3, kUser, "", {}}, {4, kUser, "fourth", {}}});
        QCOMPARE(m_page->ListedWords(), (QStringList{"first", "second", "fourth"}));
        QCOMPARE(wordCount(), QStringLiteral("3"));
        QCOMPARE(m_page->WordCount(), 3);
        control<QLineEdit>("wordEdit")->setText(QStringLiteral("typed"));
        control<QLineEdit>("sentenceEdit")->setText(QStringLiteral("A typed sentence."));
        m_page->OnUpdate();
        QCOMPARE(control<QLineEdit>("wordEdit")->text(), QString());
        QCOMPARE(control<QLineEdit>("sentenceEdit")->text(), QString());
        // "New Word" empties both too.
        control<QLineEdit>("wordEdit")->setText(QStringLiteral("typed"));
        control<QLineEdit>("sentenceEdit")->setText(QStringLiteral("A typed sentence."));
        click("newWordButton");
        QCOMPARE(control<QLineEdit>("wordEdit")->text(), QString());
        QCOMPARE(control<QLineEdit>("sentenceEdit")->text(), QString());
    }

    void recordStopPlayAdd()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        QString error;
        const QByteArray speech = TestAudio::Speech(QStringLiteral("Necessary. It is necessary to sleep."),
                                                    TestAudio::kMicRate, TestAudio::kMicChannels, &error);
        QVERIFY2(!speech.isEmpty(), qPrintable(error));
        open(TestLists::Numbered({"rhythm"}));
        QVERIFY(m_page->HasMicrophone());
        m_sink->Clear();
        QCOMPARE(enabledSteps(*m_page), QStringLiteral("RK"));
        QTest::keyClicks(control<QLineEdit>("wordEdit"), QStringLiteral("necessary"));

        click("recordButton");
        QCOMPARE(enabledSteps(*m_page), QStringLiteral("S"));
        QVERIFY(m_page->Recorder().IsCapturing());
        {
            CMicrophoneFeeder feeder(speech);
            feeder.Start();
            QVERIFY(feeder.Wait());
        }
        QTest::qWait(500);
        click("stopButton");
        QCOMPARE(enabledSteps(*m_page), QStringLiteral("P"));
        const QByteArray recorded = TestFiles::Read(m_page->TempWavPath());
        QVERIFY(recorded.size() > WavHeader::kRecordingHeaderSize);
        QVERIFY2(TestAudio::HasSound(recorded.mid(WavHeader::kRecordingHeaderSize)), "the recording is silent");

        CSpeakerCapture speaker;
        QVERIFY(speaker.Start());
        click("playButton");
        QCOMPARE(enabledSteps(*m_page), QStringLiteral("PAD"));
        QVERIFY(m_page->Player().GetLoadedSound());
        QVERIFY(m_page->Player().GetLoadedSound()->WaitUntilDone(15000));
        QVERIFY2(TestAudio::HasSound(speaker.Stop()), "nothing was heard on the speaker");

        click("addButton");
        QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));
        const QList<Row> rows = TestLists::Read(m_listPath);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(1).order, 2);
        QCOMPARE(rows.at(1).word, QStringLiteral("necessary"));
        QCOMPARE(rows.at(1).createdBy, kUser);
        QVERIFY(rows.at(1).sound == recorded);
        // The page is ready for the next word.
        QCOMPARE(m_page->ListedWords(), (QStringList{"rhythm", "necessary"}));
        QCOMPARE(list()->selectedItems().size(), 1);
        QCOMPARE(list()->selectedItems().first()->text(), QStringLiteral("necessary"));
        QCOMPARE(wordCount(), QStringLiteral("2"));
        QCOMPARE(control<QLineEdit>("wordEdit")->text(), QString());
        QCOMPARE(enabledSteps(*m_page), QStringLiteral("RK"));
        QVERIFY(control<QLineEdit>("wordEdit")->hasFocus());
    }

    // "Speak" makes the recording with the speech engine and plays it; Add Word To List then
    // stores the very bytes the speech wrote.
    void speakThenAdd_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<bool>("microphone");
        QTest::newRow("word alone") << QString() << true;
        QTest::newRow("with a sentence") << QStringLiteral("It is necessary to sleep.") << true;
        QTest::newRow("no microphone at all") << QStringLiteral("It is necessary to sleep.") << false;
    }

    void speakThenAdd()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        if (!speechStarts())
            QSKIP("the default voice does not start here (is libflite1 installed?)");
        QFETCH(QString, sentence);
        QFETCH(bool, microphone);
        if (!microphone)
            CSoundRecorder::SetCaptureDeviceLookup([](const QByteArray&) { return std::nullopt; });
        open(TestLists::Numbered({"rhythm"}));
        QCOMPARE(m_page->HasMicrophone(), microphone);
        m_sink->Clear();
        QTest::keyClicks(control<QLineEdit>("wordEdit"), QStringLiteral("necessary"));
        control<QLineEdit>("sentenceEdit")->setText(sentence);

        // Speak plays what it made: the word can be added at once, or played again or redone.
        CSpeakerCapture speaker;
        QVERIFY(speaker.Start());
        click("speakButton");
        QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));
        QCOMPARE(enabledSteps(*m_page), QStringLiteral("PAD"));
        QVERIFY(control("addButton")->hasFocus());
        const QByteArray spoken = TestFiles::Read(m_page->TempWavPath());
        QVERIFY(hasRecordingLayout(spoken, CSpeechSynthesizer::Format()));
        QVERIFY(m_page->Player().GetLoadedSound());
        QVERIFY(m_page->Player().GetLoadedSound()->WaitUntilDone(30000));
        QVERIFY2(TestAudio::HasSound(speaker.Stop()), "nothing was heard on the speaker");

        click("addButton");
        QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));
        const QList<Row> rows = TestLists::Read(m_listPath);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(1).order, 2);
        QCOMPARE(rows.at(1).word, QStringLiteral("necessary"));
        QCOMPARE(rows.at(1).createdBy, kUser);
        QVERIFY(rows.at(1).sound == spoken);
        // Ready for the next word: both fields empty.
        QCOMPARE(control<QLineEdit>("wordEdit")->text(), QString());
        QCOMPARE(control<QLineEdit>("sentenceEdit")->text(), QString());
        QCOMPARE(enabledSteps(*m_page), microphone ? QStringLiteral("RK") : QStringLiteral("K"));
    }

    // A dictation holds the word twice, the sentence and two pauses.
    void sentenceMakesALongerRecording()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        if (!speechStarts())
            QSKIP("the default voice does not start here (is libflite1 installed?)");
        CSoundRecorder::SetCaptureDeviceLookup([](const QByteArray&) { return std::nullopt; });
        open({});
        m_sink->Clear();
        control<QLineEdit>("wordEdit")->setText(QStringLiteral("necessary"));
        click("speakButton");
        const QByteArray alone = TestFiles::Read(m_page->TempWavPath());

        // Heard, then made again with a sentence.
        click("playButton");
        click("redoButton");
        QCOMPARE(enabledSteps(*m_page), QStringLiteral("K"));
        QCOMPARE(control<QLineEdit>("wordEdit")->text(), QStringLiteral("necessary"));
        control<QLineEdit>("sentenceEdit")->setText(QStringLiteral("It is necessary to sleep."));
        click("speakButton");
        const QByteArray dictation = TestFiles::Read(m_page->TempWavPath());
        QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));
        QVERIFY(hasRecordingLayout(alone, CSpeechSynthesizer::Format()));
        QVERIFY(hasRecordingLayout(dictation, CSpeechSynthesizer::Format()));
        const qint64 header = WavHeader::kRecordingHeaderSize;
        const qint64 pause = qint64(CSpeechSynthesizer::Format().nSamplesPerSec) * CSpeechSynthesizer::kDictationPauseMs / 1000 * 2;
        QVERIFY(dictation.size() - header > 2 * (alone.size() - header) + 2 * pause);
        // Redo keeps the sentence as it keeps the word.
        click("playButton");
        click("redoButton");
        QCOMPARE(control<QLineEdit>("sentenceEdit")->text(), QStringLiteral("It is necessary to sleep."));
    }

    // Speak without a word, or with a sentence that would be spoken for minutes, says why and
    // leaves everything as it was.
    void speakWithoutAWord_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("nothing typed") << QString() << QString() << "No Word Entered" << "wordEdit";
        QTest::newRow("only a sentence")
            << QString() << QStringLiteral("It is necessary to sleep.") << "No Word Entered" << "wordEdit";
        QTest::newRow("a sentence spoken for minutes") << "cat" << QString(900, QLatin1Char('$'))
                                                       << CWordSpeaker::TooLongMessage(QStringLiteral("cat"))
                                                       << "sentenceEdit";
    }

    void speakWithoutAWord()
    {
        QFETCH(QString, word);
        QFETCH(QString, sentence);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        CSoundRecorder::SetCaptureDeviceLookup([](const QByteArray&) { return std::nullopt; });
        open(TestLists::Numbered({"one"}));
        const QByteArray before = TestFiles::Read(m_listPath);
        // What an earlier word left in "Temp.wav" stays as it was.
        const QByteArray earlier = TestLists::FakeSound(7);
        {
            QFile temp(m_page->TempWavPath());
            QVERIFY(temp.open(QIODevice::WriteOnly));
            QCOMPARE(temp.write(earlier), qint64(earlier.size()));
        }
        control<QLineEdit>("wordEdit")->setText(word);
        control<QLineEdit>("sentenceEdit")->setText(sentence);
        m_sink->Clear();
        click("speakButton");
        QCOMPARE(m_sink->Texts(), QStringList{message});
        QCOMPARE(TestFiles::Read(m_page->TempWavPath()), earlier);
        QCOMPARE(TestFiles::Read(m_listPath), before);
        QCOMPARE(enabledSteps(*m_page), QStringLiteral("K"));
        QVERIFY(control<QLineEdit>(qPrintable(focus))->hasFocus());
        QCOMPARE(control<QLineEdit>("sentenceEdit")->text(), sentence);
    }

    void redoKeepsTheWord()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        open({});
        m_sink->Clear();
        control<QLineEdit>("wordEdit")->setText(QStringLiteral("rhythm"));
        recordStopPlay({});
        click("redoButton");
        QCOMPARE(enabledSteps(*m_page), QStringLiteral("RK"));
        QCOMPARE(control<QLineEdit>("wordEdit")->text(), QStringLiteral("rhythm"));
        QVERIFY(control("recordButton")->hasFocus());
    }

    void addWithoutAWord_data()
    {
        QTest::addColumn<bool>("listOpen");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty word") << true << "" << "No Word Entered";
        QTest::newRow("empty word, no list") << false << "" << "No Word Entered";
        QTest::newRow("no list open") << false << "word" << CNewWordRow::NoListMessage();
        const QString invisible = QStringLiteral("right\u202Eto left");
        QTest::newRow("an invisible character") << true << invisible << CNewWordRow::RefusedWordMessage(invisible);
    }

    void addWithoutAWord()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        QFETCH(bool, listOpen);
        QFETCH(QString, word);
        QFETCH(QString, message);
        open(TestLists::Numbered({"one"}));
        const QByteArray before = TestFiles::Read(m_listPath);
        if (!listOpen) {
            // What a cancelled File New leaves while this page is shown.
            m_doc->CloseList();
            m_page->OnUpdate();
        }
        recordStopPlay({});
        control<QLineEdit>("wordEdit")->setText(word);
        m_sink->Clear();
        click("addButton");
        QCOMPARE(m_sink->Texts(), QStringList{message});
        QCOMPARE(TestFiles::Read(m_listPath), before);
        QCOMPARE(m_page->ListedWords(), listOpen ? QStringList{"one"} : QStringList{});
        QCOMPARE(enabledSteps(*m_page), QStringLiteral("PAD"));
        QVERIFY(control<QLineEdit>("wordEdit")->hasFocus());
    }

    // A word already in the list is added again only when the user says so.
    void duplicateAsksFirst_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("new word, no question") << "there" << false << "" << QStringList{"their", "there"};
        QTest::newRow("duplicate, no") << "their" << false << "their" << QStringList{"their"};
        QTest::newRow("duplicate, yes") << "their" << true << "their" << QStringList{"their", "their"};
        QTest::newRow("case differs: another word") << "Their" << false << "" << QStringList{"their", "Their"};
    }

    void duplicateAsksFirst()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        if (!speechStarts())
            QSKIP("the default voice does not start here (is libflite1 installed?)");
        QFETCH(QString, word);
        QFETCH(bool, answer);
        QFETCH(QString, asked);
        QFETCH(QStringList, stored);
        open(TestLists::Numbered({"their"}));
        QString question;
        m_page->SetDuplicateQuestion([&](const QString& w) {
            question = w;
            return answer;
        });
        m_sink->Clear();
        control<QLineEdit>("wordEdit")->setText(word);
        click("speakButton");
        click("addButton");
        QCOMPARE(question, asked);
        QCOMPARE(m_page->ListedWords(), stored);
        QCOMPARE(TestLists::Words(TestLists::Read(m_listPath)), stored);
        QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));
    }

    // A..Z, Up, Down and Delete are enabled only when they can act.
    void listButtonsFollowTheList_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QList<int>>("selected");  // the last one is current
        QTest::addColumn<QString>("enabled");      // S(ort), U(p), D(own), X (delete)
        QTest::newRow("empty list") << QStringList{} << QList<int>{} << "";
        QTest::newRow("one word, nothing selected") << QStringList{"a"} << QList<int>{} << "";
        QTest::newRow("one word selected") << QStringList{"a"} << QList<int>{0} << "X";
        QTest::newRow("first of three") << QStringList{"a", "b", "c"} << QList<int>{0} << "SDX";
        QTest::newRow("last of three") << QStringList{"a", "b", "c"} << QList<int>{2} << "SUX";
    }

    void listButtonsFollowTheList()
    {
        QFETCH(QStringList, words);
        QFETCH(QList<int>, selected);
        QFETCH(QString, enabled);
        open(TestLists::Numbered(words));
        list()->setCurrentRow(-1);
        select(selected);
        const auto letters = [&] {
            QString s;
            for (const auto& [name, letter] : {std::pair{"sortButton", 'S'}, {"upButton", 'U'}, {"downButton", 'D'},
                                               {"deleteButton", 'X'}})
                if (control(name)->isEnabled())
                    s += QLatin1Char(letter);
            return s;
        };
        QCOMPARE(letters(), enabled);
        // Deleting every word leaves nothing to act on.
        if (!words.isEmpty()) {
            list()->selectAll();
            click("deleteButton");
            QCOMPARE(letters(), QString());
        }
    }

    // Import Words... (the button, or a text file dropped on the page) adds the words spoken at
    // the end of the list and on screen; Export Words... writes the list's words back.
    void importThenExport_data()
    {
        QTest::addColumn<bool>("dropped");
        QTest::newRow("button") << false;
        QTest::newRow("dropped file") << true;
    }

    void importThenExport()
    {
        if (!speechStarts())
            QSKIP("the default voice does not start here (is libflite1 installed?)");
        QFETCH(bool, dropped);
        open(TestLists::Numbered({"rhythm"}));
        m_sink->Clear();
        const QString words = m_dir->filePath(QStringLiteral("words.txt"));
        QVERIFY(TestFiles::Write(words, "cat\nrhythm\ndog\tThe dog barks.\n"));
        QStringList shown;
        m_page->SetImportRun([&](CImportWordsDlg& dialog) {
            if (!dropped)
                dialog.LoadFile(words);
            shown = dialog.ProblemTexts();
            QSignalSpy ended(&dialog, &CImportWordsDlg::ImportEnded);
            dialog.findChild<QPushButton*>(QStringLiteral("importButton"))->click();
            QVERIFY(ended.wait(60000));
        });
        if (dropped) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(words)});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(m_page.get(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(m_page.get(), &drop);
            QTRY_COMPARE(m_page->ListedWords().size(), 3);
        } else {
            click("importWordsButton");
        }
        QCOMPARE(shown, QStringList{"line 2: the list has the word already"});
        QCOMPARE(m_page->ListedWords(), (QStringList{"rhythm", "cat", "dog"}));
        QCOMPARE(wordCount(), QStringLiteral("3"));
        QCOMPARE(TestLists::Words(TestLists::Read(m_listPath)), (QStringList{"rhythm", "cat", "dog"}));

        const QString exported = m_dir->filePath(QStringLiteral("out.txt"));
        m_page->SetExportPicker([&](QWidget*) { return exported; });
        click("exportWordsButton");
        QCOMPARE(TestFiles::Read(exported), QByteArray("rhythm\ncat\ndog\n"));
        QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));
    }

    // A word of the list is heard (Play Word or a double-click) and corrected: Correct puts it
    // in the word box, and Replace Word gives that row, of two with the same word, the new
    // spelling and recording.
    void playAndCorrectAListedWord()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        if (!speechStarts())
            QSKIP("the default voice does not start here (is libflite1 installed?)");
        const QList<Row> rows = TestLists::WithSounds(
            {{"recieve", TestWav::Pcm16(QByteArray(8000, '\x31'))}, {"cat", TestWav::Pcm16(QByteArray(8000, '\x32'))},
             {"recieve", TestWav::Pcm16(QByteArray(8000, '\x33'))}},
            kUser);
        open(rows);
        m_sink->Clear();
        QCOMPARE(control("playWordButton")->isEnabled(), false);
        select({2});
        click("playWordButton");
        QVERIFY(m_page->Player().GetLoadedSound());
        QCOMPARE(TestFiles::Read(m_page->RecordingFolder() + QStringLiteral("Listed.wav")), rows[2].sound);
        // A view takes a double-click on the row pressed just before.
        const QPoint second = list()->visualItemRect(list()->item(1)).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(TestFiles::Read(m_page->RecordingFolder() + QStringLiteral("Listed.wav")), rows[1].sound);

        select({2});
        click("correctButton");
        QCOMPARE(control<QLineEdit>("wordEdit")->text(), QStringLiteral("recieve"));
        QCOMPARE(control("addButton")->text(), QStringLiteral("Replace Word"));
        control<QLineEdit>("wordEdit")->setText(QStringLiteral("receive"));
        click("speakButton");
        const QByteArray spoken = TestFiles::Read(m_page->TempWavPath());
        click("addButton");
        QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));
        QCOMPARE(m_page->ListedWords(), (QStringList{"recieve", "cat", "receive"}));
        QCOMPARE(wordCount(), QStringLiteral("3"));
        QCOMPARE(control("addButton")->text(), QStringLiteral("Add Word To List"));
        const QList<Row> stored = TestLists::Read(m_listPath);
        QCOMPARE(stored, (QList<Row>{rows[0], rows[1], {3, kUser, "receive", spoken}}));
    }

    // Every change is written at once: nothing waits for a Save that leaving could lose.
    void deleteIsStoredAtOnce_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("delete one") << QList<int>{1} << QStringList{"one", "three", "four"};
        QTest::newRow("delete two") << QList<int>{3, 0} << QStringList{"two", "three"};
        QTest::newRow("delete all") << QList<int>{0, 1, 2, 3} << QStringList{};
    }

    void deleteIsStoredAtOnce()
    {
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, stored);
        open(TestLists::Numbered({"one", "two", "three", "four"}));
        m_sink->Clear();
        select(selected);
        click("deleteButton");
        QCOMPARE(m_page->ListedWords(), stored);
        QCOMPARE(wordCount(), QString::number(stored.size()));
        QVERIFY(m_sink->Texts().isEmpty());
        const QList<Row> rows = TestLists::Read(m_listPath);
        QCOMPARE(TestLists::Words(rows), stored);
        QList<qint64> dense;
        for (int i = 1; i <= stored.size(); ++i)
            dense << i;
        QCOMPARE(TestLists::Orders(rows), dense);
        // The page read again shows the same.
        m_page->OnUpdate();
        QCOMPARE(m_page->ListedWords(), stored);
    }

    // A change the file refuses leaves it as it was, and the page shows the file again.
    void refusedChangeShowsTheFileAgain_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("trigger");
        QTest::newRow("delete") << "deleteButton"
                                << QByteArray("CREATE TEMP TRIGGER refuse BEFORE DELETE ON main.tblList "
                                              "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END");
        QTest::newRow("down") << "downButton"
                              << QByteArray("CREATE TEMP TRIGGER refuse BEFORE UPDATE ON main.tblList "
                                            "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END");
    }

    void refusedChangeShowsTheFileAgain()
    {
        QFETCH(QString, button);
        QFETCH(QByteArray, trigger);
        open(TestLists::Numbered({"one", "two", "three"}));
        const QByteArray before = TestFiles::Read(m_listPath);
        QVERIFY(m_doc->List()->Database().Connection().Execute(trigger.constData()));
        control<QLineEdit>("wordEdit")->setText(QStringLiteral("typed"));
        m_sink->Clear();
        select({0});
        click(qPrintable(button));
        QCOMPARE(m_sink->Texts(), (QStringList{ListMessages::CannotChange(m_listPath, QStringLiteral("refused by the test")),
                                              CWordListSave::NotSavedMessage()}));
        QCOMPARE(TestFiles::Read(m_listPath), before);
        QCOMPARE(m_page->ListedWords(), (QStringList{"one", "two", "three"}));
        QCOMPARE(wordCount(), QStringLiteral("3"));
        QCOMPARE(control<QLineEdit>("wordEdit")->text(), QStringLiteral("typed"));
    }

    // Two rows with the same word, moved on screen: both stay, numbered by their places there.
    void sameWordTwice()
    {
        const QList<Row> rows = TestLists::Numbered({"their", "there", "their"});
        open(rows);
        m_sink->Clear();
        select({1});
        click("upButton");
        QCOMPARE(m_page->ListedWords(), (QStringList{"there", "their", "their"}));
        QVERIFY(m_sink->Texts().isEmpty());
        QCOMPARE(TestLists::Read(m_listPath), (QList<Row>{{1, kUser, "there", rows[1].sound},
                                                            {2, kUser, "their", rows[0].sound},
                                                            {3, kUser, "their", rows[2].sound}}));
    }

    void sortAToZ_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("banana, Apple, cherry") << QStringList{"banana", "Apple", "cherry"}
                                               << QStringList{"Apple", "banana", "cherry"};
        QTest::newRow("apple, Apple") << QStringList{"apple", "Apple"} << QStringList{"apple", "Apple"};
    }

    void sortAToZ()
    {
        QFETCH(QStringList, words);
        QFETCH(QStringList, sorted);
        open(TestLists::Numbered(words));
        click("sortButton");
        QCOMPARE(m_page->ListedWords(), sorted);
        QCOMPARE(TestLists::Words(TestLists::Read(m_listPath)), sorted);
    }

    void upAndDown_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("selected");  // -1: the selection is left alone
        QTest::newRow("up on the first does nothing") << 0 << "upButton" << QStringList{"a", "b", "c"} << -1;
        QTest::newRow("down on the last does nothing") << 2 << "downButton" << QStringList{"a", "b", "c"} << -1;
        QTest::newRow("up") << 2 << "upButton" << QStringList{"a", "c", "b"} << 1;
        QTest::newRow("down") << 0 << "downButton" << QStringList{"b", "a", "c"} << 1;
    }

    void upAndDown()
    {
        QFETCH(int, current);
        QFETCH(QString, button);
        QFETCH(QStringList, words);
        QFETCH(int, selected);
        open(TestLists::Numbered({"a", "b", "c"}));
        select({0, current});
        control(qPrintable(button))->click();
        QCOMPARE(m_page->ListedWords(), words);
        QCOMPARE(TestLists::Words(TestLists::Read(m_listPath)), words);
        if (selected < 0) {
            QCOMPARE(list()->selectedItems().size(), current == 0 ? 1 : 2);
            QCOMPARE(list()->currentRow(), current);
        } else {
            QCOMPARE(list()->selectedItems().size(), 1);
            QCOMPARE(list()->row(list()->selectedItems().first()), selected);
            // Pressed again, the same word moves on.
            QCOMPARE(list()->currentRow(), selected);
        }
    }

    void enterSavesNothing()
    {
        open(TestLists::Numbered({"one", "two", "three"}));
        m_sink->Clear();
        select({0});
        click("deleteButton");
        const QByteArray before = TestFiles::Read(m_listPath);
        QLineEdit* edit = control<QLineEdit>("wordEdit");
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("four"));
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Enter);
        QTest::keyClick(m_page.get(), Qt::Key_Return);
        QCOMPARE(TestFiles::Read(m_listPath), before);
        QCOMPARE(m_page->ListedWords(), (QStringList{"two", "three"}));
        QCOMPARE(edit->text(), QStringLiteral("four"));
        QVERIFY(m_sink->Texts().isEmpty());
        QVERIFY(m_commands.posted.isEmpty());
    }

    // With the option on, Enter in the word box speaks the typed word, adds it and plays it;
    // without the option, without a word, or with a recording already made, it adds nothing.
    void enterSpeaksAndAdds_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("spokenFirst");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("option on") << 1 << QStringLiteral("four") << false << QStringList{"one", "four"};
        QTest::newRow("option off") << 0 << QStringLiteral("four") << false << QStringList{"one"};
        QTest::newRow("no word typed") << 1 << QString() << false << QStringList{"one"};
        QTest::newRow("recording made: Add adds") << 1 << QStringLiteral("four") << true << QStringList{"one"};
    }

    void enterSpeaksAndAdds()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        if (!speechStarts())
            QSKIP("the default voice does not start here (is libflite1 installed?)");
        QFETCH(int, option);
        QFETCH(QString, word);
        QFETCH(bool, spokenFirst);
        QFETCH(QStringList, listed);
        m_settings->SetEnterSpeaksAndAdds(option);
        open(TestLists::Numbered({"one"}));
        m_sink->Clear();
        QLineEdit* edit = control<QLineEdit>("wordEdit");
        edit->setFocus();
        QTest::keyClicks(edit, word);
        if (spokenFirst)
            click("speakButton");
        CSpeakerCapture speaker;
        QVERIFY(speaker.Start());
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));
        QCOMPARE(m_page->ListedWords(), listed);
        const QList<Row> rows = TestLists::Read(m_listPath);
        QCOMPARE(rows.size(), listed.size());
        if (listed.size() == 2) {
            QCOMPARE(rows.at(1).word, word);
            const QByteArray spoken = TestFiles::Read(m_page->TempWavPath());
            QVERIFY(hasRecordingLayout(spoken, CSpeechSynthesizer::Format()));
            QVERIFY(rows.at(1).sound == spoken);
            QCOMPARE(edit->text(), QString());
            QVERIFY(edit->hasFocus());
            QVERIFY(m_page->Player().GetLoadedSound());
            QVERIFY(m_page->Player().GetLoadedSound()->WaitUntilDone(30000));
            QVERIFY2(TestAudio::HasSound(speaker.Stop()), "nothing was heard on the speaker");
        } else {
            QCOMPARE(edit->text(), word);
            QCOMPARE(enabledSteps(*m_page).contains(QLatin1Char('A')), spokenFirst);
        }
    }

    void volumeIsSetOnRelease()
    {
        ORTHEX_REQUIRE_TEST_AUDIO();
        TestAudio::SetMicVolume(40000);
        open({});
        auto* slider = control<QSlider>("volumeSlider");
        QVERIFY(slider->isEnabled());
        QCOMPARE(slider->minimum(), 0);
        QCOMPARE(slider->maximum(), 65536);
        QCOMPARE(slider->value(), 40000);

        // Dragging changes nothing until the handle is let go.
        slider->setSliderDown(true);
        slider->setValue(20000);
        slider->setValue(26000);
        QCOMPARE(TestAudio::MicVolume(), 40000);
        slider->setSliderDown(false);
        QCOMPARE(TestAudio::MicVolume(), 26000);

        // A key press is a whole move.
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_PageUp);
        QCOMPARE(slider->value(), 26000 + slider->pageStep());
        QCOMPARE(TestAudio::MicVolume(), 26000 + slider->pageStep());
    }

    // Without a capture device the page still shows and edits the list; only recording is off.
    void noMicrophone()
    {
        CSoundRecorder::SetCaptureDeviceLookup([](const QByteArray&) { return std::nullopt; });
        open(TestLists::Numbered({"one", "two", "three"}));
        const QStringList expected{QStringLiteral("The sound server (PulseAudio or PipeWire) offers no input device to "
                                                  "record from."),
                                   QStringLiteral("The microphone cannot be used for recording: check that it is "
                                                  "connected and that the sound server (PulseAudio or PipeWire) is "
                                                  "running."),
                                   CWords::NoMicrophoneMessage()};
        QStringList texts = m_sink->Texts();
        const qsizetype first = texts.indexOf(expected.first());
        QVERIFY2(first >= 0, qPrintable(texts.join(QLatin1Char('|'))));
        QCOMPARE(texts.mid(first, 3), expected);
        QVERIFY(!m_page->HasMicrophone());
        QVERIFY(m_commands.posted.isEmpty());

        // The next New or Open says nothing more about it.
        m_sink->Clear();
        m_page->OnInitialUpdate();
        for (const QString& text : expected)
            QVERIFY2(!m_sink->Texts().contains(text), qPrintable(text));

        QCOMPARE(enabledSteps(*m_page), QStringLiteral("K"));
        QVERIFY(!control<QSlider>("volumeSlider")->isEnabled());
        click("newWordButton");
        QCOMPARE(enabledSteps(*m_page), QStringLiteral("K"));
        QVERIFY(!control<QSlider>("volumeSlider")->isEnabled());

        m_sink->Clear();
        QCOMPARE(m_page->ListedWords(), (QStringList{"one", "two", "three"}));
        select({2});
        click("upButton");
        select({0});
        click("deleteButton");
        click("sortButton");
        QVERIFY(m_sink->Texts().isEmpty());
        QCOMPARE(TestLists::Words(TestLists::Read(m_listPath)), (QStringList{"three", "two"}));
    }

    void screenshot()
    {
        open(TestLists::Numbered({"necessary", "rhythm", "their", "there", "receive", "believe", "address",
                                      "separate", "definitely", "calendar", "committee", "embarrass"}));
        control<QLineEdit>("wordEdit")->setText(QStringLiteral("beautiful"));
        list()->setCurrentRow(4);
        QString folder = qEnvironmentVariable("ORTHEX_SCREENSHOT_DIR");
        if (folder.isEmpty())
            folder = CTestEnvironment::Instance().Root();
        QVERIFY(QDir().mkpath(folder));
        const QImage image = m_page->grab().toImage();
        QVERIFY(!image.isNull());
        QVERIFY(image.save(QDir(folder).filePath(QStringLiteral("words-page-list.png"))));
    }
};

ORTHEX_TEST_MAIN(WordsTest)
#include "words_test.moc"
