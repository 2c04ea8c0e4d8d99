#include "app/printrun.h"

#include "app/commandline.h"
#include "base/messages.h"
#include "storage/listdatabase.h"
#include "storage/spellinglistdb.h"

#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

#include <cstdio>

std::unique_ptr<QPrinter> CPrintRun::FindPrinter(const QString& printerName)
{
    const QPrinterInfo info =
        printerName.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(printerName);
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

int CPrintRun::Fail(const QString& text)
{
    std::fprintf(stderr, "orthex: %s\n", text.toLocal8Bit().constData());
    Messages::Show(text, MessageIcon::Stop);
    return 1;
}

bool CPrintRun::ReadList(const QString& path, CListSheetContent& content)
{
    CListDatabase database;
    if (!database.Open(path, CListDatabase::Access::ReadOnly))
        return false;
    CSpellingListDB list(database);
    if (!list.Open())
        return false;
    content.name = QFileInfo(path).completeBaseName();
    content.creator = list.MoveFirst() ? list.CreatedBy() : QString();
    content.words = list.ListWords();
    return true;
}

int CPrintRun::Run(const CCommandLine& line)
{
    return Run(line, &CPrintRun::FindPrinter);
}

int CPrintRun::Run(const CCommandLine& line, const PrinterLookup& lookup)
{
    if (line.file.isEmpty())
        return Fail(QStringLiteral("No spelling list was named to print."));
    const QString fileName = QFileInfo(line.file).fileName();
    if (line.action == CCommandLine::Action::PrintTo && line.printer.isEmpty())
        return Fail(QStringLiteral("Orthex cannot print %1: no printer was named.").arg(fileName));

    std::unique_ptr<QPrinter> printer = lookup(line.printer);
    if (!printer) {
        if (line.printer.isEmpty())
            return Fail(QStringLiteral("Orthex cannot print %1: no printer is set up on this computer.")
                            .arg(fileName));
        return Fail(QStringLiteral("Orthex cannot print %1: there is no printer named \"%2\".")
                        .arg(fileName, line.printer));
    }

    CListSheetContent content;
    if (!ReadList(line.file, content))
        return 1;
    printer->setDocName(content.name);
    if (!CListSheet::Print(*printer, content))
        return Fail(QStringLiteral("Orthex could not print %1 on %2.").arg(fileName, printer->printerName()));
    return 0;
}
