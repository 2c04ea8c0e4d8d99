#include "base/tablewriter.h"

#include <QRegularExpression>

namespace {

// A spreadsheet runs a cell that starts with one of these as a formula (tab and CR are dropped
// in front of one by some of them).
bool StartsLikeFormula(const QString& field)
{
    if (field.isEmpty() || !QStringView(u"=+-@\t\r").contains(field.front()))
        return false;
    static const QRegularExpression plainNumber(QStringLiteral("\\A[+-][0-9]+(\\.[0-9]+)?\\z"));
    return !plainNumber.match(field).hasMatch();
}

}  // namespace

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
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                out += c;
            break;
        }
    }
    return out;
}

QString CTableWriter::QuoteCsv(const QString& field)
{
    const QString cell = StartsLikeFormula(field) ? QLatin1Char('\'') + field : field;
    const bool needsQuotes = cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"'))
                             || cell.contains(QLatin1Char('\r')) || cell.contains(QLatin1Char('\n'));
    if (!needsQuotes)
        return cell;
    QString quoted = cell;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

std::optional<CTableWriter::EFormat> CTableWriter::FormatNamed(const QString& name)
{
    if (name == QLatin1String("tsv"))
        return EFormat::Tsv;
    if (name == QLatin1String("csv"))
        return EFormat::Csv;
    return std::nullopt;
}
