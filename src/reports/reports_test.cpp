#include "document/orthexdoc.h"
#include "reports/progresschartdlg.h"
#include "reports/reports.h"
#include "reports/resulttables.h"
#include "base/appfolders.h"
#include "base/appsettings.h"
#include "users/teachergate.h"
#include "users/teacherpassword.h"
#include "rules/spellingrules.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "testing/testlayout.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMessageBox>
#include <QTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeView>
#include <QtTest>

#include <memory>

namespace {
class CNoCommands : public IPageCommandTarget
{
public:
    void PostPageCommand(PageCommand) override {}
};

struct SGradeData {
    const char* list;
    int correct;
    int words;
};

void addGrade(COrthexDoc& doc, const QString& list, int correct, int words)
{
    auto grade = std::make_unique<CGrade>();
    grade->SetListName(list);
    grade->SetDateText(QStringLiteral("12/08/26, 03:10 AM"));
    grade->SetCorrectCount(correct);
    grade->SetWordCount(words);
    doc.Results().Grades().AddTail(std::move(grade));
}

void addMissed(COrthexDoc& doc, const QString& word, const QString& misspelling,
               const QString& list = QStringLiteral("Week1"), const QString& date = QStringLiteral("12/08/26, 03:10 AM"))
{
    auto missed = std::make_unique<CMissed>();
    missed->SetListName(list);
    missed->SetDateText(date);
    missed->SetWord(word);
    missed->SetMisspelling(misspelling);
    doc.Results().Missed().AddTail(std::move(missed));
}

void addVocabulary(COrthexDoc& doc, const QString& word, const QString& extra = QString(),
                   const QString& list = QStringLiteral("Week1"))
{
    auto vocabulary = std::make_unique<CVocabulary>();
    vocabulary->SetListName(list);
    vocabulary->SetDateText(QStringLiteral("12/08/26, 03:10 AM"));
    vocabulary->SetWord(word);
    vocabulary->SetExtra(extra);
    doc.Results().Vocabulary().AddTail(std::move(vocabulary));
}

// The page on a document of its own, shown and initialised as the main window does.
struct SPage {
    CNoCommands commands;
    COrthexDoc doc;
    std::unique_ptr<CReports> page;

    void Open()
    {
        doc.SetCurrentUser(QStringLiteral("Pupil"));
        page = std::make_unique<CReports>(doc, commands);
        page->resize(640, 420);
        page->show();
        page->OnInitialUpdate();
    }
    QAbstractItemModel* Model() const { return page->ListView()->model(); }
    int Rows() const { return Model()->rowCount(); }
    QString Cell(int row, int column) const { return Model()->index(row, column).data().toString(); }
    QStringList Column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < Rows(); ++row)
            texts << Cell(row, column);
        return texts;
    }
    QStringList Titles() const
    {
        QStringList titles;
        for (int c = 0; c < Model()->columnCount(); ++c)
            titles << Model()->headerData(c, Qt::Horizontal).toString();
        return titles;
    }
    void Select(std::initializer_list<int> rows)
    {
        QItemSelection selection;
        for (int row : rows)
            selection.select(Model()->index(row, 0), Model()->index(row, Model()->columnCount() - 1));
        page->ListView()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    QStringList GradeLists() const
    {
        QStringList names;
        for (const CGrade& grade : doc.Results().Grades())
            names << grade.GetListName();
        return names;
    }
};

QStringList sourceTexts(const QList<SPracticeSource>& sources)
{
    QStringList texts;
    for (const SPracticeSource& source : sources)
        texts << source.word + QLatin1Char('@') + source.listName;
    return texts;
}

// A history for the error profile: three ie/ei errors from two lists, one of them also a
// capital letter, a doubled letter, and one the analyser cannot name.
void addProfileHistory(COrthexDoc& doc)
{
    addMissed(doc, QStringLiteral("receive"), QStringLiteral("recieve"), QStringLiteral("Week1"));
    addMissed(doc, QStringLiteral("comma"), QStringLiteral("coma"), QStringLiteral("Week2"));
    addMissed(doc, QStringLiteral("Believe"), QStringLiteral("beleive"), QStringLiteral("Week2"));
    addMissed(doc, QStringLiteral("field"), QStringLiteral("feld"), QStringLiteral("Week1"));
    addMissed(doc, QStringLiteral("cat"), QStringLiteral("cat"), QStringLiteral("Week3"));
}

