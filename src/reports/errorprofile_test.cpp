#include "reports/errorprofile.h"
#include "testing/testenvironment.h"

#include <QtTest>

#include <memory>

namespace {

struct SMissedData {
    const char* word;
    const char* misspelling;
    const char* date;
};

CRecordList<CMissed> history(std::initializer_list<SMissedData> rows)
{
    CRecordList<CMissed> list;
    for (const SMissedData& row : rows) {
        auto missed = std::make_unique<CMissed>();
        missed->SetListName(QStringLiteral("Week"));
        missed->SetWord(QString::fromUtf8(row.word));
        missed->SetMisspelling(QString::fromUtf8(row.misspelling));
        missed->SetDateText(QString::fromUtf8(row.date));
        list.AddTail(std::move(missed));
    }
    return list;
}

// Ten misspelled words of a made-up pupil: five of "ie/ei" (one written twice, one with a date
// that cannot be read, one from the year before), a pair showing two kinds, a "?", and two
// plurals as frequent as the doubled letters.
CRecordList<CMissed> madeUpHistory()
{
    return history({
        {"receive", "recieve", "03/18/26, 09:05 AM"},  // 0
        {"believe", "beleive", "03/11/26, 09:10 AM"},  // 1
        {"field", "feld", "Time Error"},               // 2
        {"ceiling", "celing", "12/31/25, 11:59 PM"},   // 3
        {"receive", "recieve", "03/19/26, 08:00 AM"},  // 4
        {"Ball", "bal", "03/18/26, 09:05 AM"},         // 5: capital letters and doubled letters
        {"comma", "coma", "Invalid DateTime"},         // 6
        {"cat", "cat", "03/20/26, 10:00 AM"},          // 7: "?", the newest of all
        {"boxes", "boxs", "03/04/26, 09:00 AM"},       // 8
        {"hats", "hat", "03/05/26, 01:00 PM"},         // 9
    });
}

}  // namespace

class CErrorProfileTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rowsOfAMadeUpHistory_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<qsizetype>>("records");
        // Most frequent first; plurals and doubled letters, two each, in the kinds' order.
        QTest::newRow("ie/ei") << 0
                               << QStringList{"ie/ei", "5", "50.0 %", "03/19/26, 08:00 AM",
                                              "receive (recieve), believe (beleive), ceiling (celing)"}
                               << QList<qsizetype>{0, 1, 2, 3, 4};
        QTest::newRow("plurals") << 1
                                 << QStringList{"plurals", "2", "20.0 %", "03/05/26, 01:00 PM",
                                                "hats (hat), boxes (boxs)"}
                                 << QList<qsizetype>{8, 9};
        QTest::newRow("doubled letters")
            << 2 << QStringList{"doubled letters", "2", "20.0 %", "03/18/26, 09:05 AM", "Ball (bal), comma (coma)"}
            << QList<qsizetype>{5, 6};
        QTest::newRow("capital letters")
            << 3 << QStringList{"capital letters", "1", "10.0 %", "03/18/26, 09:05 AM", "Ball (bal)"}
            << QList<qsizetype>{5};
    }
    void rowsOfAMadeUpHistory()
    {
        QFETCH(int, row);
        QFETCH(QStringList, texts);
        QFETCH(QList<qsizetype>, records);
        const CRecordList<CMissed> missed = madeUpHistory();
        const CErrorProfile profile(missed);
        // The "?" counts in the total and in no kind.
        QCOMPARE(profile.Total(), 10);
        QCOMPARE(profile.Rows().size(), 4);
        const SErrorProfileRow& got = profile.Rows().at(row);
        QCOMPARE(profile.RowTexts(got), texts);
        QCOMPARE(got.records, records);
        QCOMPARE(got.Count(), records.size());
    }

    // The newest date and the examples when dates cannot be read or are as new as each other.
    void newestAndExamples_data()
    {
        QTest::addColumn<QString>("dates");  // one a record, "|" between
        QTest::addColumn<QString>("newest");
        QTest::addColumn<QString>("examples");
        // Every record is "ie/ei": believe/beleive, field/feld, piece/peice, chief/cheif.
        QTest::newRow("none can be read: the first") << "Time Error|Invalid DateTime|x|y"
                                                     << "Time Error"
                                                     << "believe (beleive), field (feld), piece (peice)";
        QTest::newRow("one can be read: it is newest") << "Time Error|x|01/02/26, 09:00 AM|y"
                                                       << "01/02/26, 09:00 AM"
                                                       << "piece (peice), believe (beleive), field (feld)";
        QTest::newRow("as new: list order") << "01/02/26, 09:00 AM|01/02/26, 09:00 AM|01/01/26, 09:00 AM|01/02/26, 09:00 AM"
                                            << "01/02/26, 09:00 AM"
                                            << "believe (beleive), field (feld), chief (cheif)";
        QTest::newRow("PM after AM") << "01/02/26, 11:59 AM|01/02/26, 12:01 PM|01/02/26, 12:00 AM|01/01/26, 11:00 PM"
                                     << "01/02/26, 12:01 PM"
                                     << "field (feld), believe (beleive), piece (peice)";
        QTest::newRow("two-digit years are 20yy") << "12/31/99, 09:00 AM|01/01/00, 09:00 AM|06/15/50, 09:00 AM|x"
                                                  << "12/31/99, 09:00 AM"
                                                  << "believe (beleive), piece (peice), field (feld)";
    }
    void newestAndExamples()
    {
        QFETCH(QString, dates);
        const QStringList texts = dates.split(QLatin1Char('|'));
        QCOMPARE(texts.size(), 4);
        const QByteArray d[] = {texts[0].toUtf8(), texts[1].toUtf8(), texts[2].toUtf8(), texts[3].toUtf8()};
        const CRecordList<CMissed> missed = history({{"believe", "beleive", d[0].constData()},
                                                     {"field", "feld", d[1].constData()},
                                                     {"piece", "peice", d[2].constData()},
                                                     {"chief", "cheif", d[3].constData()}});
        const CErrorProfile profile(missed);
        QCOMPARE(profile.Rows().size(), 1);
        QTEST(profile.Rows().at(0).newest, "newest");
        QTEST(profile.Rows().at(0).examples.join(QStringLiteral(", ")), "examples");
    }

    void onlyQuestionMarksGiveNoRows()
    {
        const CRecordList<CMissed> missed = history({{"cat", "cat", "x"}, {"", "dog", "y"}});
        const CErrorProfile profile(missed);
        QCOMPARE(profile.Total(), 2);
        QVERIFY(profile.IsEmpty());
        QVERIFY(CErrorProfile(CRecordList<CMissed>()).IsEmpty());
    }

    void shareText_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("text");
        QTest::newRow("a third") << 1 << 3 << "33.3 %";
        QTest::newRow("two thirds round up") << 2 << 3 << "66.7 %";
        QTest::newRow("all") << 7 << 7 << "100.0 %";
        QTest::newRow("more than all (two kinds)") << 3 << 2 << "150.0 %";
        QTest::newRow("no total") << 0 << 0 << "0.0 %";
    }
    void shareText()
    {
        QFETCH(int, count);
        QFETCH(int, total);
        QTEST(CErrorProfile::ShareText(count, total), "text");
    }
};

ORTHEX_TEST_MAIN(CErrorProfileTest)
#include "errorprofile_test.moc"
