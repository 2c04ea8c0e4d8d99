#include "users/tablewriter.h"
#include "testing/testenvironment.h"

#include <QtTest>

class TableWriterTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rows_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("tsv");
        QTest::addColumn<QString>("csv");
        QTest::newRow("plain") << QStringList{"Week1", "12/08/26, 03:10 AM", "8", "10"}
                               << "Week1\t12/08/26, 03:10 AM\t8\t10\n"
                               << "Week1,\"12/08/26, 03:10 AM\",8,10\r\n";
        QTest::newRow("empty fields") << QStringList{"", "", ""} << "\t\t\n" << ",,\r\n";
        QTest::newRow("one empty field") << QStringList{""} << "\n" << "\r\n";
        QTest::newRow("tab") << QStringList{"a\tb"} << "a\\tb\n" << "a\tb\r\n";
        QTest::newRow("newline") << QStringList{"a\nb"} << "a\\nb\n" << "\"a\nb\"\r\n";
        QTest::newRow("carriage return") << QStringList{"a\rb"} << "a\\rb\n" << "\"a\rb\"\r\n";
        QTest::newRow("backslash") << QStringList{"a\\tb\\"} << "a\\\\tb\\\\\n" << "a\\tb\\\r\n";
        QTest::newRow("quotes") << QStringList{"say \"hi\"", "\""} << "say \"hi\"\t\"\n"
                                << "\"say \"\"hi\"\"\",\"\"\"\"\r\n";
        QTest::newRow("comma") << QStringList{"a,b", "c"} << "a,b\tc\n" << "\"a,b\",c\r\n";
        QTest::newRow("spaces kept") << QStringList{"  two  spaces ", "x"} << "  two  spaces \tx\n"
                                     << "  two  spaces ,x\r\n";
        QTest::newRow("non-latin") << QStringList{QStringLiteral(u"\u0444\u00e9\U0001F600")}
                                   << QStringLiteral(u"\u0444\u00e9\U0001F600\n")
                                   << QStringLiteral(u"\u0444\u00e9\U0001F600\r\n");
    }

    void rows()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, tsv);
        QFETCH(QString, csv);
        QCOMPARE(CTableWriter::FormatRow(fields, CTableWriter::EFormat::Tsv), tsv);
        QCOMPARE(CTableWriter::FormatRow(fields, CTableWriter::EFormat::Csv), csv);
    }

    void writesToStreamInUtf8()
    {
        QByteArray bytes;
        {
            QTextStream out(&bytes);
            out.setEncoding(QStringConverter::Utf8);
            CTableWriter writer(out, CTableWriter::EFormat::Csv);
            writer.WriteRow({"Word", "Misspelling"});
            writer.WriteRow({QStringLiteral(u"na\u00efve"), "naive"});
        }
        QCOMPARE(bytes, QByteArray("Word,Misspelling\r\nna\xC3\xAFve,naive\r\n"));
    }
};

ORTHEX_TEST_MAIN(TableWriterTest)
#include "tablewriter_test.moc"
