#include "testtaking/testorder.h"
#include "testtaking/testrandom.h"
#include "testing/testenvironment.h"

#include <QSet>

#include <algorithm>

class TestOrderTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void draws_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<QList<int>>("draws");
        // The old runtime's first values for seed 1 (its default) and for two other seeds.
        QTest::newRow("seed 1") << quint32(1) << QList<int>{41, 18467, 6334, 26500, 19169};
        QTest::newRow("seed 0") << quint32(0) << QList<int>{38, 7719, 21238, 2437, 8855};
        QTest::newRow("seed 2^32-1") << quint32(0xFFFFFFFFu) << QList<int>{35, 29739, 3374, 11141, 31308};
    }

    void draws()
    {
        QFETCH(quint32, seed);
        QFETCH(QList<int>, draws);
        CTestRandom random(seed);
        QList<int> got;
        for (qsizetype i = 0; i < draws.size(); ++i)
            got << random.Next();
        QCOMPARE(got, draws);
    }

    void shuffledOrders_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<QList<qint32>>("order");
        // Seed 1 draws 41, 18467, 6334, 26500, 19169: slots 41%5=1, 18467%5=2, 6334%5=4,
        // 26500%5=0, 19169%5=4 (taken) -> 0 (taken) -> 1 (taken) -> 2 (taken) -> 3.
        QTest::newRow("5 words, seed 1") << 5 << quint32(1) << QList<qint32>{4, 1, 2, 5, 3};
        // 41%3=2, 18467%3=2 (taken) -> 0, 6334%3=1.
        QTest::newRow("3 words, seed 1") << 3 << quint32(1) << QList<qint32>{2, 3, 1};
        QTest::newRow("1 word") << 1 << quint32(987654) << QList<qint32>{1};
        // 41%2=1, 18467%2=1 (taken) -> wraps round to slot 0.
        QTest::newRow("2 words wrap round") << 2 << quint32(1) << QList<qint32>{2, 1};
    }

    void shuffledOrders()
    {
        QFETCH(int, count);
        QFETCH(quint32, seed);
        QFETCH(QList<qint32>, order);
        QCOMPARE(TestOrder::Shuffled(count, seed), order);
        QCOMPARE(TestOrder::Build(count, true, seed), order);
    }

    void everyWordOnce_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("randomize");
        // 32769 words: more slots than the draws can name, so the last ones fill only by moving on.
        for (int count : {1, 2, 7, 100, 1000, 32769}) {
            QTest::addRow("%d words in order", count) << count << false;
            QTest::addRow("%d words shuffled", count) << count << true;
        }
    }

    void everyWordOnce()
    {
        QFETCH(int, count);
        QFETCH(bool, randomize);
        const QList<quint32> seeds = count > 1000 ? QList<quint32>{1765000000u} : QList<quint32>{0u, 1u, 1765000000u};
        for (quint32 seed : seeds) {
            QList<qint32> order = TestOrder::Build(count, randomize, seed);
            QCOMPARE(order.size(), qsizetype(count));
            std::sort(order.begin(), order.end());
            QCOMPARE(order, TestOrder::InListOrder(count));
        }
    }

    void inListOrder()
    {
        QCOMPARE(TestOrder::Build(4, false, 1), (QList<qint32>{1, 2, 3, 4}));
        QVERIFY(TestOrder::Build(0, true, 1).isEmpty());
        QVERIFY(TestOrder::Build(-1, false, 1).isEmpty());
    }
};

ORTHEX_TEST_MAIN(TestOrderTest)
#include "testorder_test.moc"
