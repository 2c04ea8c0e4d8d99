#include "testtaking/testorder.h"

#include "testtaking/testrandom.h"

QList<qint32> TestOrder::InListOrder(int count)
{
    QList<qint32> order;
    if (count <= 0)
        return order;
    order.reserve(count);
    for (qint32 i = 1; i <= count; ++i)
        order << i;
    return order;
}

QList<qint32> TestOrder::Shuffled(int count, quint32 seed)
{
    QList<qint32> order;
    if (count <= 0)
        return order;
    order.fill(0, count);
    CTestRandom random(seed);
    for (qint32 i = 1; i <= count; ++i) {
        qsizetype slot = random.Next() % count;
        // Every number placed so far holds one slot, so a free one is always found.
        while (order[slot] != 0)
            slot = (slot + 1) % count;
        order[slot] = i;
    }
    return order;
}

QList<qint32> TestOrder::Build(int count, bool randomize, quint32 seed)
{
    return randomize ? Shuffled(count, seed) : InListOrder(count);
}
