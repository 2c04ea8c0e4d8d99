#include "base/appsettings.h"
#include "app/recentfilelist.h"
#include "testing/testenvironment.h"

#include <QtTest>

class RecentFileListTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void adding_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QStringList>("after");

        QTest::newRow("first") << QStringList() << QStringLiteral("/l/a.orthex")
                               << QStringList{QStringLiteral("/l/a.orthex")};
        QTest::newRow("newest first")
            << QStringList{QStringLiteral("/l/a.orthex")} << QStringLiteral("/l/b.orthex")
            << QStringList{QStringLiteral("/l/b.orthex"), QStringLiteral("/l/a.orthex")};
        QTest::newRow("again moves to the top")
            << QStringList{QStringLiteral("/l/a.orthex"), QStringLiteral("/l/b.orthex"), QStringLiteral("/l/c.orthex")}
            << QStringLiteral("/l/c.orthex")
            << QStringList{QStringLiteral("/l/c.orthex"), QStringLiteral("/l/a.orthex"), QStringLiteral("/l/b.orthex")};
        QTest::newRow("four at most")
            << QStringList{QStringLiteral("/1"), QStringLiteral("/2"), QStringLiteral("/3"), QStringLiteral("/4")}
            << QStringLiteral("/5")
            << QStringList{QStringLiteral("/5"), QStringLiteral("/1"), QStringLiteral("/2"), QStringLiteral("/3")};
        QTest::newRow("unclean path is the same file")
            << QStringList{QStringLiteral("/l/a.orthex")} << QStringLiteral("/l/x/../a.orthex")
            << QStringList{QStringLiteral("/l/a.orthex")};
        QTest::newRow("case counts here")
            << QStringList{QStringLiteral("/l/a.orthex")} << QStringLiteral("/l/A.orthex")
            << QStringList{QStringLiteral("/l/A.orthex"), QStringLiteral("/l/a.orthex")};
    }

    void adding()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, added);
        CAppSettings settings;
        QVERIFY(settings.SetRecentFiles(before));
        CRecentFileList list(settings);
        list.Add(added);
        QTEST(list.Files(), "after");
        // Stored at once: a second reader sees it.
        CAppSettings other;
        QTEST(other.RecentFiles(), "after");
    }

    void removing()
    {
        CAppSettings settings;
        QVERIFY(settings.SetRecentFiles({QStringLiteral("/1"), QStringLiteral("/2"), QStringLiteral("/3")}));
        CRecentFileList list(settings);
        list.Remove(QStringLiteral("/2"));
        QCOMPARE(list.Files(), (QStringList{QStringLiteral("/1"), QStringLiteral("/3")}));
        list.Remove(QStringLiteral("/none"));
        QCOMPARE(list.Files(), (QStringList{QStringLiteral("/1"), QStringLiteral("/3")}));
    }

    void relativePathBecomesAbsolute()
    {
        CAppSettings settings;
        QVERIFY(settings.SetRecentFiles({}));
        CRecentFileList list(settings);
        list.Add(QStringLiteral("b.orthex"));
        QCOMPARE(list.Files(), QStringList{QDir::currentPath() + QStringLiteral("/b.orthex")});
    }

    void menuText_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::newRow("first") << 0 << QStringLiteral("/l/a.orthex") << QStringLiteral("&1 /l/a.orthex");
        QTest::newRow("ampersand doubled")
            << 3 << QStringLiteral("/l/Tom & Jerry.orthex") << QStringLiteral("&4 /l/Tom && Jerry.orthex");
    }

    void menuText()
    {
        QFETCH(int, index);
        QFETCH(QString, path);
        QTEST(CRecentFileList::MenuText(index, path), "text");
    }
};

ORTHEX_TEST_MAIN(RecentFileListTest)
#include "recentfilelist_test.moc"
