#include "users/userscramble.h"

namespace {
constexpr unsigned kShift = 0x2B;

// The inversion mask of the high byte, chosen by the stored low byte.
unsigned highMask(unsigned storedLow)
{
    return storedLow >= 0x80 ? 0xFFu : 0u;
}
}  // namespace

char16_t UserScramble::ScrambleUnit(char16_t unit)
{
    const unsigned low = (unit + kShift) & 0xFFu;
    const unsigned high = (static_cast<unsigned>(unit) >> 8) ^ highMask(low);
    return static_cast<char16_t>((high << 8) | low);
}

char16_t UserScramble::UnscrambleUnit(char16_t stored)
{
    const unsigned storedLow = stored & 0xFFu;
    const unsigned high = (static_cast<unsigned>(stored) >> 8) ^ highMask(storedLow);
    const unsigned low = (storedLow - kShift) & 0xFFu;
    return static_cast<char16_t>((high << 8) | low);
}

QString UserScramble::Scramble(const QString& text)
{
    QString result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        result[i] = QChar(ScrambleUnit(text.at(i).unicode()));
    return result;
}

QString UserScramble::Unscramble(const QString& stored)
{
    QString result(stored.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < stored.size(); ++i)
        result[i] = QChar(UnscrambleUnit(stored.at(i).unicode()));
    return result;
}
