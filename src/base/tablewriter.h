#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

// Writes rows of text fields as TSV or CSV.
// TSV: fields separated by a tab, each row ended by a newline; a backslash, tab, newline or
// carriage return inside a field is written as \\, \t, \n or \r, and every other control
// character (below U+0020, and U+007F) as \xHH, so that no field can break a row or drive a
// terminal.
// CSV (RFC 4180): fields separated by commas, rows ended by CR LF; a field that holds a comma,
// a double quote, a CR or an LF is put in double quotes, its quotes doubled. A field that a
// spreadsheet would take for a formula (first character =, +, -, @, tab or CR) gets a leading
// apostrophe, unless it is a plain number such as -3 or +2.5, which stays a number.
class CTableWriter
{
public:
    enum class EFormat { Tsv, Csv };

    CTableWriter(QTextStream& out, EFormat format) : m_out(out), m_eFormat(format) {}

    void WriteRow(const QStringList& fields);

    // One row with its line ending.
    // The format a --format option names ("tsv" or "csv"), none for anything else.
    static std::optional<EFormat> FormatNamed(const QString& name);
    static QString FormatRow(const QStringList& fields, EFormat format);
    static QString EscapeTsv(const QString& field);
    static QString QuoteCsv(const QString& field);

private:
    QTextStream& m_out;
    EFormat m_eFormat;
};
