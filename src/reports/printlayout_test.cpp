#include "reports/printlayout.h"
#include "testing/testenvironment.h"

#include <QtTest>

#include <memory>

// The arithmetic of the printed pages.
class CPrintLayoutTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void linesPerPage_data()
    {
        QTest::addColumn<int>("lineHeight");
        QTest::addColumn<int>("lines");
        QTest::newRow("Arial 12, 276 twips") << 276 << 24;
        QTest::newRow("Arial 10, 230 twips") << 230 << 29;
        QTest::newRow("one row") << 2400 << 1;
        QTest::newRow("six lines, no row") << 2401 << 0;
        QTest::newRow("five lines") << 2881 << 0;
        QTest::newRow("taller than the page") << 20000 << -2;
        QTest::newRow("no height") << 0 << 0;
    }
    void linesPerPage()
    {
        QFETCH(int, lineHeight);
        QFETCH(int, lines);
        QCOMPARE(PrintLayout::LinesPerPage(lineHeight) <= 0, lines <= 0);
        if (lines > 0)
            QCOMPARE(PrintLayout::LinesPerPage(lineHeight), lines);
    }

    void pageCount_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("linesPerPage");
        QTest::addColumn<int>("pages");
        QTest::newRow("none") << 0 << 24 << 1;
        QTest::newRow("one") << 1 << 24 << 1;
        QTest::newRow("exactly a page") << 24 << 24 << 1;
        QTest::newRow("one more") << 25 << 24 << 2;
        QTest::newRow("exactly two pages") << 48 << 24 << 2;
        QTest::newRow("two and one") << 49 << 24 << 3;
        QTest::newRow("one row a page") << 5 << 1 << 5;
        QTest::newRow("font too large") << 5 << 0 << 0;
        QTest::newRow("negative lines") << 5 << -2 << 0;
    }
    void pageCount()
    {
        QFETCH(int, records);
        QFETCH(int, linesPerPage);
        QTEST(PrintLayout::PageCount(records, linesPerPage), "pages");
    }

    void fontHeight_data()
    {
        QTest::addColumn<int>("tenths");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("twips");
        QTest::newRow("12 pt at 1200 dpi") << 120 << 1200 << 240;
        QTest::newRow("12 pt at 600 dpi") << 120 << 600 << 240;
        QTest::newRow("12 pt at 96 dpi") << 120 << 96 << 240;
        QTest::newRow("12.5 pt drops the half") << 125 << 1200 << 240;
        QTest::newRow("11 pt at 300 dpi drops a pixel") << 110 << 300 << 216;
        QTest::newRow("11 pt at 1200 dpi") << 110 << 1200 << 220;
        QTest::newRow("no device") << 120 << 0 << 0;
    }
    void fontHeight()
    {
        QFETCH(int, tenths);
        QFETCH(int, dpi);
        QTEST(PrintLayout::FontHeight(tenths, dpi), "twips");
    }

    void pageRowsStartAtThePagesFirstRecord_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("first page") << 5 << 1 << QStringList{"w0", "w1"};
        QTest::newRow("second page") << 5 << 2 << QStringList{"w2", "w3"};
        QTest::newRow("last page holds one") << 5 << 3 << QStringList{"w4"};
        QTest::newRow("beyond the last page") << 5 << 4 << QStringList{};
    }
    void pageRowsStartAtThePagesFirstRecord()
    {
        QFETCH(int, records);
        QFETCH(int, page);
        QFETCH(QStringList, words);
        CRecordList<CGrade> grades;
        CRecordList<CMissed> missed;
        CRecordList<CVocabulary> vocabulary;
        for (int i = 0; i < records; ++i) {
            auto word = std::make_unique<CVocabulary>();
            word->SetWord(QStringLiteral("w%1").arg(i));
            vocabulary.AddTail(std::move(word));
        }
        const QList<QStringList> rows =
            PrintLayout::PageRows(EReportKind::Vocabulary, {&grades, &missed, &vocabulary}, page, 2);
        QStringList got;
        for (const QStringList& row : rows)
            got << row.value(0);
        QCOMPARE(got, words);
    }

    // Each letter one unit wide.
    void fitItems_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("room");
        QTest::addColumn<QString>("fitted");
        QTest::newRow("fits") << "aa (a), bb (b)" << 14 << "aa (a), bb (b)";
        QTest::newRow("whole items that fit") << "aa (a), bb (b), cc (c)" << 20 << "aa (a), bb (b)";
        QTest::newRow("one item") << "aa (a), bb (b), cc (c)" << 13 << "aa (a)";
        QTest::newRow("not even one: cut with an ellipsis") << "abcdefgh (x), y (z)" << 5 << "abcd\u2026";
        QTest::newRow("no room") << "abc" << 0 << "\u2026";
        QTest::newRow("empty") << "" << 0 << "";
    }
    void fitItems()
    {
        QFETCH(QString, text);
        QFETCH(int, room);
        QTEST(PrintLayout::FitItems(text, room, [](const QString& s) { return int(s.size()); }), "fitted");
    }
};

ORTHEX_TEST_MAIN(CPrintLayoutTest)
#include "printlayout_test.moc"
