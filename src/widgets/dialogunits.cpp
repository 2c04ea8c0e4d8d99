#include "widgets/dialogunits.h"

#include <QFontMetrics>

CDialogUnits::CDialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = qMax(1, (letters / 26 + 1) / 2);
    m_baseY = qMax(1, metrics.height());
}

QFont CDialogUnits::FormFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

int CDialogUnits::X(int units) const
{
    return (units * m_baseX + 2) / 4;
}

int CDialogUnits::Y(int units) const
{
    return (units * m_baseY + 4) / 8;
}

QSize CDialogUnits::Size(int width, int height) const
{
    return QSize(X(width), Y(height));
}

QSize CDialogUnits::SizeRoundedDown(int width, int height) const
{
    return QSize(width * m_baseX / 4, height * m_baseY / 8);
}
