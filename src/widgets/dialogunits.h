#pragma once

#include <QFont>
#include <QSize>

// Converts the dialog units of Orthex's forms into pixels of a font, as the forms were laid out:
// a horizontal unit is a quarter of the font's average letter width, a vertical unit an eighth
// of its height.
class CDialogUnits
{
public:
    explicit CDialogUnits(const QFont& font);

    // The pages' font: Arial 12 pt (Liberation Sans, its metric twin, where Arial is missing).
    static QFont FormFont();

    int X(int units) const;
    int Y(int units) const;
    QSize Size(int width, int height) const;
    // The same size with each side rounded down, as the log-in, password and wait dialogs
    // have always been sized.
    QSize SizeRoundedDown(int width, int height) const;

    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }

private:
    int m_baseX;
    int m_baseY;
};
