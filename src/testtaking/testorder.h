#pragma once

#include <QList>
#include <QtGlobal>

// The order in which a test asks the words of a list of `count` words: 1-based row positions.
namespace TestOrder {
// In list order: 1, 2, ..., count.
QList<qint32> InListOrder(int count);
// Shuffled: each number i from 1 to count goes into slot (draw mod count), or, when that slot
// is taken, into the next free slot after it (wrapping round to slot 0), with the generator
// seeded by `seed`.
QList<qint32> Shuffled(int count, quint32 seed);
// One of the two by the randomize flag.
QList<qint32> Build(int count, bool randomize, quint32 seed);
}  // namespace TestOrder
