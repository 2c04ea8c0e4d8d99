#pragma once

#include "app/listsheet.h"

#include <functional>
#include <optional>

class COrthexDoc;
class QPrinter;
class QWidget;

// File > "Print List...": the open list as a list sheet or as a worksheet with its answer
// sheet, shown in a print preview from which it is printed or saved as PDF.
class CListPrinting
{
public:
    // Which sheet to print; nothing when the user cancels. A choice box by default.
    using KindQuestion = std::function<std::optional<CListSheet::EKind>(QWidget* parent)>;
    // Shows the preview; paint draws the sheet on the printer it is given. QPrintPreviewDialog
    // by default; tests print straight to a PDF file.
    using Preview = std::function<void(QWidget* parent, const std::function<void(QPrinter&)>& paint)>;

    static KindQuestion DefaultKindQuestion();
    static Preview DefaultPreview();

    // False when no list is open, the user cancelled, or the file could not be read (said).
    static bool Run(QWidget* parent, COrthexDoc& doc, const KindQuestion& ask, const Preview& preview);
};
