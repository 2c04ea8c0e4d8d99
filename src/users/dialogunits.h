#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QSize>

// Sizes given in dialog units, as the program's dialog layouts are measured: a horizontal unit
// is a quarter of the font's average letter width, a vertical unit an eighth of its height.
namespace DialogUnits {
inline QSize ToPixels(const QFont& font, const QSize& units)
{
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int baseX = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    const int baseY = metrics.height();
    return QSize(units.width() * baseX / 4, units.height() * baseY / 8);
}
}  // namespace DialogUnits
