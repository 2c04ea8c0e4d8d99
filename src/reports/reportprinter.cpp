#include "reports/reportprinter.h"

#include "reports/printlayout.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

CReportPrinter::CReportPrinter(EReportKind kind, const QString& userName, const SReportLists& lists,
                               const QFont& font, int pointTenths)
    : m_kind(kind)
    , m_strUserName(userName)
    , m_lists(lists)
    , m_font(font)
    , m_nPointTenths(pointTenths)
{
    if (m_kind == EReportKind::Profile && m_lists.IsSet())
        m_profile = CErrorProfile(*m_lists.missed);
}

qsizetype CReportPrinter::RecordCount() const
{
    return m_kind == EReportKind::Profile ? m_profile.Rows().size() : m_lists.Count(m_kind);
}

QFont CReportPrinter::DeviceFont(const QPaintDevice& device) const
{
    QFont font(m_font);
    // The painter works in twips, so a size in twips is the font's size in the painter's units.
    const int height = PrintLayout::FontHeight(m_nPointTenths, device.logicalDpiY());
    font.setPixelSize(qMax(height, 1));
    return font;
}

int CReportPrinter::LineHeight(const QPaintDevice& device) const
{
    if (PrintLayout::FontHeight(m_nPointTenths, device.logicalDpiY()) <= 0)
        return 0;
    // QFontMetrics wants a non-const device; it only reads it.
    const QFontMetrics metrics(DeviceFont(device), const_cast<QPaintDevice*>(&device));
    return metrics.height() + metrics.leading();
}

int CReportPrinter::LinesPerPage(const QPaintDevice& device) const
{
    return PrintLayout::LinesPerPage(LineHeight(device));
}

int CReportPrinter::PageCount(const QPaintDevice& device) const
{
    return PrintLayout::PageCount(RecordCount(), LinesPerPage(device));
}

bool CReportPrinter::Print(QPagedPaintDevice& device) const
{
    const int lineHeight = LineHeight(device);
    const int linesPerPage = PrintLayout::LinesPerPage(lineHeight);
    const int lastPage = PrintLayout::PageCount(RecordCount(), linesPerPage);
    if (lastPage <= 0)
        return false;

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QFont font = DeviceFont(device);
    const QPageRanges ranges = device.pageRanges();
    bool first = true;
    for (int page = 1; page <= lastPage; ++page) {
        if (!ranges.isEmpty() && !ranges.contains(page))
            continue;
        if (!first && !device.newPage())
            return false;
        first = false;
        PrintPage(painter, font, page, lastPage, linesPerPage, lineHeight);
    }
    return painter.end();
}

void CReportPrinter::PrintPage(QPainter& painter, const QFont& font, int page, int lastPage, int linesPerPage,
                               int lineHeight) const
{
    QPaintDevice& device = *painter.device();
    const double toDeviceX = double(device.logicalDpiX()) / PrintLayout::kTwipsPerInch;
    const double toDeviceY = double(device.logicalDpiY()) / PrintLayout::kTwipsPerInch;

    // The painter starts at the printable area; the unprintable offset from the paper's edge is
    // what the printer cannot reach.
    QPointF offset;  // in device pixels
    if (auto* paged = dynamic_cast<QPagedPaintDevice*>(&device))
        offset = paged->pageLayout().paintRectPixels(device.logicalDpiX()).topLeft();
    const double offsetX = offset.x() / toDeviceX;  // in twips
    const double offsetY = offset.y() / toDeviceY;
    // Half an inch from the left paper edge; half an inch plus the unprintable top offset below
    // the top of the printable area.
    const double originX = PrintLayout::kMargin - offsetX;
    const double originY = PrintLayout::kMargin + offsetY;

    painter.save();
    painter.resetTransform();
    painter.translate(originX * toDeviceX, originY * toDeviceY);
    painter.scale(toDeviceX, toDeviceY);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 0));
    const int ascent = QFontMetrics(font, &device).ascent();
    // Text is placed by its top-left corner.
    auto text = [&](int x, int top, const QString& s) { painter.drawText(QPointF(x, top + ascent), s); };

    text(0, 0, PrintLayout::Title(m_kind, m_strUserName));
    text(PrintLayout::kPageNumberX, 0, PrintLayout::PageText(page, lastPage));
    const QList<PrintLayout::SColumn> columns = PrintLayout::Columns(m_kind);
    for (const PrintLayout::SColumn& column : columns)
        text(column.x, 2 * lineHeight, column.title);
    painter.drawLine(QPointF(0, 3 * lineHeight), QPointF(PrintLayout::kRuleEndX, 3 * lineHeight));

    const bool profile = m_kind == EReportKind::Profile;
    const QList<QStringList> rows = profile ? PrintLayout::ProfilePageRows(m_profile, page, linesPerPage)
                                            : PrintLayout::PageRows(m_kind, m_lists, page, linesPerPage);
    const QFontMetricsF metrics(font, &device);
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList& row = rows.at(r);
        for (int c = 0; c < columns.size() && c < row.size(); ++c) {
            QString cell = row.at(c);
            // The profile's examples stop at the rule's end rather than run off the paper.
            if (profile && c == columns.size() - 1) {
                const int room = PrintLayout::kRuleEndX - columns.at(c).x;
                cell = PrintLayout::FitItems(cell, room, [&metrics](const QString& s) {
                    return metrics.horizontalAdvance(s);
                });
            }
            text(columns.at(c).x, PrintLayout::RowTop(r, lineHeight), cell);
        }
    }
    painter.restore();
}
