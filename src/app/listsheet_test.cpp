#include "app/listsheet.h"
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
};

ORTHEX_TEST_MAIN(ListSheetTest)
#include "listsheet_test.moc"
