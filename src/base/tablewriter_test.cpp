#include "base/tablewriter.h"
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
        // Other control characters would reach a terminal as they are.
        QTest::newRow("controls") << QStringList{QString::fromUtf8("a\x1b[2Jb\x7f"), QString(QChar(0)) + "\x1f\x01"}
                                  << "a\\x1b[2Jb\\x7f\t\\x00\\x1f\\x01\n"
                                  << QString::fromUtf8("a\x1b[2Jb\x7f,") + QString(QChar(0)) + "\x1f\x01\r\n";
        QTest::newRow("no control") << QStringList{QStringLiteral(u" ~\u0080\u00a0")} << QStringLiteral(u" ~\u0080\u00a0\n")
                                    << QStringLiteral(u" ~\u0080\u00a0\r\n");
        // A cell a spreadsheet would run as a formula starts with an apostrophe; numbers stay numbers.
        QTest::newRow("formulas") << QStringList{"=1+1", "+cmd|' /C calc'!A0", "-2+3", "@SUM(A1)", "-"}
                                  << "=1+1\t+cmd|' /C calc'!A0\t-2+3\t@SUM(A1)\t-\n"
                                  << "'=1+1,'+cmd|' /C calc'!A0,'-2+3,'@SUM(A1),'-\r\n";
        QTest::newRow("formula after tab or carriage return")
            << QStringList{"\t=1", "\r=1", "=HYPERLINK(\"x\",\"y\")"} << "\\t=1\t\\r=1\t=HYPERLINK(\"x\",\"y\")\n"
            << "'\t=1,\"'\r=1\",\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\"\r\n";
        QTest::newRow("numbers and inner signs") << QStringList{"-1", "+7", "-2.5", "a=b", "1-2", " =1"}
                                                 << "-1\t+7\t-2.5\ta=b\t1-2\t =1\n" << "-1,+7,-2.5,a=b,1-2, =1\r\n";
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
