#include "lists/listdatabase.h"
#include "lists/listmessages.h"
#include "lists/spellinglistdb.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

namespace {
struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run runCli(const QStringList& args)
{
    QProcess process;
    process.start(qEnvironmentVariable("ORTHEX_CLI"), QStringList{QStringLiteral("list")} + args);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

struct Row {
    int order;
    QString createdBy;
    QString word;
    int soundBytes;  // -1: no sound set
};
}  // namespace

Q_DECLARE_METATYPE(QList<Row>)

class ListCommandTest : public QObject
{
    Q_OBJECT

    QString path(const QString& name) const { return CTestEnvironment::Instance().Root() + QLatin1Char('/') + name; }

private Q_SLOTS:
    void printsTheRowsInCursorOrder_data()
    {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<QString>("table");
        const QString header = QStringLiteral("Order\tCreatedBy\tWord\tSoundBytes\n");
        QTest::newRow("empty list") << QList<Row>{} << header;
        QTest::newRow("ordered, ties in insertion order")
            << QList<Row>{{2, "anna", "dog", 10}, {1, "", "cat", 44}, {2, "ben", "emu", 0}, {3, "anna", "fox", -1}}
            << header + "1\t\tcat\t44\n2\tanna\tdog\t10\n2\tben\temu\t0\n3\tanna\tfox\t0\n";
        QTest::newRow("texts that need escaping")
            << QList<Row>{{1, QStringLiteral("Zoë"), QStringLiteral("tab\there"), 3}, {2, "x", QStringLiteral("back\\slash"), 1}}
            << header + QStringLiteral("1\tZoë\ttab\\there\t3\n2\tx\tback\\\\slash\t1\n");
    }

    void printsTheRowsInCursorOrder()
    {
        QFETCH(QList<Row>, rows);
        QFETCH(QString, table);
        const QString file = path(QStringLiteral("print.orthex"));
        QFile::remove(file);
        QVERIFY(CListDatabase::Create(file));
        {
            CListDatabase db;
            QVERIFY(db.Open(file));
            CSpellingListDB list(db);
            QVERIFY(list.Open());
            for (const Row& r : rows) {
                QVERIFY(list.AddNew());
                list.SetOrder(r.order);
                list.SetCreatedBy(r.createdBy);
                list.SetWord(r.word);
                if (r.soundBytes >= 0)
                    list.SetSound(QByteArray(r.soundBytes, 'w'));
                QVERIFY(list.Update());
            }
        }
        const Run run = runCli({file});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, table);
    }

    void aFileThatCannotBeOpenedPrintsTheProgramsMessage_data()
    {
        QTest::addColumn<QByteArray>("content");  // "-": no file at all
        QByteArray jet(2048, '\0');
        jet.replace(4, 15, "Standard Jet DB");
        QTest::newRow("missing") << QByteArray("-");
        QTest::newRow("random bytes") << QByteArray("\x01\x02 not a database at all");
        QTest::newRow("old Windows list") << jet;
    }

    void aFileThatCannotBeOpenedPrintsTheProgramsMessage()
    {
        QFETCH(QByteArray, content);
        const QString file = path(QStringLiteral("bad.orthex"));
        QFile::remove(file);
        if (content != "-") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        QString expected;
        {
            CRecordingMessageSink sink;
            CListDatabase db;
            QVERIFY(!db.Open(file));
            QCOMPARE(sink.Texts().size(), 1);
            expected = sink.Texts().first();
        }
        const Run run = runCli({file});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, expected + QLatin1Char('\n'));
    }

    void wrongArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("two files") << QStringList{"a.orthex", "b.orthex"};
        QTest::newRow("empty name") << QStringList{""};
    }

    void wrongArguments()
    {
        QFETCH(QStringList, args);
        const Run run = runCli(args);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.err, QStringLiteral("usage: orthex-cli list FILE.orthex\n"));
    }
};

ORTHEX_TEST_MAIN(ListCommandTest)
#include "listcommand_test.moc"
