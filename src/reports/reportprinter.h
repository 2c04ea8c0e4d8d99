#pragma once

#include "reports/errorprofile.h"
#include "reports/reportkind.h"

#include <QFont>
#include <QString>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// Prints one report from the document's lists (not from the rows on the page, so that rows
// deleted but not saved still print) in the fixed layout of PrintLayout: the user's font, its
// height worked out for the device, one record every two lines, ten inches of lines a page.
// The error profile is made from the misspelled words when the printer is made; its examples
// are cut to whole examples that fit before the rule's end.
class CReportPrinter
{
public:
    // The font as the user chose it; pointTenths is its size in tenths of a point.
    CReportPrinter(EReportKind kind, const QString& userName, const SReportLists& lists, const QFont& font,
                   int pointTenths);

    // The font to print with on this device, its size given in twips for the twips window.
    QFont DeviceFont(const QPaintDevice& device) const;
    // Character height plus external leading of that font, in twips.
    int LineHeight(const QPaintDevice& device) const;
    // Rows this report prints (for the error profile, its kinds).
    qsizetype RecordCount() const;
    // Rows a page and pages of this report on the device (0 when the font is too large).
    int LinesPerPage(const QPaintDevice& device) const;
    int PageCount(const QPaintDevice& device) const;

    // Prints every page in the device's page ranges (all pages when it has none). False when the
    // font is too large for one row or painting could not start on the device.
    bool Print(QPagedPaintDevice& device) const;

private:
    void PrintPage(QPainter& painter, const QFont& font, int page, int lastPage, int linesPerPage,
                   int lineHeight) const;

    EReportKind m_kind;
    QString m_strUserName;
    SReportLists m_lists;
    QFont m_font;
    int m_nPointTenths;
    CErrorProfile m_profile;  // made once, when the profile is printed
};
