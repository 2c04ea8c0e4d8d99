#include "document/orthexdoc.h"
#include "reports/printlayout.h"
#include "reports/reportprinter.h"
#include "reports/reports.h"
#include "rules/spellingrules.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"

#include <QFontMetrics>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTreeView>
#include <QtTest>

#include <memory>

namespace {
class CNoCommands : public IPageCommandTarget
{
public:
    void PostPageCommand(PageCommand) override {}
};

// The page with its dialogs replaced: the font dialog answers with a chosen font (or is
// cancelled), and the preview prints straight into a PDF file through the same painting the
// preview and the print dialog use.
struct SPrintPage {
    CNoCommands commands;
    COrthexDoc doc;
    std::unique_ptr<CReports> page;
    std::optional<QFont> answer;
    QList<QFont> offered;
    int previews = 0;
    QString pdf;
    QPageRanges ranges;
    int dpiY = 0;

    SPrintPage()
    {
        static int count = 0;
        pdf = CTestEnvironment::Instance().Root() + QStringLiteral("/report%1.pdf").arg(++count);
        QFont arial(QStringLiteral("Arial"));
        arial.setPointSize(12);
        answer = arial;
        CReports::SetFontDialogFunction([this](QWidget*, const QFont& initial) {
            offered << initial;
            return answer;
        });
        CReports::SetPreviewFunction([this](QWidget*, QPrinter& printer, const std::function<void(QPrinter*)>& paint) {
            ++previews;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setPageRanges(ranges);
            dpiY = printer.logicalDpiY();
            paint(&printer);
        });
        doc.SetCurrentUser(QStringLiteral("Pupil"));
        page = std::make_unique<CReports>(doc, commands);
        page->OnInitialUpdate();
    }
    ~SPrintPage()
    {
        CReports::SetFontDialogFunction({});
        CReports::SetPreviewFunction({});
    }
    // "Print", then the posted preview.
    void Print(EReportKind kind)
    {
        page->ReportButton(kind)->click();
        page->PrintButton()->click();
        QCoreApplication::processEvents();
    }
    QString Text() const
    {
        QProcess process;
        process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            return QString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    // Pages of this report for the chosen font, from the real metrics of the font as printed.
    int ExpectedPages(qsizetype records, int tenths = 120) const
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        QFont font = *answer;
        font.setPixelSize(PrintLayout::FontHeight(tenths, printer.logicalDpiY()));
        const QFontMetrics metrics(font, &printer);
        return PrintLayout::PageCount(records, PrintLayout::LinesPerPage(metrics.height() + metrics.leading()));
    }
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

void addMissed(COrthexDoc& doc, const QString& word, const QString& misspelling)
{
    auto missed = std::make_unique<CMissed>();
    missed->SetWord(word);
    missed->SetMisspelling(misspelling);
    doc.Results().Missed().AddTail(std::move(missed));
}

// Each text once, in this order. Runs of blanks count as one: pdftotext sets its own spacing.
bool onceInOrder(QString text, const QStringList& wanted)
{
    static const QRegularExpression blanks(QStringLiteral(" +"));
    text.replace(blanks, QStringLiteral(" "));
    qsizetype from = 0;
    for (QString part : wanted) {
        part.replace(blanks, QStringLiteral(" "));
        const qsizetype at = text.indexOf(part, from);
        if (at < 0 || text.indexOf(part, at + part.size()) >= 0) {
            qWarning() << "not once in order:" << part;
            return false;
        }
        from = at + part.size();
    }
    return true;
}
}  // namespace

class CReportPrintTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Deleting rows asks first; reports_test answers the real question.
        CReports::SetQuestionFunction([](QWidget*, const QString&) { return true; });
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed, so printed reports cannot be read back");
    }

    void emptyReportSaysNoData_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("questionMark");
        QTest::newRow("grades") << 0 << false;
        QTest::newRow("misspelled words") << 1 << false;
        QTest::newRow("vocabulary") << 2 << false;
        QTest::newRow("error profile") << 3 << false;
        // Misspelled words whose errors have no name give a profile without rows.
        QTest::newRow("error profile of words without a kind") << 3 << true;
    }
    void emptyReportSaysNoData()
    {
        QFETCH(int, kind);
        QFETCH(bool, questionMark);
        CRecordingMessageSink messages;
        SPrintPage p;
        addGrade(p.doc, QStringLiteral("other kind"), 1, 1);
        if (kind == 0)
            p.doc.Results().Grades().Clear();
        if (questionMark)
            addMissed(p.doc, QStringLiteral("cat"), QStringLiteral("cat"));
        p.Print(EReportKind(kind));
        QCOMPARE(messages.Texts(), QStringList{"No data."});
        QCOMPARE(messages.Entries().at(0).icon, MessageIcon::Exclamation);
        QVERIFY(p.offered.isEmpty());
        QCOMPARE(p.previews, 0);
    }

    void fontDialogStartsFromArial12EachTime()
    {
        SPrintPage p;
        addGrade(p.doc, QStringLiteral("Week1"), 9, 10);
        QFont big(QStringLiteral("Arial"));
        big.setPointSize(20);
        p.answer = big;
        p.Print(EReportKind::Grades);
        p.answer.reset();  // cancelled: no preview
        p.page->PrintButton()->click();
        QCoreApplication::processEvents();
        QCOMPARE(p.offered.size(), 2);
        for (const QFont& offered : p.offered) {
            QCOMPARE(offered.family(), QStringLiteral("Arial"));
            QCOMPARE(offered.pointSize(), 12);
        }
        QCOMPARE(p.previews, 1);
        QCOMPARE(p.page->PrintPointTenths(), 200);
    }

    void longReportPrintsEveryRowOnceOnNumberedPages()
    {
        SPrintPage p;
        QStringList names;
        for (int i = 1; i <= 60; ++i) {
            names << QStringLiteral("List %1").arg(i, 3, 10, QLatin1Char('0'));
            addGrade(p.doc, names.last(), 9, 10);
        }
        p.page->OnUpdate();
        p.Print(EReportKind::Grades);
        QCOMPARE(p.previews, 1);
        const int pages = p.ExpectedPages(60);
        QVERIFY(pages >= 2);
        const QString text = p.Text();
        QStringList pageLines;
        for (int page = 1; page <= pages; ++page)
            pageLines << QStringLiteral("Page %1 of %2").arg(page).arg(pages);
        QVERIFY(onceInOrder(text, pageLines));
        QVERIFY(!text.contains(QStringLiteral("Page %1 of").arg(pages + 1)));
        QVERIFY(onceInOrder(text, names));
        QCOMPARE(text.count(QStringLiteral("Grades -- Pupil")), pages);
        QCOMPARE(text.count(QStringLiteral("#Correct")), pages);
        QCOMPARE(text.count(QStringLiteral("#Words")), pages);
        QCOMPARE(text.count(QStringLiteral(" 90%")), 60);
        QVERIFY(!text.contains(QStringLiteral("90 %")));
        // Twelve points make 240 twips, and Arial's (Liberation Sans's) line is then 276 twips.
        QFont arial(QStringLiteral("Arial"));
        const CReportPrinter printer(EReportKind::Grades, QString(), p.page->Sheet().Lists(), arial, 120);
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        if (QFontInfo(arial).family() == QStringLiteral("Liberation Sans")) {
            QCOMPARE(printer.LineHeight(pdf), 276);
            QCOMPARE(printer.LinesPerPage(pdf), 24);
            QCOMPARE(pages, 3);
        }
    }

    void exactlyAPageAndOneMore_data()
    {
        QTest::addColumn<int>("extra");
        QTest::newRow("exactly lines per page") << 0;
        QTest::newRow("one more") << 1;
    }
    void exactlyAPageAndOneMore()
    {
        QFETCH(int, extra);
        SPrintPage p;
        QFont arial(QStringLiteral("Arial"));
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        const int lines = CReportPrinter(EReportKind::Grades, QString(), {}, arial, 120).LinesPerPage(pdf);
        QVERIFY(lines > 0);
        for (int i = 0; i < lines + extra; ++i)
            addGrade(p.doc, QStringLiteral("L%1").arg(i), 1, 2);
        p.Print(EReportKind::Grades);
        const QString text = p.Text();
        if (extra == 0) {
            QVERIFY(text.contains(QStringLiteral("Page 1 of 1")));
        } else {
            QVERIFY(onceInOrder(text, {"Page 1 of 2", "Page 2 of 2", QStringLiteral("L%1").arg(lines)}));
        }
    }

    void misspelledWordsPrintWithLabelsAndUnsavedDeletions()
    {
        SPrintPage p;
        addMissed(p.doc, QStringLiteral("boxes"), QStringLiteral("boxs"));
        addMissed(p.doc, QStringLiteral("receive"), QStringLiteral("recieve"));
        addMissed(p.doc, QStringLiteral("cart"), QStringLiteral("cat"));
        p.page->OnUpdate();
        p.page->ReportButton(EReportKind::Missed)->click();
        p.page->DeleteAllButton()->click();
        p.Print(EReportKind::Missed);
        const QString text = p.Text();
        CSpellingRules rules;
        QVERIFY(onceInOrder(text, {"Misspelled Words -- Pupil", "Page 1 of 1", "Word", "Misspelling",
                                   "Spelling Errors", "recieve",
                                   rules.AnalyzeMisspelling(QStringLiteral("receive"), QStringLiteral("recieve")),
                                   "cart", "missing letter r", "boxs"}));
    }

    void vocabularyPrintsOneColumn()
    {
        SPrintPage p;
        auto word = std::make_unique<CVocabulary>();
        word->SetWord(QStringLiteral("necessary"));
        word->SetListName(QStringLiteral("HiddenList"));
        p.doc.Results().Vocabulary().AddTail(std::move(word));
        p.Print(EReportKind::Vocabulary);
        const QString text = p.Text();
        QVERIFY(onceInOrder(text, {"Vocabulary Words -- Pupil", "Page 1 of 1", "Word", "necessary"}));
        QVERIFY(!text.contains(QStringLiteral("HiddenList")));
        QVERIFY(!text.contains(QStringLiteral("Misspelling")));
    }

    // The profile prints in the layout of the other reports, its kinds most frequent first, and
    // its examples cut to those that fit on the paper.
    void profilePrintsItsKinds()
    {
        SPrintPage p;
        for (const char* pair : {"necessary necesary", "accommodate acommodate", "committee commitee",
                                 "address adress", "Believe beleive"}) {
            const QStringList words = QString::fromLatin1(pair).split(QLatin1Char(' '));
            addMissed(p.doc, words.at(0), words.at(1));
            CRecordList<CMissed>& missed = p.doc.Results().Missed();
            missed.at(missed.size() - 1).SetDateText(QStringLiteral("03/18/26, 09:05 AM"));
        }
        p.page->OnUpdate();
        p.Print(EReportKind::Profile);
        QCOMPARE(p.previews, 1);
        const QString text = p.Text();
        QVERIFY(onceInOrder(text, {"Error Profile -- Pupil", "Page 1 of 1", "Kind", "Count", "Share", "Newest",
                                   "Examples", "doubled letters", "80.0 %", "accommodate (acommodate)", "ie/ei"}));
        QVERIFY(onceInOrder(text, {"ie/ei", "capital letters"}));
        QCOMPARE(text.count(QStringLiteral("20.0 %")), 2);
        QCOMPARE(text.count(QStringLiteral("03/18/26, 09:05 AM")), 3);
        QCOMPARE(text.count(QStringLiteral("Believe (beleive)")), 2);
        // Three doubled-letter examples are too wide for the paper: whole ones only are printed.
        QVERIFY(!text.contains(QStringLiteral("necessary (necesary)")));
        QVERIFY(!text.contains(QChar(0x2026)));
        // The page shows them all.
        QCOMPARE(p.page->Sheet().Rows().at(0).at(4),
                 QStringLiteral("accommodate (acommodate), address (adress), necessary (necesary)"));
    }

    void aPageRangePrintsOnlyThosePages()
    {
        SPrintPage p;
        for (int i = 0; i < 60; ++i)
            addGrade(p.doc, QStringLiteral("Row%1").arg(i), 1, 2);
        p.ranges.addPage(2);
        p.Print(EReportKind::Grades);
        const int pages = p.ExpectedPages(60);
        const QString text = p.Text();
        QVERIFY(text.contains(QStringLiteral("Page 2 of %1").arg(pages)));
        QVERIFY(!text.contains(QStringLiteral("Page 1 of")));
        QVERIFY(!text.contains(QStringLiteral("Row0 ")));
    }

    void tooLargeAFontIsRefused()
    {
        CRecordingMessageSink messages;
        SPrintPage p;
        addGrade(p.doc, QStringLiteral("Week1"), 9, 10);
        QFont huge(QStringLiteral("Arial"));
        huge.setPointSize(400);
        p.answer = huge;
        p.Print(EReportKind::Grades);
        QCOMPARE(p.previews, 0);
        QCOMPARE(messages.Texts().size(), 1);
        QVERIFY(messages.Texts().at(0).contains(QStringLiteral("too large")));
    }
};

ORTHEX_TEST_MAIN(CReportPrintTest)
#include "reportprint_test.moc"
