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

namespace {
// Paints sections (a heading, a line under it, then numbered lines) one after another, each
// starting on a new page, with the list's name and the page number at the foot of every page.
class CSheetPainter
{
public:
    CSheetPainter(QPagedPaintDevice& device, const QString& name)
        : m_device(device)
        , m_name(name)
    {
    }

    bool Begin()
    {
        if (!m_painter.begin(&m_device))
            return false;
        const int margin = m_device.logicalDpiY() * 3 / 4;
        m_area = QRect(margin, margin, m_device.width() - 2 * margin, m_device.height() - 2 * margin);
        m_footerHeight = QFontMetrics(sheetFont(9), &m_device).height() * 2;
        return true;
    }

    bool Section(const QString& heading, const QString& subline, const QStringList& lines)
    {
        if (m_started) {
            Footer();
            if (!m_device.newPage())
                return false;
            ++m_page;
        }
        m_started = true;
        int y = m_area.top();
        const QFont headingFont = sheetFont(16, true);
        m_painter.setFont(headingFont);
        const QRect headingRect = m_painter.boundingRect(QRect(m_area.left(), y, m_area.width(), m_area.height()),
                                                         Qt::TextWordWrap, heading);
        m_painter.drawText(headingRect, Qt::TextWordWrap, heading);
        y = headingRect.bottom() + QFontMetrics(headingFont, &m_device).height() / 3;

        const QFont textFont = sheetFont(12);
        m_painter.setFont(textFont);
        const QFontMetrics text(textFont, &m_device);
        m_painter.drawText(QRect(m_area.left(), y, m_area.width(), text.height()), Qt::AlignLeft, subline);
        y += text.height() * 2;
        m_painter.drawLine(m_area.left(), y - text.height(), m_area.right(), y - text.height());

        const int bottom = m_area.bottom() - m_footerHeight;
        const int lineHeight = text.height() * 3 / 2;
        for (const QString& line : lines) {
            if (y + lineHeight > bottom) {
                Footer();
                if (!m_device.newPage())
                    return false;
                ++m_page;
                m_painter.setFont(textFont);
                y = m_area.top();
            }
            m_painter.drawText(QRect(m_area.left(), y, m_area.width(), lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                               line);
            y += lineHeight;
        }
        return true;
    }

    bool End()
    {
        Footer();
        return m_painter.end();
    }

private:
    void Footer()
    {
        m_painter.setFont(sheetFont(9));
        m_painter.drawText(QRect(m_area.left(), m_area.bottom() - m_footerHeight / 2, m_area.width(), m_footerHeight / 2),
                           Qt::AlignRight | Qt::AlignVCenter, m_name + QStringLiteral(" - page ") + QString::number(m_page));
    }

    QPagedPaintDevice& m_device;
    QString m_name;
    QPainter m_painter;
    QRect m_area;
    int m_footerHeight = 0;
    int m_page = 1;
    bool m_started = false;
};

QStringList numberedWords(const CListSheetContent& content)
{
    QStringList lines;
    for (int i = 0; i < content.words.size(); ++i)
        lines << CListSheet::WordText(i, content.words.at(i));
    return lines;
}
}  // namespace

QString CListSheet::BlankLineText(int index)
{
    return QString::number(index + 1) + QStringLiteral(". ") + QString(30, QLatin1Char('_'));
}

bool CListSheet::Print(QPagedPaintDevice& device, const CListSheetContent& content, EKind kind)
{
    CSheetPainter sheet(device, content.name);
    if (!sheet.Begin())
        return false;
    if (kind == EKind::List)
        return sheet.Section(HeadingText(content), CreatorText(content), numberedWords(content)) && sheet.End();
    // A paper test: one blank line for each word, and the answers on a page of their own.
    QStringList blanks;
    for (int i = 0; i < content.words.size(); ++i)
        blanks << BlankLineText(i);
    return sheet.Section(QStringLiteral("Spelling test: ") + content.name,
                         QStringLiteral("Name: ______________________   Date: ____________"), blanks)
        && sheet.Section(QStringLiteral("Answer sheet: ") + content.name, CreatorText(content), numberedWords(content))
        && sheet.End();
}
