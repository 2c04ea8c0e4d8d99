#include "app/listprinting.h"
#include "app/listsheet.h"
#include "document/orthexdoc.h"
#include "testing/testlists.h"
#include "testing/testenvironment.h"

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {
// The text of a PDF, page by page, through pdftotext.
QStringList pdfPages(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}
}  // namespace

class ListSheetTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed; the printed sheet cannot be read back");
    }

    void printsNameCreatorAndNumberedWords_data()
    {
        QTest::addColumn<QString>("creator");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("creatorLine");

        QTest::newRow("short list") << QStringLiteral("Mrs Brown") << 5 << 1 << QStringLiteral("Created by Mrs Brown.");
        QTest::newRow("unknown creator") << QString() << 1 << 1 << QStringLiteral("Created by an unknown user.");
        QTest::newRow("long list runs on") << QStringLiteral("anna") << 80 << 3 << QStringLiteral("Created by anna.");
    }

    void printsNameCreatorAndNumberedWords()
    {
        QFETCH(QString, creator);
        QFETCH(int, count);
        QFETCH(int, pages);
        CListSheetContent content;
        content.name = QStringLiteral("week1");
        content.creator = creator;
        for (int i = 0; i < count; ++i)
            content.words << QStringLiteral("word%1").arg(i + 1);
        content.words[0] = QStringLiteral("receive");

        const QString pdf = CTestEnvironment::Instance().Root() + QStringLiteral("/sheet.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QVERIFY(CListSheet::Print(printer, content));

        const QStringList text = pdfPages(pdf);
        QCOMPARE(text.size(), pages);
        QVERIFY(text.at(0).contains(QStringLiteral("Spelling list: week1")));
        QFETCH(QString, creatorLine);
        QVERIFY(text.at(0).contains(creatorLine));
        QVERIFY(text.at(0).contains(QStringLiteral("1. receive")));

        // Every word once, numbered in order, across the pages.
        const QString all = text.join(QLatin1Char('\n'));
        int from = 0;
        for (int i = 0; i < count; ++i) {
            const QString line = CListSheet::WordText(i, content.words.at(i));
            const qsizetype at = all.indexOf(QRegularExpression(QStringLiteral("(^|\\s)")
                                                                + QRegularExpression::escape(line)
                                                                + QStringLiteral("(\\s|$)")),
                                             from);
            QVERIFY2(at >= 0, qPrintable(line));
            from = int(at) + 1;
        }
        QVERIFY(text.last().contains(QStringLiteral("week1 - page %1").arg(pages)));
    }

    // The worksheet: numbered blank lines and no word on the test's pages; the answer sheet
    // begins a page of its own with every word numbered.
    void worksheetHidesTheWordsUntilTheAnswerSheet_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("testPages");
        QTest::addColumn<int>("pages");
        QTest::newRow("ten words") << 10 << 1 << 2;
        QTest::newRow("eighty words") << 80 << 3 << 6;
    }

    void worksheetHidesTheWordsUntilTheAnswerSheet()
    {
        QFETCH(int, count);
        QFETCH(int, testPages);
        QFETCH(int, pages);
        CListSheetContent content{QStringLiteral("week2"), QStringLiteral("Mrs Brown"), {}};
        for (int i = 0; i < count; ++i)
            content.words << QStringLiteral("spell%1").arg(i + 1);
        const QString pdf = CTestEnvironment::Instance().Root() + QStringLiteral("/worksheet.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QVERIFY(CListSheet::Print(printer, content, CListSheet::EKind::Worksheet));

        const QStringList text = pdfPages(pdf);
        QCOMPARE(text.size(), pages);
        QVERIFY(text.at(0).contains(QStringLiteral("Spelling test: week2")));
        QVERIFY(text.at(0).contains(QStringLiteral("Name:")));
        const QString test = text.mid(0, testPages).join(QLatin1Char('\n'));
        QVERIFY(!test.contains(QStringLiteral("spell")));
        QVERIFY(test.contains(QStringLiteral("%1. _").arg(count)));
        QVERIFY(text.at(testPages).trimmed().startsWith(QStringLiteral("Answer sheet: week2")));
        const QString answers = text.mid(testPages).join(QLatin1Char('\n'));
        for (int i = 0; i < count; ++i)
            QVERIFY2(answers.contains(QRegularExpression(QStringLiteral("(^|\\s)%1(\\s|$)")
                                                             .arg(QRegularExpression::escape(CListSheet::WordText(i, content.words.at(i)))))),
                     qPrintable(content.words.at(i)));
        QVERIFY(text.last().contains(QStringLiteral("week2 - page %1").arg(pages)));
    }

    // File > Print List...: the chosen sheet of the open list, from its file, to the preview's
    // printer; nothing when the choice is cancelled.
    void printListFromTheMenu_data()
    {
        QTest::addColumn<int>("kind");  // -1: cancelled, else CListSheet::EKind
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<int>("pages");
        QTest::newRow("list sheet") << int(CListSheet::EKind::List) << "Spelling list: Week 3" << 1;
        QTest::newRow("worksheet") << int(CListSheet::EKind::Worksheet) << "Spelling test: Week 3" << 2;
        QTest::newRow("cancelled") << -1 << "" << 0;
    }

    void printListFromTheMenu()
    {
        QFETCH(int, kind);
        QFETCH(QString, firstLine);
        QFETCH(int, pages);
        const QString list = TestLists::MakeInRoot(QStringLiteral("Week 3.orthex"), TestLists::Numbered({"their", "there"}));
        COrthexDoc doc;
        QVERIFY(doc.OpenDocumentFile(list));
        const QString pdf = CTestEnvironment::Instance().Root() + QStringLiteral("/menu.pdf");
        QFile::remove(pdf);
        const bool printed = CListPrinting::Run(
            nullptr, doc,
            [kind](QWidget*) {
                return kind < 0 ? std::nullopt : std::optional<CListSheet::EKind>(CListSheet::EKind(kind));
            },
            [&pdf](QWidget*, const std::function<void(QPrinter&)>& paint) {
                QPrinter printer(QPrinter::HighResolution);
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(pdf);
                paint(printer);
            });
        QCOMPARE(printed, kind >= 0);
        if (kind < 0) {
            QVERIFY(!QFile::exists(pdf));
            return;
        }
        const QStringList text = pdfPages(pdf);
        QCOMPARE(text.size(), pages);
        QVERIFY2(text.first().trimmed().startsWith(firstLine), qPrintable(text.first()));
        QVERIFY(text.last().contains(QStringLiteral("2. there")));
    }
};

ORTHEX_TEST_MAIN(ListSheetTest)
#include "listsheet_test.moc"
