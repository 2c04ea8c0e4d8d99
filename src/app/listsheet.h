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

    // Prints on a printer or a PDF writer; false when painting could not start.
    static bool Print(QPagedPaintDevice& device, const CListSheetContent& content);
};
