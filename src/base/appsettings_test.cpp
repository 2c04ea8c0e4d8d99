#include "base/appsettings.h"
#include "testing/testenvironment.h"
#include "testing/testsettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QtTest>

class AppSettingsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QFile::remove(TestSettings::StorePath());
    }

    void storeLivesUnderTheTestConfigFolder()
    {
        QVERIFY(TestSettings::StorePath().startsWith(CTestEnvironment::Instance().Root()));
        QVERIFY(TestSettings::StorePath().endsWith(QStringLiteral("Vellomar/Orthex.conf")));
    }

    void defaults_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("Auto") << "Auto" << QVariant(QString());
        QTest::newRow("DefaultUserFolder") << "DefaultUserFolder" << QVariant(QString());
        QTest::newRow("SaveFolder") << "SaveFolder" << QVariant(QString());
        QTest::newRow("Randomize List") << "Randomize List" << QVariant(0);
        QTest::newRow("Repeat") << "Repeat" << QVariant(0);
        QTest::newRow("Rate") << "Rate" << QVariant(2);
        QTest::newRow("AutoPlay") << "AutoPlay" << QVariant(0);
        QTest::newRow("LargerText") << "LargerText" << QVariant(0);
        QTest::newRow("EnterSpeaksAndAdds") << "EnterSpeaksAndAdds" << QVariant(0);
        QTest::newRow("Window/Geometry") << "Window/Geometry" << QVariant(QByteArray());
    }

    void defaults()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, expected);
        CAppSettings settings;
        QVariant actual;
        if (name == QLatin1String("Auto")) actual = settings.AutoLogInName();
        else if (name == QLatin1String("DefaultUserFolder")) actual = settings.DefaultUserFolderValue();
        else if (name == QLatin1String("SaveFolder")) actual = settings.SaveFolderValue();
        else if (name == QLatin1String("Randomize List")) actual = settings.RandomizeList();
        else if (name == QLatin1String("Repeat")) actual = settings.Repeat();
        else if (name == QLatin1String("Rate")) actual = settings.Rate();
        else if (name == QLatin1String("AutoPlay")) actual = settings.AutoPlay();
        else if (name == QLatin1String("LargerText")) actual = settings.LargerText();
        else if (name == QLatin1String("EnterSpeaksAndAdds")) actual = settings.EnterSpeaksAndAdds();
        else if (name == QLatin1String("Window/Geometry")) actual = settings.WindowGeometry();
        QCOMPARE(actual, expected);
        QVERIFY2(!QFileInfo::exists(TestSettings::StorePath()), "reading a default must not write the store");
    }

    void readingEveryValueWritesNothing()
    {
        {
            CAppSettings settings;
            settings.AutoLogInName();
            settings.DefaultUserFolderValue();
            settings.SaveFolderValue();
            settings.RandomizeList();
            settings.Repeat();
            settings.Rate();
            settings.AutoPlay();
            settings.PreviewPages();
            settings.LargerText();
            settings.EnterSpeaksAndAdds();
            settings.WindowGeometry();
            settings.RecentFiles();
        }
        QVERIFY(!QFileInfo::exists(TestSettings::StorePath()));
    }

    void writtenValuesReadBackInTheirGroup()
    {
        {
            CAppSettings settings;
            QVERIFY(settings.SetAutoLogInName(QStringLiteral("José")));
            QVERIFY(settings.SetDefaultUserFolderValue(QStringLiteral("/srv/orthex users")));
            QVERIFY(settings.SetSaveFolderValue(QStringLiteral("/srv/lists")));
            QVERIFY(settings.SetRandomizeList(1));
            QVERIFY(settings.SetRepeat(1));
            QVERIFY(settings.SetRate(4));
            QVERIFY(settings.SetWindowGeometry(QByteArray("\x01\xd9\xd0\xcb\0\x03", 6)));
        }
        CAppSettings again;
        QCOMPARE(again.AutoLogInName(), QStringLiteral("José"));
        QCOMPARE(again.DefaultUserFolderValue(), QStringLiteral("/srv/orthex users"));
        QCOMPARE(again.SaveFolderValue(), QStringLiteral("/srv/lists"));
        QCOMPARE(again.RandomizeList(), 1);
        QCOMPARE(again.Repeat(), 1);
        QCOMPARE(again.Rate(), 4);
        QCOMPARE(again.WindowGeometry(), QByteArray("\x01\xd9\xd0\xcb\0\x03", 6));

        QSettings raw(TestSettings::StorePath(), QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("Settings/Rate")).toInt(), 4);
        QCOMPARE(raw.value(QStringLiteral("Settings/Randomize List")).toInt(), 1);
        QCOMPARE(raw.value(QStringLiteral("Settings/Auto")).toString(), QStringLiteral("José"));
        QVERIFY(raw.contains(QStringLiteral("Window/Geometry")));
    }

    void anotherCopySeesAChange()
    {
        CAppSettings first;
        CAppSettings second;
        QCOMPARE(second.Rate(), 2);
        QVERIFY(first.SetRate(0));
        QCOMPARE(second.Rate(), 0);
    }

    void recentFilesKeepFourWithoutGaps()
    {
        CAppSettings settings;
        const QStringList five = {"/a.orthex", "/b.orthex", "/c.orthex", "/d.orthex", "/e.orthex"};
        QVERIFY(settings.SetRecentFiles(five));
        QCOMPARE(settings.RecentFiles(), five.mid(0, 4));
        QVERIFY(settings.SetRecentFiles({"/b.orthex"}));
        QCOMPARE(settings.RecentFiles(), QStringList{"/b.orthex"});
        QSettings raw(TestSettings::StorePath(), QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("Recent File List/File1")).toString(), QStringLiteral("/b.orthex"));
        QVERIFY(!raw.contains(QStringLiteral("Recent File List/File2")));
    }

    void aStoreThatCannotBeWrittenReportsFailure()
    {
        // A plain file where the store's folder belongs: no account, not even root, can write.
        const QString folder = QFileInfo(TestSettings::StorePath()).absolutePath();
        QDir(folder).removeRecursively();
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        {
            CAppSettings settings;
            QVERIFY(!settings.SetRate(1));
            QVERIFY(!settings.SetAutoLogInName(QStringLiteral("anna")));
            QCOMPARE(settings.Rate(), 2);
        }
        QFile::remove(folder);
    }
};

ORTHEX_TEST_MAIN(AppSettingsTest)
#include "appsettings_test.moc"
