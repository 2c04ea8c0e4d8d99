#include "app/commandline.h"
#include "app/printrun.h"
#include "testing/shelltestsupport.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {
QString pdfText(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
}  // namespace

class PrintRunTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void failuresSayWhyAndEndWithOne_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("printerExists");
        QTest::addColumn<QString>("message");

        QTest::newRow("no printer at all")
            << QStringList{QStringLiteral("/p"), QStringLiteral("LIST")} << false
            << QStringLiteral("Orthex cannot print week1.orthex: no printer is set up on this computer.");
        QTest::newRow("named printer missing")
            << QStringList{QStringLiteral("/pt"), QStringLiteral("LIST"), QStringLiteral("Office")} << false
            << QStringLiteral("Orthex cannot print week1.orthex: there is no printer named \"Office\".");
        QTest::newRow("print-to without a printer name")
            << QStringList{QStringLiteral("-pt"), QStringLiteral("LIST")} << true
            << QStringLiteral("Orthex cannot print week1.orthex: no printer was named.");
        QTest::newRow("nothing to print") << QStringList{QStringLiteral("/p")} << true
                                          << QStringLiteral("No spelling list was named to print.");
    }

    void failuresSayWhyAndEndWithOne()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, printerExists);
        const QString list =
            ShellTest::MakeList(QStringLiteral("week1.orthex"), QStringLiteral("anna"), {QStringLiteral("cat")});
        QVERIFY(!list.isEmpty());
        args.replaceInStrings(QStringLiteral("LIST"), list);
        CRecordingMessageSink messages;
        const QString pdf = CTestEnvironment::Instance().Root() + QStringLiteral("/never.pdf");
        auto lookup = [&](const QString&) -> std::unique_ptr<QPrinter> {
            if (!printerExists)
                return nullptr;
            auto printer = std::make_unique<QPrinter>();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            return printer;
        };
        QCOMPARE(CPrintRun::Run(CCommandLine::Parse(args), lookup), 1);
        QTEST(messages.Texts().value(0), "message");
        QCOMPARE(messages.Texts().size(), 1);
        QVERIFY(!QFile::exists(pdf));
    }

    void realLookupFindsOnlyInstalledPrinters()
    {
        QCOMPARE(bool(CPrintRun::FindPrinter(QString())), !QPrinterInfo::defaultPrinter().isNull());
        QVERIFY(!CPrintRun::FindPrinter(QStringLiteral("No Such Printer 4e1f")));
    }

    void unreadableListShowsTheOpenMessage()
    {
        const QString path = CTestEnvironment::Instance().Root() + QStringLiteral("/junk.orthex");
        QFile junk(path);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        CRecordingMessageSink messages;
        auto lookup = [](const QString&) {
            auto printer = std::make_unique<QPrinter>();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(CTestEnvironment::Instance().Root() + QStringLiteral("/junk.pdf"));
            return printer;
        };
        QCOMPARE(CPrintRun::Run(CCommandLine::Parse({QStringLiteral("/p"), path}), lookup), 1);
        QCOMPARE(messages.Texts().size(), 1);
        QVERIFY(messages.Texts().at(0).contains(QStringLiteral("junk.orthex")));
    }

    void printsTheSheet_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("printerName");
        QTest::newRow("default printer") << QStringLiteral("/p") << QString();
        QTest::newRow("named printer") << QStringLiteral("/pt") << QStringLiteral("Office");
    }

    void printsTheSheet()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed; the printed sheet cannot be read back");
        QFETCH(QString, flag);
        QFETCH(QString, printerName);
        const QString list = ShellTest::MakeList(QStringLiteral("week2.orthex"), QStringLiteral("Mr Grey"),
                                                 {QStringLiteral("believe"), QStringLiteral("receipt"), QStringLiteral("phone")});
        QVERIFY(!list.isEmpty());
        const QByteArray listBytes = [&] { QFile f(list); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        QStringList args{flag, list};
        if (!printerName.isEmpty())
            args << printerName;
        const QString pdf = CTestEnvironment::Instance().Root() + QStringLiteral("/week2.pdf");
        QString asked = QStringLiteral("(not asked)");
        auto lookup = [&](const QString& name) {
            asked = name;
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            return printer;
        };
        CRecordingMessageSink messages;
        QCOMPARE(CPrintRun::Run(CCommandLine::Parse(args), lookup), 0);
        QCOMPARE(messages.Texts(), QStringList());
        QCOMPARE(asked, printerName);
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("Spelling list: week2")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Created by Mr Grey.")));
        QVERIFY(text.indexOf(QStringLiteral("1. believe")) < text.indexOf(QStringLiteral("2. receipt")));
        QVERIFY(text.indexOf(QStringLiteral("2. receipt")) < text.indexOf(QStringLiteral("3. phone")));
        // Printing only reads the list.
        QFile after(list);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), listBytes);
    }
};

ORTHEX_TEST_MAIN(PrintRunTest)
#include "printrun_test.moc"