// Replaces the file dialog of "Export..." while it lives: answers with a path (empty: cancelled)
// and remembers the path it was offered.
struct SExportDialog {
    QString answer;
    QStringList offered;
    SExportDialog()
    {
        CReports::SetSaveFileFunction([this](QWidget*, const QString& suggested) {
            offered << suggested;
            return answer;
        });
    }
    ~SExportDialog() { CReports::SetSaveFileFunction({}); }
};

}  // namespace

class CReportsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Deleting rows asks first: Yes here, so the other tests delete at once.
    void initTestCase()
    {
        CReports::SetQuestionFunction([](QWidget*, const QString&) { return true; });
    }

    void layoutFollowsTheWindow_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("tiny") << QSize(200, 150);
        QTest::newRow("small") << QSize(560, 420);
        QTest::newRow("the form's size") << QSize();
        QTest::newRow("large") << QSize(1280, 1000);
    }

    // Below the form's size the page scrolls rather than cuts a control off; above it all the
    // room goes to the report list, across and down.
    void layoutFollowsTheWindow()
    {
        QFETCH(QSize, size);
        SPage p;
        p.Open();
        const QSize formSize = p.page->FormSize();
        p.page->resize(formSize);
        QCoreApplication::processEvents();
        const QSize listAtFormSize = p.page->ListView()->size();
        p.page->resize(size.isValid() ? size : formSize);
        QCoreApplication::processEvents();
        auto* scroll = p.page->findChild<QScrollArea*>();
        QVERIFY(scroll);
        QWidget* form = scroll->widget();
        QList<const QWidget*> controls{p.page->ListView()};
        for (EReportKind kind : kReportKinds)
            controls << p.page->ReportButton(kind);
        for (int b = 0; b <= int(EReportButton::ClassOverview); ++b)
            controls << p.page->Button(EReportButton(b));
        QCOMPARE(TestLayout::Misplaced(*form, controls), QString());
        const QSize viewport = scroll->viewport()->size();
        QCOMPARE(scroll->horizontalScrollBar()->isVisible(), form->width() > viewport.width());
        QCOMPARE(scroll->verticalScrollBar()->isVisible(), form->height() > viewport.height());
        const QSize shown = size.isValid() ? size : formSize;
        if (shown.width() >= formSize.width() && shown.height() >= formSize.height())
            QCOMPARE(p.page->ListView()->size(), listAtFormSize + (shown - formSize));
    }

    // The real question: No keeps every row, Yes deletes; the results change only when saved.
    void deletingAsksFirst_data()
    {
        QTest::addColumn<bool>("all");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("Delete All, No") << true << false << "Delete all 3 rows of this report?" << QStringList{"one", "two", "three"};
        QTest::newRow("Delete All, Yes") << true << true << "Delete all 3 rows of this report?" << QStringList();
        QTest::newRow("Delete Selection, No") << false << false << "Delete the 2 selected rows?" << QStringList{"one", "two", "three"};
        QTest::newRow("Delete Selection, Yes") << false << true << "Delete the 2 selected rows?" << QStringList{"two"};
    }
    // With a teacher password, deleting asks for it first: a wrong one deletes nothing.
    void deletingNeedsTheTeacherPassword_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("kept");
        QTest::newRow("right") << "Eule 7" << 0;
        QTest::newRow("wrong") << "Eule" << 3;
    }
    void deletingNeedsTheTeacherPassword()
    {
        QFETCH(QString, typed);
        QFETCH(int, kept);
        CAppSettings settings;
        const QString folder = CAppFolders(settings).GetDefaultUserFolder();
        QVERIFY(CTeacherPassword(folder).Set(QStringLiteral("Eule 7")));
        TeacherGate::SetAskFunction([&](QWidget*, const QString&) { return std::optional<QString>(typed); });
        CRecordingMessageSink messages;
        SPage p;
        for (const char* word : {"one", "two", "three"})
            addVocabulary(p.doc, QString::fromLatin1(word));
        p.Open();
        p.page->ReportButton(EReportKind::Vocabulary)->click();
        p.page->DeleteAllButton()->click();
        TeacherGate::SetAskFunction({});
        QVERIFY(CTeacherPassword(folder).Set(QString()));
        QCOMPARE(p.Rows(), kept);
    }

    void deletingAsksFirst()
    {
        QFETCH(bool, all);
        QFETCH(bool, yes);
        QFETCH(QString, question);
        QFETCH(QStringList, kept);
        const CReports::QuestionFunction answerYes = CReports::SetQuestionFunction({});
        SPage p;
        for (const char* word : {"one", "two", "three"})
            addVocabulary(p.doc, QString::fromLatin1(word));
        p.Open();
        p.page->ReportButton(EReportKind::Vocabulary)->click();
        p.Select({0, 2});
        QString asked;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            asked = box->text();
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        (all ? p.page->DeleteAllButton() : p.page->DeleteSelectionButton())->click();
        CReports::SetQuestionFunction(answerYes);
        QVERIFY2(asked.startsWith(question), qPrintable(asked));
        QCOMPARE(p.Column(3), kept);
        p.page->SaveChangesButton()->click();
        QCOMPARE(p.doc.Results().Vocabulary().size(), kept.size());
        QCOMPARE(p.doc.Results().IsChanged(), yes);
    }

    void noResultsShowsOnlyTheTitles_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QList<int>>("hidden");
        QTest::newRow("grades") << 0 << QStringList{"Spelling List", "Date", "# Correct", "# Words", "Grade"}
                                << QList<int>{};
        QTest::newRow("misspelled words")
            << 1 << QStringList{"", "", "Word           ", "Misspelling    ", "Spelling Errors"} << QList<int>{0, 1};
        QTest::newRow("vocabulary") << 2 << QStringList{"", "", "", "Word               "} << QList<int>{0, 1, 2};
        QTest::newRow("error profile") << 3 << QStringList{"Kind of Error", "Count", "Share", "Newest", "Examples"}
                                       << QList<int>{};
    }
    void noResultsShowsOnlyTheTitles()
    {
        QFETCH(int, kind);
        QFETCH(QList<int>, hidden);
        SPage p;
        p.Open();
        p.page->ReportButton(EReportKind(kind))->click();
        QCOMPARE(int(p.page->Sheet().Kind()), kind);
        QCOMPARE(p.Rows(), 0);
        QTEST(p.Titles(), "titles");
        const QHeaderView* header = p.page->ListView()->header();
        for (int c = 0; c < p.Model()->columnCount(); ++c) {
            if (hidden.contains(c))
                QCOMPARE(header->sectionSize(c), 0);
            else  // fitted to its title, trailing blanks included
                QVERIFY(header->sectionSize(c) >= header->fontMetrics().horizontalAdvance(p.Titles().at(c)));
        }
    }

    void gradeRows()
    {
        SPage p;
        addGrade(p.doc, QStringLiteral("Nine"), 9, 10);
        addGrade(p.doc, QStringLiteral("Two"), 2, 3);
        addGrade(p.doc, QStringLiteral("Ten"), 10, 10);
        p.Open();
        QCOMPARE(p.Column(2), (QStringList{"9", "2", "10"}));
        QCOMPARE(p.Column(3), (QStringList{"10", "3", "10"}));
        QCOMPARE(p.Column(4), (QStringList{" 90 %", " 67 %", "100 %"}));
        // Rows alternate between the two icons.
        const QIcon first = p.Model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>();
        const QIcon second = p.Model()->index(1, 0).data(Qt::DecorationRole).value<QIcon>();
        const QIcon third = p.Model()->index(2, 0).data(Qt::DecorationRole).value<QIcon>();
        QVERIFY(!first.isNull());
        QVERIFY(first.pixmap(16).toImage() != second.pixmap(16).toImage());
        QCOMPARE(first.pixmap(16).toImage(), third.pixmap(16).toImage());
        // A column is at least as wide as its widest text.
        const QFontMetrics metrics = p.page->ListView()->fontMetrics();
        QVERIFY(p.page->ListView()->header()->sectionSize(1) > metrics.horizontalAdvance(p.Cell(0, 1)));
    }

    void misspelledWordsAreOrderedByTheirLabels()
    {
        SPage p;
        addMissed(p.doc, QStringLiteral("boxes"), QStringLiteral("boxs"));
        addMissed(p.doc, QStringLiteral("ball"), QStringLiteral("bal"));
        addMissed(p.doc, QStringLiteral("receive"), QStringLiteral("recieve"));
        addMissed(p.doc, QStringLiteral("baLL"), QStringLiteral("baL"));
        p.Open();
        QVERIFY(!p.doc.Results().IsChanged());
        p.page->ReportButton(EReportKind::Missed)->click();
        // "double l" and "double L" keep their order; ie/ei comes before plurals.
        QCOMPARE(p.Column(3), (QStringList{"bal", "baL", "recieve", "boxs"}));
        CSpellingRules rules;
        QCOMPARE(p.Cell(2, 4), rules.AnalyzeMisspelling(QStringLiteral("receive"), QStringLiteral("recieve")));
        // The document's list has the new order too, without being marked as changed.
        QCOMPARE(p.doc.Results().Missed().at(0).GetMisspelling(), QStringLiteral("bal"));
        QVERIFY(!p.doc.Results().IsChanged());
    }

    void deletionsKeptAcrossASwitch()
    {
        SPage p;
        for (const char* name : {"first", "second", "third"})
            addGrade(p.doc, QString::fromLatin1(name), 1, 2);
        p.Open();
        p.Select({1});
        p.page->DeleteSelectionButton()->click();
        QCOMPARE(p.Column(0), (QStringList{"first", "third"}));
        QCOMPARE(p.GradeLists(), (QStringList{"first", "second", "third"}));
        p.page->ReportButton(EReportKind::Missed)->click();
        QCOMPARE(p.GradeLists(), (QStringList{"first", "third"}));
        QVERIFY(p.doc.Results().IsChanged());
        QCOMPARE(p.doc.Results().Grades().at(1).GetCorrectCount(), 1);
        QCOMPARE(p.doc.Results().Grades().at(1).GetWordCount(), 2);
    }

    void deletionsDropped_data()
    {
        QTest::addColumn<bool>("byCancel");
        QTest::newRow("Cancel") << true;
        QTest::newRow("an update of the document") << false;
    }
    void deletionsDropped()
    {
        QFETCH(bool, byCancel);
        SPage p;
        for (const char* word : {"one", "two", "three"})
            addVocabulary(p.doc, QString::fromLatin1(word));
        p.Open();
        p.page->ReportButton(EReportKind::Vocabulary)->click();
        p.page->DeleteAllButton()->click();
        QCOMPARE(p.Rows(), 0);
        if (byCancel) {
            p.page->CancelButton()->click();
            QCOMPARE(p.page->Sheet().Kind(), EReportKind::Vocabulary);
        } else {
            p.page->OnUpdate();
            QCOMPARE(p.page->Sheet().Kind(), EReportKind::Grades);
            QVERIFY(p.page->ReportButton(EReportKind::Grades)->isChecked());
            p.page->ReportButton(EReportKind::Vocabulary)->click();
        }
        QCOMPARE(p.Column(3), (QStringList{"one", "two", "three"}));
        QCOMPARE(p.doc.Results().Vocabulary().size(), 3);
        QVERIFY(!p.doc.Results().IsChanged());
        QVERIFY(!p.page->Sheet().RowsChanged());
    }

    void deleteSelectionWithNothingSelectedChangesNothing()
    {
        SPage p;
        addGrade(p.doc, QStringLiteral("only"), 1, 1);
        p.Open();
        p.page->DeleteSelectionButton()->click();
        QCOMPARE(p.Rows(), 1);
        QVERIFY(!p.page->Sheet().RowsChanged());
        p.page->SaveChangesButton()->click();
        QVERIFY(!p.doc.Results().IsChanged());
    }

    void deleteAllOnAnEmptyListMarksTheDocumentAtSave()
    {
        SPage p;
        p.Open();
        p.page->DeleteAllButton()->click();
        QVERIFY(p.page->Sheet().RowsChanged());
        QVERIFY(!p.doc.Results().IsChanged());
        p.page->SaveChangesButton()->click();
        QVERIFY(p.doc.Results().IsChanged());
        QVERIFY(!p.page->Sheet().RowsChanged());
    }

    void saveKeepsTheHiddenFields()
    {
        SPage p;
        addVocabulary(p.doc, QStringLiteral("keep"), QStringLiteral("extra text"));
        addVocabulary(p.doc, QStringLiteral("drop"));
        addMissed(p.doc, QStringLiteral("cat"), QStringLiteral("cot"));
        p.Open();
        p.page->ReportButton(EReportKind::Vocabulary)->click();
        p.Select({1});
        p.page->DeleteSelectionButton()->click();
        p.page->SaveChangesButton()->click();
        QCOMPARE(p.doc.Results().Vocabulary().size(), 1);
        const CVocabulary& kept = p.doc.Results().Vocabulary().at(0);
        QCOMPARE(kept.GetWord(), QStringLiteral("keep"));
        QCOMPARE(kept.GetExtra(), QStringLiteral("extra text"));
        QCOMPARE(kept.GetListName(), QStringLiteral("Week1"));
        QCOMPARE(kept.GetDateText(), QStringLiteral("12/08/26, 03:10 AM"));
        QCOMPARE(p.doc.Results().Missed().size(), 1);
    }

    void deletesSeveralSeparateRows()
    {
        SPage p;
        for (int i = 0; i < 8; ++i)
            addGrade(p.doc, QString::number(i), i, 8);
        p.Open();
        p.Select({0, 2, 3, 7});
        p.page->DeleteSelectionButton()->click();
        QCOMPARE(p.Column(0), (QStringList{"1", "4", "5", "6"}));
        p.page->SaveChangesButton()->click();
        QCOMPARE(p.GradeLists(), (QStringList{"1", "4", "5", "6"}));
    }

    void profileShowsTheKindsReadOnly()
    {
        SPage p;
        addProfileHistory(p.doc);
        addGrade(p.doc, QStringLiteral("Week1"), 3, 5);
        p.Open();
        p.page->ReportButton(EReportKind::Profile)->click();
        QCOMPARE(p.page->Sheet().Kind(), EReportKind::Profile);
        QCOMPARE(p.Column(0), (QStringList{"ie/ei", "capital letters", "doubled letters"}));
        QCOMPARE(p.Column(1), (QStringList{"3", "1", "1"}));
        QCOMPARE(p.Column(2), (QStringList{"60.0 %", "20.0 %", "20.0 %"}));
        QCOMPARE(p.Cell(0, 3), QStringLiteral("12/08/26, 03:10 AM"));
        QCOMPARE(p.Cell(0, 4), QStringLiteral("Believe (beleive), field (feld), receive (recieve)"));
        // Nothing can be deleted or saved; printing and exporting can be done.
        for (QPushButton* button : {p.page->SaveChangesButton(), p.page->DeleteAllButton(),
                                    p.page->DeleteSelectionButton()})
            QVERIFY2(!button->isEnabled(), qPrintable(button->text()));
        QVERIFY(p.page->PrintButton()->isEnabled());
        QVERIFY(p.page->ExportButton()->isEnabled());
        p.Select({0});
        p.page->OnDeleteSelection();
        p.page->OnDeleteAll();
        QCOMPARE(p.Rows(), 3);
        QVERIFY(!p.page->Sheet().RowsChanged());
        p.page->OnSaveChanges();
        QVERIFY(!p.doc.Results().IsChanged());
        QCOMPARE(p.doc.Results().Missed().size(), 5);
        // Another report can be changed again.
        p.page->ReportButton(EReportKind::Grades)->click();
        QVERIFY(p.page->DeleteAllButton()->isEnabled());
        QVERIFY(p.page->SaveChangesButton()->isEnabled());
    }

    // The profile is made from the misspelled words as saved: deletions are kept on the switch.
    void profileAfterDeletingMisspelledWords()
    {
        SPage p;
        addProfileHistory(p.doc);
        p.Open();
        p.page->ReportButton(EReportKind::Missed)->click();
        const int doubled = int(p.Column(3).indexOf(QStringLiteral("coma")));
        QVERIFY(doubled >= 0);
        p.Select({doubled});
        p.page->DeleteSelectionButton()->click();
        p.page->ReportButton(EReportKind::Profile)->click();
        QVERIFY(p.doc.Results().IsChanged());
        QCOMPARE(p.Column(0), (QStringList{"ie/ei", "capital letters"}));
        QCOMPARE(p.Column(2), (QStringList{"75.0 %", "25.0 %"}));
    }

    void practiceSources_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("sources");
        QTest::addColumn<QList<qsizetype>>("records");
        QTest::newRow("grades: none") << 0 << QList<int>{0} << QStringList{} << QList<qsizetype>{};
        // The page orders the misspelled words by their labels.
        QTest::newRow("misspelled words, none selected: all")
            << 1 << QList<int>{}
            << QStringList{"cat@Week3", "comma@Week2", "Believe@Week2", "field@Week1", "receive@Week1"}
            << QList<qsizetype>{};
        QTest::newRow("misspelled words, two selected") << 1 << QList<int>{3, 1}
                                                        << QStringList{"comma@Week2", "field@Week1"}
                                                        << QList<qsizetype>{};
        QTest::newRow("vocabulary, none selected: all, duplicates kept")
            << 2 << QList<int>{} << QStringList{"rhythm@Week1", "weird@Week2", "rhythm@Week1"} << QList<qsizetype>{};
        QTest::newRow("vocabulary, one selected") << 2 << QList<int>{1} << QStringList{"weird@Week2"}
                                                  << QList<qsizetype>{};
        // Kinds: ie/ei (Believe, field, receive), capital letters (Believe), doubled letters (comma).
        QTest::newRow("profile, none selected: every kind, a word of two kinds twice")
            << 3 << QList<int>{}
            << QStringList{"Believe@Week2", "field@Week1", "receive@Week1", "Believe@Week2", "comma@Week2"}
            << QList<qsizetype>{2, 3, 4, 1};
        QTest::newRow("profile, two kinds selected") << 3 << QList<int>{2, 1}
                                                     << QStringList{"Believe@Week2", "comma@Week2"}
                                                     << QList<qsizetype>{2, 1};
        QTest::newRow("profile, one kind selected") << 3 << QList<int>{0}
                                                    << QStringList{"Believe@Week2", "field@Week1", "receive@Week1"}
                                                    << QList<qsizetype>{2, 3, 4};
    }
    void practiceSources()
    {
        QFETCH(int, kind);
        QFETCH(QList<int>, selected);
        QFETCH(QList<qsizetype>, records);
        SPage p;
        addProfileHistory(p.doc);
        addVocabulary(p.doc, QStringLiteral("rhythm"));
        addVocabulary(p.doc, QStringLiteral("weird"), QString(), QStringLiteral("Week2"));
        addVocabulary(p.doc, QStringLiteral("rhythm"));
        addGrade(p.doc, QStringLiteral("Week1"), 3, 5);
        p.Open();
        p.page->ReportButton(EReportKind(kind))->click();
        QItemSelection selection;
        for (int row : selected)
            selection.select(p.Model()->index(row, 0), p.Model()->index(row, p.Model()->columnCount() - 1));
        p.page->ListView()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        QTEST(sourceTexts(p.page->PracticeSources()), "sources");
        const QList<qsizetype> got = p.page->SelectedMissedRecords();
        QCOMPARE(got, records);
        // The records are the document's, in its order (cat, comma, Believe, field, receive).
        for (qsizetype index : got)
            QVERIFY(index >= 0 && index < p.doc.Results().Missed().size());
    }

    // "Export..." writes the report shown as orthex-cli results writes it, from the document's
    // lists (rows deleted but not saved are still there, as when printing).
    void exportWritesTheReportShown_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("grades") << 0 << "Pupil grades.csv"
                                << QByteArray("List,Date,Correct,Words\r\n"
                                              "\"Week 1, \"\"hard\"\"\",12/08/26 03:10 AM,9,10\r\n"
                                              "Week2,12/08/26 03:10 AM,0,0\r\n");
        QTest::newRow("misspelled words")
            << 1 << "Pupil misspelled words.csv"
            << QByteArray("List,Date,Word,Misspelling,Errors\r\n"
                          "\"Week 1, \"\"hard\"\"\",x,Ball,bal,\"capitalize, double l\"\r\n"
                          "Week1,\"12/08/26, 03:10 AM\",receive,recieve,ie/ei:  ie to ei\r\n");
        QTest::newRow("vocabulary") << 2 << "Pupil vocabulary.csv"
                                    << QByteArray("List,Date,Word,Extra\r\n"
                                                  "Week1,12/08/26 03:10 AM,caf\xC3\xA9,\"two\nlines\"\r\n");
        QTest::newRow("error profile")
            << 3 << "Pupil error profile.csv"
            << QByteArray("Kind,Count,Share,Newest,Examples\r\n"
                          "ie/ei,1,50.0 %,\"12/08/26, 03:10 AM\",receive (recieve)\r\n"
                          "capital letters,1,50.0 %,x,Ball (bal)\r\n"
                          "doubled letters,1,50.0 %,x,Ball (bal)\r\n");
    }
    void exportWritesTheReportShown()
    {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        CRecordingMessageSink messages;
        SExportDialog dialog;
        SPage p;
        const QString hard = QStringLiteral("Week 1, \"hard\"");
        auto grade = std::make_unique<CGrade>();
        grade->SetListName(hard);
        grade->SetDateText(QStringLiteral("12/08/26 03:10 AM"));
        grade->SetCorrectCount(9);
        grade->SetWordCount(10);
        p.doc.Results().Grades().AddTail(std::move(grade));
        grade = std::make_unique<CGrade>();
        grade->SetListName(QStringLiteral("Week2"));
        grade->SetDateText(QStringLiteral("12/08/26 03:10 AM"));
        p.doc.Results().Grades().AddTail(std::move(grade));
        addMissed(p.doc, QStringLiteral("receive"), QStringLiteral("recieve"));
        addMissed(p.doc, QStringLiteral("Ball"), QStringLiteral("bal"), hard, QStringLiteral("x"));
        auto word = std::make_unique<CVocabulary>();
        word->SetListName(QStringLiteral("Week1"));
        word->SetDateText(QStringLiteral("12/08/26 03:10 AM"));
        word->SetWord(QStringLiteral("caf\u00e9"));
        word->SetExtra(QStringLiteral("two\nlines"));
        p.doc.Results().Vocabulary().AddTail(std::move(word));
        p.Open();
        p.page->ReportButton(EReportKind(kind))->click();
        if (kind != 3) {
            p.page->DeleteAllButton()->click();
            QCOMPARE(p.Rows(), 0);
        }
        const QString path = CTestEnvironment::Instance().Root() + QStringLiteral("/export-%1.csv").arg(kind);
        dialog.answer = path;
        p.page->ExportButton()->click();
        QCOMPARE(messages.Texts(), QStringList{});
        QCOMPARE(dialog.offered, QStringList{CTestEnvironment::Instance().Documents() + QStringLiteral("/Orthex/") + name});
        QCOMPARE(TestFiles::Read(path), content);
        // The same table as orthex-cli results prints for the document's list.
        QCOMPARE(TestFiles::Read(path),
                 ResultTables::Text(ResultTables::Header(EReportKind(kind)),
                                    ResultTables::Rows(EReportKind(kind), p.page->Sheet().Lists()),
                                    CTableWriter::EFormat::Csv)
                     .toUtf8());
    }

    void exportOfAnEmptyReportSaysNoData_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("questionMark");
        QTest::newRow("grades") << 0 << false;
        QTest::newRow("misspelled words") << 1 << false;
        QTest::newRow("vocabulary") << 2 << false;
        QTest::newRow("error profile without words") << 3 << false;
        QTest::newRow("error profile of words without a kind") << 3 << true;
    }
    void exportOfAnEmptyReportSaysNoData()
    {
        QFETCH(int, kind);
        QFETCH(bool, questionMark);
        CRecordingMessageSink messages;
        SExportDialog dialog;
        SPage p;
        if (questionMark)
            addMissed(p.doc, QStringLiteral("cat"), QStringLiteral("cat"));
        p.Open();
        p.page->ReportButton(EReportKind(kind))->click();
        p.page->ExportButton()->click();
        QCOMPARE(messages.Texts(), QStringList{"No data."});
        QCOMPARE(messages.Entries().at(0).icon, MessageIcon::Exclamation);
        QVERIFY(dialog.offered.isEmpty());
    }

    void exportCancelledOrFailed()
    {
        CRecordingMessageSink messages;
        SExportDialog dialog;
        SPage p;
        addGrade(p.doc, QStringLiteral("Week1"), 1, 2);
        p.Open();
        // Cancelled: nothing written, nothing said.
        p.page->ExportButton()->click();
        QCOMPARE(dialog.offered.size(), 1);
        QVERIFY(messages.Texts().isEmpty());
        // A name taken by a folder: the failure names the file, and the folder stays as it was.
        const QString taken = CTestEnvironment::Instance().Root() + QStringLiteral("/taken.csv");
        QVERIFY(QDir().mkpath(taken));
        dialog.answer = taken;
        p.page->ExportButton()->click();
        QCOMPARE(messages.Texts().size(), 1);
        QVERIFY2(messages.Texts().at(0).startsWith(QStringLiteral("The report could not be written to ") + taken + ": "),
                 qPrintable(messages.Texts().at(0)));
        QCOMPARE(messages.Entries().at(0).icon, MessageIcon::Stop);
        QVERIFY(QFileInfo(taken).isDir());
        QVERIFY(QDir(taken).isEmpty());
    }

    // Words to practise come from every report but the grades; the chart from any.
    void practiceAndProgressButtons_data()
    {
        QTest::addColumn<EReportKind>("kind");
        QTest::addColumn<bool>("practice");
        QTest::newRow("grades") << EReportKind::Grades << false;
        QTest::newRow("misspelled words") << EReportKind::Missed << true;
        QTest::newRow("vocabulary") << EReportKind::Vocabulary << true;
        QTest::newRow("profile") << EReportKind::Profile << true;
    }
    void practiceAndProgressButtons()
    {
        QFETCH(EReportKind, kind);
        QFETCH(bool, practice);
        SPage p;
        addProfileHistory(p.doc);
        p.Open();
        p.page->ReportButton(kind)->click();
        QCOMPARE(p.page->MakePracticeListButton()->isEnabled(), practice);
        QCOMPARE(p.page->MakePracticeListButton()->text(), QStringLiteral("Make Practice List..."));
        QVERIFY(p.page->ProgressButton()->isEnabled());
        QCOMPARE(p.page->ProgressButton()->text(), QStringLiteral("Progress"));
    }

    // No grades: the chart says so instead of opening an empty window.
    void progressWithoutGradesSaysNoData()
    {
        CRecordingMessageSink messages;
        SPage p;
        p.Open();
        p.page->ProgressButton()->click();
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("No data.")});
        QVERIFY(p.page->findChildren<CProgressChartDlg*>().isEmpty());
        addGrade(p.doc, QStringLiteral("Week1"), 3, 4);
        p.page->ProgressButton()->click();
        QCOMPARE(messages.Texts().size(), 1);
        const QList<CProgressChartDlg*> charts = p.page->findChildren<CProgressChartDlg*>();
        QCOMPARE(charts.size(), 1);
        charts.first()->close();
    }

    void workedWithTheKeyboardAlone()
    {
        SPage p;
        for (const char* name : {"first", "second", "third"})
            addGrade(p.doc, QString::fromLatin1(name), 1, 2);
        addVocabulary(p.doc, QStringLiteral("word"));
        p.Open();
        p.page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.page.get()));
        // Arrow keys choose the report.
        p.page->ReportButton(EReportKind::Grades)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(p.page->Sheet().Kind(), EReportKind::Vocabulary);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(p.page->Sheet().Kind(), EReportKind::Grades);
        // Tab to the list, select the second and third rows, Tab on to Delete Selection.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), p.page->ListView());
        QTest::keyClick(p.page->ListView(), Qt::Key_Home);
        QTest::keyClick(p.page->ListView(), Qt::Key_Down);
        QTest::keyClick(p.page->ListView(), Qt::Key_Down, Qt::ShiftModifier);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), p.page->DeleteSelectionButton());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(p.Column(0), QStringList{"first"});
    }
};

ORTHEX_TEST_MAIN(CReportsTest)
#include "reports_test.moc"
