#pragma once

#include <QString>
#include <QStringList>

class QPagedPaintDevice;

// A spelling list on paper, as a teacher uses it: the list's name, who made it, and the words
// numbered in their order, continued on further pages when they do not fit.
struct CListSheetContent {
    QString name;
    QString creator;  // empty: made by an unknown user
    QStringList words;
};

class CListSheet
{
public:
    // The heading line, "Created by ..." line and one line per word, as printed.
    static QString HeadingText(const CListSheetContent& content);
    static QString CreatorText(const CListSheetContent& content);
    static QString WordText(int index, const QString& word);

    // A numbered blank line of the worksheet.
    static QString BlankLineText(int index);

    // The list sheet, or a worksheet for a test on paper: a numbered blank line for each word,
    // and the answer sheet (the list sheet's words) starting on a new page.
    enum class EKind { List, Worksheet };
    // Prints on a printer or a PDF writer; false when painting could not start.
    static bool Print(QPagedPaintDevice& device, const CListSheetContent& content, EKind kind = EKind::List);
};
