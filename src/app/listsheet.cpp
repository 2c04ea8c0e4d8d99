#include "app/listsheet.h"

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {
QFont sheetFont(int points, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}
}  // namespace

QString CListSheet::HeadingText(const CListSheetContent& content)
{
    return QStringLiteral("Spelling list: ") + content.name;
}

QString CListSheet::CreatorText(const CListSheetContent& content)
{
    return QStringLiteral("Created by ")
           + (content.creator.isEmpty() ? QStringLiteral("an unknown user") : content.creator)
           + QStringLiteral(".");
}

QString CListSheet::WordText(int index, const QString& word)
{
    return QString::number(index + 1) + QStringLiteral(". ") + word;
}

bool CListSheet::Print(QPagedPaintDevice& device, const CListSheetContent& content)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;

    const int dpi = device.logicalDpiY();
    const int margin = dpi * 3 / 4;
    const QRect area(margin, margin, device.width() - 2 * margin, device.height() - 2 * margin);
    const QFont headingFont = sheetFont(16, true);
    const QFont textFont = sheetFont(12);
    const QFont footerFont = sheetFont(9);
    const int footerHeight = QFontMetrics(footerFont, &device).height() * 2;
    const int bottom = area.bottom() - footerHeight;

    int page = 1;
    auto footer = [&] {
        painter.setFont(footerFont);
        painter.drawText(QRect(area.left(), area.bottom() - footerHeight / 2, area.width(), footerHeight / 2),
                         Qt::AlignRight | Qt::AlignVCenter,
                         content.name + QStringLiteral(" - page ") + QString::number(page));
    };

    int y = area.top();
    painter.setFont(headingFont);
    const QFontMetrics heading(headingFont, &device);
    const QRect headingRect = painter.boundingRect(QRect(area.left(), y, area.width(), area.height()),
                                                   Qt::TextWordWrap, HeadingText(content));
    painter.drawText(headingRect, Qt::TextWordWrap, HeadingText(content));
    y = headingRect.bottom() + heading.height() / 3;

    painter.setFont(textFont);
    const QFontMetrics text(textFont, &device);
    painter.drawText(QRect(area.left(), y, area.width(), text.height()), Qt::AlignLeft, CreatorText(content));
    y += text.height() * 2;
    painter.drawLine(area.left(), y - text.height(), area.right(), y - text.height());

    const int lineHeight = text.height() * 3 / 2;
    for (int i = 0; i < content.words.size(); ++i) {
        if (y + lineHeight > bottom) {
            footer();
            if (!device.newPage())
                return false;
            ++page;
            painter.setFont(textFont);
            y = area.top();
        }
        painter.drawText(QRect(area.left(), y, area.width(), lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         WordText(i, content.words.at(i)));
        y += lineHeight;
    }
    footer();
    return painter.end();
}
