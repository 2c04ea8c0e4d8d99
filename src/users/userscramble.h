#pragma once

#include <QString>

// The scrambling of names and passwords inside the user information file. Each UTF-16 code
// unit is scrambled on its own, so a text keeps its length. The low byte is shifted by 0x2B;
// when the shifted byte is 0x80 or more the high byte is inverted. For every unit up to 0xFF
// this gives exactly the bytes Orthex has always stored, and unlike the old reading it brings
// every unit back unchanged, é and Ł and CJK characters included. A stored unit may be 0.
namespace UserScramble {
char16_t ScrambleUnit(char16_t unit);
char16_t UnscrambleUnit(char16_t stored);
QString Scramble(const QString& text);
QString Unscramble(const QString& stored);
}  // namespace UserScramble
