#pragma once

#include <QtGlobal>

// The pseudo-random numbers the word order has always been shuffled with: the old C runtime's
// rand/srand formula (glibc's rand differs). The state starts as the seed; each draw sets
// state = state * 214013 + 2531011 (mod 2^32) and yields bits 16 to 30 of the new state.
class CTestRandom
{
public:
    static constexpr int kMax = 32767;

    explicit CTestRandom(quint32 seed = 1) : m_state(seed) {}

    void Seed(quint32 seed) { m_state = seed; }
    // The next value, 0 to 32767.
    int Next()
    {
        m_state = m_state * 214013u + 2531011u;
        return int((m_state >> 16) & 0x7FFFu);
    }

private:
    quint32 m_state;
};
