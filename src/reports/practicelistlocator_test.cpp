#include "reports/practicelistlocator.h"

#include "testing/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {
QString folder(const QString& name)
{
    const QString path = QDir(CTestEnvironment::Instance().Root()).filePath(name);
    QDir().mkpath(path);
    return path;
}

QString touch(const QString& folderPath, const QString& name)
{
    const QString path = QDir(folderPath).filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    return path;
}
}  // namespace

class PracticeListLocatorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileNameOf_data()
    {
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QString>("fileName");

        QTest::newRow("title of a test") << "Week 1.orthex" << "Week 1.orthex";
        QTest::newRow("repeat") << "Week 1.orthex--Repeat" << "Week 1.orthex";
        QTest::newRow("stopped") << "Week 1.orthex--Stopped Test" << "Week 1.orthex";
        QTest::newRow("repeat, stopped") << "Week 1.orthex--Repeat, Stopped" << "Week 1.orthex";
        QTest::newRow("only one suffix goes") << "A--Repeat--Repeat" << "A--Repeat";
        QTest::newRow("suffix inside stays") << "A--Repeat.orthex" << "A--Repeat.orthex";
        QTest::newRow("suffix case counts") << "A.orthex--repeat" << "A.orthex--repeat";
        QTest::newRow("no extension") << "Week 1" << "Week 1";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("only a suffix") << "--Repeat" << "";
        QTest::newRow("slash") << "../Orthex.lgn" << "";
        QTest::newRow("absolute") << "/etc/passwd" << "";
        QTest::newRow("backslash") << "..\\x.orthex" << "";
        QTest::newRow("dot dot") << ".." << "";
        QTest::newRow("dot dot with a suffix") << "..--Repeat" << "";
        QTest::newRow("null character") << QStringLiteral("a") + QChar::Null + QStringLiteral("b.orthex") << "";
    }

    void fileNameOf()
    {
        QFETCH(QString, listName);
        QFETCH(QString, fileName);
        QCOMPARE(CPracticeListLocator::FileNameOf(listName), fileName);
    }

    // Where a list is looked for, in order: the save folder, the recent files newest first,
    // then the same with ".orthex" added for a title without it.
    void paths_data()
    {
        QTest::addColumn<QStringList>("saveFiles");    // files in the save folder
        QTest::addColumn<QStringList>("otherFiles");   // files in another folder
        QTest::addColumn<QStringList>("recent");       // "save:" or "other:" file names
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QStringList>("expected");     // "save:" or "other:" file names

        QTest::newRow("save folder") << QStringList{"Week 1.orthex"} << QStringList{} << QStringList{}
                                     << "Week 1.orthex" << QStringList{"save:Week 1.orthex"};
        QTest::newRow("repeat finds the list") << QStringList{"Week 1.orthex"} << QStringList{} << QStringList{}
                                               << "Week 1.orthex--Repeat" << QStringList{"save:Week 1.orthex"};
        QTest::newRow("recent file elsewhere")
            << QStringList{} << QStringList{"Week 1.orthex", "Week 2.orthex"}
            << QStringList{"other:Week 2.orthex", "other:Week 1.orthex"} << "Week 1.orthex"
            << QStringList{"other:Week 1.orthex"};
        QTest::newRow("save folder before recent files")
            << QStringList{"Week 1.orthex"} << QStringList{"Week 1.orthex"} << QStringList{"other:Week 1.orthex"}
            << "Week 1.orthex" << QStringList{"save:Week 1.orthex", "other:Week 1.orthex"};
        QTest::newRow("a recent file in the save folder once")
            << QStringList{"Week 1.orthex"} << QStringList{} << QStringList{"save:Week 1.orthex"} << "Week 1.orthex"
            << QStringList{"save:Week 1.orthex"};
        QTest::newRow("gone") << QStringList{} << QStringList{} << QStringList{"other:Week 1.orthex"}
                              << "Week 1.orthex" << QStringList{};
        QTest::newRow("title without its extension")
            << QStringList{"Week 1.orthex"} << QStringList{} << QStringList{} << "Week 1"
            << QStringList{"save:Week 1.orthex"};
        QTest::newRow("exact name before the extension")
            << QStringList{"Week 1", "Week 1.orthex"} << QStringList{} << QStringList{} << "Week 1"
            << QStringList{"save:Week 1", "save:Week 1.orthex"};
        QTest::newRow("a folder of that name is no list")
            << QStringList{} << QStringList{} << QStringList{} << "Sub" << QStringList{};
        QTest::newRow("other names of the recent files are passed over")
            << QStringList{} << QStringList{"Week 10.orthex"} << QStringList{"other:Week 10.orthex"}
            << "Week 1.orthex" << QStringList{};
#ifndef Q_OS_WIN
        QTest::newRow("case of the name counts")
            << QStringList{"week 1.orthex"} << QStringList{} << QStringList{} << "Week 1.orthex" << QStringList{};
#endif
        QTest::newRow("a name leading out of the folder")
            << QStringList{} << QStringList{"Week 1.orthex"} << QStringList{} << "../Other/Week 1.orthex"
            << QStringList{};
    }

    void paths()
    {
        QFETCH(QStringList, saveFiles);
        QFETCH(QStringList, otherFiles);
        QFETCH(QStringList, recent);
        QFETCH(QString, listName);
        QFETCH(QStringList, expected);

        const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_'));
        const QString save = folder(tag + QStringLiteral("/Save"));
        const QString other = folder(tag + QStringLiteral("/Other"));
        QDir(save).mkdir(QStringLiteral("Sub"));
        QDir(save).mkdir(QStringLiteral("Sub.orthex"));
        for (const QString& name : saveFiles)
            touch(save, name);
        for (const QString& name : otherFiles)
            touch(other, name);
        auto resolve = [&](const QString& entry) {
            const QString name = entry.section(QLatin1Char(':'), 1);
            return QDir(entry.startsWith(QLatin1String("save:")) ? save : other).filePath(name);
        };
        QStringList recentPaths;
        for (const QString& entry : recent)
            recentPaths << resolve(entry);
        QStringList expectedPaths;
        for (const QString& entry : expected)
            expectedPaths << resolve(entry);

        QCOMPARE(CPracticeListLocator(save, recentPaths).Paths(listName), expectedPaths);
    }
};

ORTHEX_TEST_MAIN(PracticeListLocatorTest)
#include "practicelistlocator_test.moc"
