#include "users/tablewriter.h"

void CTableWriter::WriteRow(const QStringList& fields)
{
    m_out << FormatRow(fields, m_eFormat);
}

QString CTableWriter::FormatRow(const QStringList& fields, EFormat format)
{
    QString row;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            row += format == EFormat::Tsv ? QLatin1Char('\t') : QLatin1Char(',');
        row += format == EFormat::Tsv ? EscapeTsv(fields[i]) : QuoteCsv(fields[i]);
    }
    row += format == EFormat::Tsv ? QLatin1String("\n") : QLatin1String("\r\n");
    return row;
}

QString CTableWriter::EscapeTsv(const QString& field)
{
    QString out;
    out.reserve(field.size());
    for (const QChar c : field) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += c; break;
        }
    }
    return out;
}

QString CTableWriter::QuoteCsv(const QString& field)
{
    const bool needsQuotes = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"'))
                             || field.contains(QLatin1Char('\r')) || field.contains(QLatin1Char('\n'));
    if (!needsQuotes)
        return field;
    QString quoted = field;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
