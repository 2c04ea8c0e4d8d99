#include "app/listprinting.h"

#include "app/printrun.h"
#include "document/orthexdoc.h"

#include <QInputDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

CListPrinting::KindQuestion CListPrinting::DefaultKindQuestion()
{
    return [](QWidget* parent) -> std::optional<CListSheet::EKind> {
        const QStringList kinds{QStringLiteral("List sheet"), QStringLiteral("Worksheet with answer sheet")};
        bool ok = false;
        const QString chosen = QInputDialog::getItem(parent, QStringLiteral("Print List"),
                                                     QStringLiteral("What to print:"), kinds, 0, false, &ok);
        if (!ok)
            return std::nullopt;
        return chosen == kinds.at(0) ? CListSheet::EKind::List : CListSheet::EKind::Worksheet;
    };
}

CListPrinting::Preview CListPrinting::DefaultPreview()
{
    return [](QWidget* parent, const std::function<void(QPrinter&)>& paint) {
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&paint](QPrinter* target) { paint(*target); });
        dialog.exec();
    };
}

bool CListPrinting::Run(QWidget* parent, COrthexDoc& doc, const KindQuestion& ask, const Preview& preview)
{
    if (!doc.IsListOpen())
        return false;
    const std::optional<CListSheet::EKind> kind = ask(parent);
    if (!kind)
        return false;
    // Read from the file, as "orthex /p" does: what is printed is what is stored.
    CListSheetContent content;
    if (!CPrintRun::ReadList(doc.GetPathName(), content))
        return false;
    preview(parent, [&content, kind](QPrinter& printer) {
        printer.setDocName(content.name);
        CListSheet::Print(printer, content, *kind);
    });
    return true;
}
