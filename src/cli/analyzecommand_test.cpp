#include "testing/testcli.h"
#include "testing/testenvironment.h"

#include <QProcess>
#include <QtTest>

namespace {

SCliRun RunAnalyze(const QStringList& args, const QByteArray& input = {})
{
    return TestCli::Run(QStringList{"analyze"} + args, input);
}

}  // namespace

class AnalyzeCommandTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("ORTHEX_CLI"))
            QSKIP("ORTHEX_CLI is not set: run this test through CTest");
    }

    void arguments_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("misspelling");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("plural") << "boxes" << "boxs" << QByteArray("plurals:  s to es\n");
        QTest::newRow("joined") << "Ball" << "bal" << QByteArray("capitalize, double l\n");
        QTest::newRow("nothing") << "cat" << "cat" << QByteArray("?\n");
        QTest::newRow("empty misspelling") << "nation" << "" << QByteArray("suffix tion\n");
        QTest::newRow("both empty") << "" << "" << QByteArray("?\n");
        QTest::newRow("UTF-8") << QString::fromUtf8("Ärger") << QString::fromUtf8("ärger")
                               << QByteArray("capitalize\n");
        QTest::newRow("UTF-8 letter") << QString::fromUtf8("naïve") << QString::fromUtf8("naive")
                                      << QByteArray("\xC3\xAF not i\n");
    }

    void arguments()
    {
        QFETCH(QString, word);
        QFETCH(QString, misspelling);
        QFETCH(QByteArray, expected);
        const SCliRun run = RunAnalyze({word, misspelling});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, expected);
        QCOMPARE(run.err, QByteArray());
    }

    void standardInput_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("lines in order")
            << QByteArray("boxes\tboxs\ncat\tcat\nBall\tbal\n")
            << QByteArray("plurals:  s to es\n?\ncapitalize, double l\n");
        QTest::newRow("no input") << QByteArray() << QByteArray();
        QTest::newRow("last line without newline")
            << QByteArray("cat\tcot\ncart\tcat") << QByteArray("a not o\nmissing letter r\n");
        QTest::newRow("windows line endings")
            << QByteArray("came\tcam\r\ncam\tcame\r\n") << QByteArray("ending e\nending e\n");
        QTest::newRow("only the last carriage return goes")
            << QByteArray("cat\tcat\r\r\n") << QByteArray("extra letter \r\n");
        QTest::newRow("empty fields")
            << QByteArray("nation\t\n\tnation\n\t\ntie\t\n")
            << QByteArray("suffix tion\nsuffix tion\n?\nie/ei:  ie\n");
        QTest::newRow("first tab separates")
            << QByteArray("cat\tc\tt\n") << QByteArray("a not \t\n");
        QTest::newRow("UTF-8") << QByteArray("na\xC3\xAFve\tnaive\n") << QByteArray("\xC3\xAF not i\n");
        QTest::newRow("spaces are letters")
            << QByteArray("cat \tcat\n") << QByteArray("missing letter  \n");
    }

    void standardInput()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        const SCliRun run = RunAnalyze({}, input);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, expected);
    }

    void lineWithoutTab_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("printed");
        QTest::addColumn<QString>("lineText");
        QTest::newRow("third line")
            << QByteArray("boxes\tboxs\ncat\tcat\ncat cot\nhat\thats\n")
            << QByteArray("plurals:  s to es\n?\n") << "line 3";
        QTest::newRow("first line") << QByteArray("cat\n") << QByteArray() << "line 1";
        QTest::newRow("empty line")
            << QByteArray("cat\tcot\n\ncat\tcot\n") << QByteArray("a not o\n") << "line 2";
        QTest::newRow("carriage return only")
            << QByteArray("cat\tcot\r\n\r\n") << QByteArray("a not o\n") << "line 2";
    }

    void lineWithoutTab()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, printed);
        QFETCH(QString, lineText);
        const SCliRun run = RunAnalyze({}, input);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, printed);
        QVERIFY2(QString::fromUtf8(run.err).contains(lineText), run.err.constData());
    }

    void wrongArgumentCount_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("one") << QStringList{"cat"};
        QTest::newRow("three") << QStringList{"cat", "cot", "cut"};
    }

    void wrongArgumentCount()
    {
        QFETCH(QStringList, args);
        const SCliRun run = RunAnalyze(args);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QVERIFY2(run.err.startsWith("usage: orthex-cli analyze"), run.err.constData());
    }

    void unreadableInputSaysWhy_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QByteArray>("error");
        QTest::newRow("a folder") << "/" << QByteArray("orthex-cli analyze: cannot read standard input: Is a directory\n");
        QTest::newRow("no end") << "/dev/zero"
                                << QByteArray("orthex-cli analyze: standard input is larger than 16 MB, the most it reads.\n");
    }

    void unreadableInputSaysWhy()
    {
        QFETCH(QString, input);
        QFETCH(QByteArray, error);
        QProcess process;
        process.setStandardInputFile(input);
        process.start(qEnvironmentVariable("ORTHEX_CLI"), {QStringLiteral("analyze")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.readAllStandardError(), error);
        QCOMPARE(process.readAllStandardOutput(), QByteArray());
        QCOMPARE(process.exitCode(), 1);
    }

    // Many lines come out one label per line, in order.
    void manyLines()
    {
        QByteArray input;
        QByteArray expected;
        for (int i = 0; i < 5000; ++i) {
            input += i % 2 == 0 ? "hats\that\n" : "hat\thats\n";
            expected += i % 2 == 0 ? "plurals:  end s\n" : "plurals:  no s\n";
        }
        const SCliRun run = RunAnalyze({}, input);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, expected);
    }
};

ORTHEX_TEST_MAIN(AnalyzeCommandTest)
#include "analyzecommand_test.moc"
