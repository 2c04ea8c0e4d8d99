// orthex-cli --help, the manual page and the bash completion name the same commands and forms:
// a command added to one and forgotten in another fails here.

#include "testing/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

QByteArray run(const QString& program, const QStringList& args, const QString& folder = QString())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QByteArray();
    return process.readAllStandardOutput();
}

// The forms --help prints, without the program's name: "list new FILE.orthex", ...
QStringList helpForms()
{
    QStringList forms;
    const QString help = QString::fromUtf8(run(qEnvironmentVariable("ORTHEX_CLI"), {QStringLiteral("--help")}));
    for (const QString& line : help.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("  orthex-cli ")))
            forms << line.mid(13);
    }
    return forms;
}

// The lines of the page's synopsis as a reader sees them, without the program's name.
QStringList synopsisForms(const QString& page)
{
    static const QRegularExpression font(QStringLiteral("\\\\f[BIRP]"));
    QStringList forms;
    bool inSynopsis = false;
    for (QString line : page.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String(".SH ")))
            inSynopsis = line == QLatin1String(".SH SYNOPSIS");
        else if (inSynopsis && !line.startsWith(QLatin1Char('.'))) {
            line.remove(font).replace(QLatin1String("\\-"), QLatin1String("-"));
            forms << line.section(QLatin1Char(' '), 1);
        }
    }
    return forms;
}

// What the completion offers for words (the last one being completed), in an empty folder.
QStringList complete(const QStringList& words)
{
    const QString folder = CTestEnvironment::Instance().Root() + QStringLiteral("/completion");
    QDir().mkpath(folder);
    const QString script = QStringLiteral(
        "source \"$1\"; shift; COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1)); _orthex_cli; "
        "printf '%s\\n' \"${COMPREPLY[@]}\"");
    const QString completion = qEnvironmentVariable("ORTHEX_SOURCE_DIR") + QStringLiteral("/packaging/orthex-cli.bash-completion");
    QStringList offered = QString::fromUtf8(run(QStringLiteral("bash"), QStringList{QStringLiteral("-c"), script, QStringLiteral("bash"), completion} + words, folder))
                              .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    offered.removeAll(QStringLiteral("--help"));
    offered.sort();
    return offered;
}

}  // namespace

class HelpDocsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("ORTHEX_CLI") || qEnvironmentVariableIsEmpty("ORTHEX_SOURCE_DIR"))
            QSKIP("ORTHEX_CLI or ORTHEX_SOURCE_DIR is not set: run this test through CTest");
        QVERIFY(helpForms().size() > 5);
    }

    void manualPageSynopsisIsTheHelp()
    {
        QFile page(qEnvironmentVariable("ORTHEX_SOURCE_DIR") + QStringLiteral("/packaging/orthex-cli.1"));
        QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(page.fileName()));
        QStringList documented = synopsisForms(QString::fromUtf8(page.readAll()));
        QStringList printed = helpForms();
        documented.sort();
        printed.sort();
        QCOMPARE(documented, printed);
    }

    // The first word completes to every command; a command's second word to its forms' names
    // ("list add", "sound play"), where the form is named by a word of its own.
    void completionOffersEveryCommand_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("expected");
        QStringList commands;
        QMap<QString, QStringList> forms;
        for (const QString& form : helpForms()) {
            const QStringList parts = form.split(QLatin1Char(' '));
            if (!commands.contains(parts.at(0)))
                commands << parts.at(0);
            static const QRegularExpression name(QStringLiteral("^[a-z]+$"));
            if (parts.size() > 1 && name.match(parts.at(1)).hasMatch())
                forms[parts.at(0)] << parts.at(1);
        }
        commands.sort();
        QTest::newRow("commands") << QStringList{QStringLiteral("orthex-cli"), QString()} << commands;
        for (auto it = forms.cbegin(); it != forms.cend(); ++it) {
            QStringList names = it.value();
            names.sort();
            QTest::newRow(qPrintable(it.key())) << QStringList{QStringLiteral("orthex-cli"), it.key(), QString()} << names;
        }
    }

    void completionOffersEveryCommand()
    {
        QFETCH(QStringList, words);
        QFETCH(QStringList, expected);
        QCOMPARE(complete(words), expected);
    }
};

ORTHEX_TEST_MAIN(HelpDocsTest)
#include "helpdocs_test.moc"
