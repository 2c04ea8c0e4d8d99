#pragma once

#include "app/listsheet.h"

#include <QString>

#include <functional>
#include <memory>

class QPrinter;
struct CCommandLine;

// "orthex /p FILE" and "orthex /pt FILE PRINTER": prints the list sheet and ends, with no log-in
// and without touching anybody's results. Every failure is said (message and standard error) and
// ends with status 1.
class CPrintRun
{
public:
    // The printer to print on: the default printer for an empty name, else the one so named;
    // null when there is none. Tests put a PDF writer in its place.
    using PrinterLookup = std::function<std::unique_ptr<QPrinter>(const QString& printerName)>;

    static std::unique_ptr<QPrinter> FindPrinter(const QString& printerName);

    // Returns the program's exit status. Without a lookup, the installed printers.
    static int Run(const CCommandLine& line);
    static int Run(const CCommandLine& line, const PrinterLookup& lookup);

    // Reads the list's name, creator and words. False when it cannot be opened; the reason has
    // then been shown.
    static bool ReadList(const QString& path, CListSheetContent& content);

private:
    static int Fail(const QString& text);
};
