#include "lists/orthexdoc.h"
#include "reports/reports.h"
#include "rules/spellingrules.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"

#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
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
    doc.m_listGrades.AddTail(std::move(grade));
}

void addMissed(COrthexDoc& doc, const QString& word, const QString& misspelling)
{
    auto missed = std::make_unique<CMissed>();
    missed->SetListName(QStringLiteral("Week1"));
    missed->SetDateText(QStringLiteral("12/08/26, 03:10 AM"));
    missed->SetWord(word);
    missed->SetMisspelling(misspelling);
    doc.m_listMissed.AddTail(std::move(missed));
}

void addVocabulary(COrthexDoc& doc, const QString& word, const QString& extra = QString())
{
    auto vocabulary = std::make_unique<CVocabulary>();
    vocabulary->SetListName(QStringLiteral("Week1"));
    vocabulary->SetDateText(QStringLiteral("12/08/26, 03:10 AM"));
    vocabulary->SetWord(word);
    vocabulary->SetExtra(extra);
    doc.m_listVocabulary.AddTail(std::move(vocabulary));
}

// The page on a document of its own, shown and initialised as the main window does.
struct SPage {
    CNoCommands commands;
    COrthexDoc doc;
    std::unique_ptr<CReports> page;

    void Open()
    {
        doc.m_strCurrentUser = QStringLiteral("Pupil");
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
        for (const CGrade& grade : doc.m_listGrades)
            names << grade.GetListName();
        return names;
    }
};
}  // namespace

class CReportsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
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
        QVERIFY(!p.doc.m_bResultsChanged);
        p.page->ReportButton(EReportKind::Missed)->click();
        // "double l" and "double L" keep their order; ie/ei comes before plurals.
        QCOMPARE(p.Column(3), (QStringList{"bal", "baL", "recieve", "boxs"}));
        CSpellingRules rules;
        QCOMPARE(p.Cell(2, 4), rules.AnalyzeMisspelling(QStringLiteral("receive"), QStringLiteral("recieve")));
        // The document's list has the new order too, without being marked as changed.
        QCOMPARE(p.doc.m_listMissed.at(0).GetMisspelling(), QStringLiteral("bal"));
        QVERIFY(!p.doc.m_bResultsChanged);
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
        QVERIFY(p.doc.m_bResultsChanged);
        QCOMPARE(p.doc.m_listGrades.at(1).GetCorrectCount(), 1);
        QCOMPARE(p.doc.m_listGrades.at(1).GetWordCount(), 2);
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
        QCOMPARE(p.doc.m_listVocabulary.size(), 3);
        QVERIFY(!p.doc.m_bResultsChanged);
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
        QVERIFY(!p.doc.m_bResultsChanged);
    }

    void deleteAllOnAnEmptyListMarksTheDocumentAtSave()
    {
        SPage p;
        p.Open();
        p.page->DeleteAllButton()->click();
        QVERIFY(p.page->Sheet().RowsChanged());
        QVERIFY(!p.doc.m_bResultsChanged);
        p.page->SaveChangesButton()->click();
        QVERIFY(p.doc.m_bResultsChanged);
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
        QCOMPARE(p.doc.m_listVocabulary.size(), 1);
        const CVocabulary& kept = p.doc.m_listVocabulary.at(0);
        QCOMPARE(kept.GetWord(), QStringLiteral("keep"));
        QCOMPARE(kept.GetExtra(), QStringLiteral("extra text"));
        QCOMPARE(kept.GetListName(), QStringLiteral("Week1"));
        QCOMPARE(kept.GetDateText(), QStringLiteral("12/08/26, 03:10 AM"));
        QCOMPARE(p.doc.m_listMissed.size(), 1);
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
