#include "base/appfolders.h"
#include "base/appsettings.h"
#include "testing/testenvironment.h"
#include "testing/testsettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QtTest>

#include <sys/stat.h>

class AppFoldersTest : public QObject
{
    Q_OBJECT

private:
    QString root() const { return CTestEnvironment::Instance().Root(); }

private Q_SLOTS:
    void init()
    {
        QFile::remove(TestSettings::StorePath());
        QDir(CTestEnvironment::Instance().SharedDocuments() + QStringLiteral("/Orthex")).removeRecursively();
        QDir(CTestEnvironment::Instance().Documents() + QStringLiteral("/Orthex")).removeRecursively();
    }

    void defaultUserFolderIsCreatedUnderSharedDocuments()
    {
        CAppSettings settings;
        CAppFolders folders(settings);
        const QString expected = CTestEnvironment::Instance().SharedDocuments() + QStringLiteral("/Orthex");
        QCOMPARE(folders.GetDefaultUserFolder(), expected);
        QVERIFY(QFileInfo(expected).isDir());
        QVERIFY2(!QFileInfo::exists(TestSettings::StorePath()), "the default is not written to the store");
        QVERIFY(folders.UserFolder().isEmpty());  // reading does not change the user folder
    }

    void defaultSaveFolderIsCreatedUnderPersonalDocuments()
    {
        CAppSettings settings;
        CAppFolders folders(settings);
        const QString expected = CTestEnvironment::Instance().Documents() + QStringLiteral("/Orthex");
        QCOMPARE(folders.GetSaveFolder(), expected);
        QVERIFY(QFileInfo(expected).isDir());
        QVERIFY(!QFileInfo::exists(TestSettings::StorePath()));
    }

    void aStoredFolderIsUsedUnchangedAndNotCreated()
    {
        CAppSettings settings;
        CAppFolders folders(settings);
        const QString missing = root() + QStringLiteral("/nowhere/users");
        QVERIFY(folders.SetDefaultUserFolder(missing));
        QCOMPARE(folders.UserFolder(), missing);
        QCOMPARE(folders.GetDefaultUserFolder(), missing);
        QVERIFY(!QFileInfo::exists(missing));
    }

    void setSaveFolderLeavesTheUserFolderAlone()
    {
        CAppSettings settings;
        CAppFolders folders(settings);
        folders.SetUserFolder(QStringLiteral("/users"));
        QVERIFY(folders.SetSaveFolder(root() + QStringLiteral("/lists")));
        QCOMPARE(folders.UserFolder(), QStringLiteral("/users"));
        QCOMPARE(folders.GetSaveFolder(), root() + QStringLiteral("/lists"));
        QCOMPARE(settings.DefaultUserFolderValue(), QString());
    }

    void recordingFolderEndsInASlashAndIsNotCreated()
    {
        const QString expected = CTestEnvironment::Instance().SharedDocuments() + QStringLiteral("/Orthex/");
        QCOMPARE(CAppFolders::GetRecordingFolder(), expected);
        QVERIFY(!QFileInfo::exists(expected));
    }

    void createFolderPath_data()
    {
        QTest::addColumn<QString>("existing");  // relative to the temporary root; created first
        QTest::addColumn<QString>("path");      // relative to the temporary root
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("created");
        QTest::newRow("nested levels") << "A" << "A/B/C" << true << QStringList{"A/B", "A/B/C"};
        QTest::newRow("trailing slash") << "" << "X/Y/" << true << QStringList{"X", "X/Y"};
        QTest::newRow("already there") << "E/F" << "E/F" << true << QStringList{};
        QTest::newRow("doubled separator") << "" << "P//Q" << true << QStringList{"P", "P/Q"};
    }

    void createFolderPath()
    {
        QFETCH(QString, existing);
        QFETCH(QString, path);
        QFETCH(bool, result);
        QFETCH(QStringList, created);
        QTemporaryDir base(root() + QStringLiteral("/cfp-XXXXXX"));
        if (!existing.isEmpty())
            QVERIFY(QDir(base.path()).mkpath(existing));
        for (const QString& level : created)
            QVERIFY(!QFileInfo::exists(base.filePath(level)));
        QCOMPARE(CAppFolders::CreateFolderPath(base.filePath(path)), result);
        for (const QString& level : created)
            QVERIFY2(QFileInfo(base.filePath(level)).isDir(), qPrintable(level));
    }

    void createFolderPathOnlyARootCreatesNothing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("slash") << "/";
        QTest::newRow("empty") << "";
    }

    void createFolderPathOnlyARootCreatesNothing()
    {
        QFETCH(QString, path);
        QVERIFY(!CAppFolders::CreateFolderPath(path));
    }

    void createFolderPathUnderAFileFails()
    {
        QTemporaryDir base(root() + QStringLiteral("/cfp-XXXXXX"));
        QFile file(base.filePath(QStringLiteral("plain")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(!CAppFolders::CreateFolderPath(base.filePath(QStringLiteral("plain/sub/deeper"))));
        QVERIFY(!CAppFolders::CreateFolderPath(base.filePath(QStringLiteral("plain"))));
    }

    void createdLevelsShareTheParentsWritePermission()
    {
        QTemporaryDir base(root() + QStringLiteral("/cfp-XXXXXX"));
        QVERIFY(::chmod(QFile::encodeName(base.path()).constData(), 0777) == 0);
        QVERIFY(CAppFolders::CreateFolderPath(base.filePath(QStringLiteral("class/room"))));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(base.filePath(QStringLiteral("class"))).constData(), &st) == 0);
        QVERIFY((st.st_mode & 0022) == 0022);
        QVERIFY(::stat(QFile::encodeName(base.filePath(QStringLiteral("class/room"))).constData(), &st) == 0);
        QVERIFY((st.st_mode & 0022) == 0022);

        QTemporaryDir privateBase(root() + QStringLiteral("/cfp-XXXXXX"));
        QVERIFY(::chmod(QFile::encodeName(privateBase.path()).constData(), 0700) == 0);
        QVERIFY(CAppFolders::CreateFolderPath(privateBase.filePath(QStringLiteral("mine"))));
        QVERIFY(::stat(QFile::encodeName(privateBase.filePath(QStringLiteral("mine"))).constData(), &st) == 0);
        QVERIFY((st.st_mode & 0022) == 0);
    }

    void autoLogInName()
    {
        CAppSettings settings;
        CAppFolders folders(settings);
        QCOMPARE(folders.GetAutoLogInName(), QString());
        QVERIFY(folders.SetAutoLogInName(QStringLiteral("anna")));
        QCOMPARE(folders.GetAutoLogInName(), QStringLiteral("anna"));
        QVERIFY(folders.SetAutoLogInName(QString()));
        QCOMPARE(folders.GetAutoLogInName(), QString());
    }
};

ORTHEX_TEST_MAIN(AppFoldersTest)
#include "appfolders_test.moc"
