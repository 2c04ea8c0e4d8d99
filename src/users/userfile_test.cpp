#include "users/userfile.h"
#include "base/boundedfile.h"
#include "users/resultfiles.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Counts what the user would see of the waiting.
class CRecordingWaiter : public IUserFileWaiter
{
public:
    void BeginWaiting() override { ++begun; }
    void Pause(int milliseconds) override
    {
        ++pauses;
        lastPause = milliseconds;
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    }
    void EndWaiting() override { ++ended; }
    int begun = 0;
    int pauses = 0;
    int ended = 0;
    int lastPause = -1;
};

std::unique_ptr<CUser> makeUser(const QString& name, const QString& password)
{
    auto user = std::make_unique<CUser>();
    user->SetName(name);
    user->SetPassword(password);
    return user;
}

QByteArray utf16Text(const QString& stored)
{
    QByteArray bytes("\xFF\xFE\xFF", 3);
    bytes.append(char(stored.size()));
    for (const QChar c : stored) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}
}  // namespace

class UserFileTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder() const { return m_dir->path(); }
    QString path() const { return folder() + QStringLiteral("/Orthex.lgn"); }

    // Writes the users through one dialog's file and reads them back through another's.
    QList<CUser> roundTrip(const QList<QPair<QString, QString>>& users)
    {
        {
            CUserFile file(folder());
            file.OpenUserFile();
            file.LoadUsers();
            for (const auto& user : users)
                file.Users().AddTail(makeUser(user.first, user.second));
            if (!file.SaveUsers())
                return {};
        }
        CUserFile file(folder());
        file.OpenUserFile();
        file.LoadUsers();
        QList<CUser> read;
        for (const CUser& user : file.Users())
            read.append(user);
        return read;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(CTestEnvironment::Instance().Root() + QStringLiteral("/usersXXXXXX"));
        QVERIFY(m_dir->isValid());
    }

    void theExampleFileIs29Bytes()
    {
        CUserFile file(folder());
        file.OpenUserFile();
        QVERIFY(file.IsOpen());
        QVERIFY(!file.LoadUsers());  // created empty
        file.Users().AddTail(makeUser(QStringLiteral("Bob"), QStringLiteral(" ")));
        QVERIFY(file.SaveUsers());
        const QByteArray expected = QByteArray("\x01\x00", 2) + QByteArray("\xFF\xFF\x00\x00\x05\x00", 6) + "CUser"
                                    + QByteArray("\xFF\xFE\xFF\x03\x6D\x00\x9A\xFF\x8D\xFF", 10)
                                    + QByteArray("\xFF\xFE\xFF\x01\x4B\x00", 6);
        QCOMPARE(TestFiles::Read(path()).size(), 29);
        QCOMPARE(TestFiles::Read(path()), expected);
    }

    void usersRoundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::newRow("ascii") << QStringLiteral("anna") << QStringLiteral("secret");
        QTest::newRow("blank password as a space") << QStringLiteral("Bob") << QStringLiteral(" ");
        QTest::newRow("empty password") << QStringLiteral("Carl") << QString();
        QTest::newRow("spaces count") << QStringLiteral(" Dee ") << QStringLiteral("  two  ");
        QTest::newRow("e acute") << QStringLiteral("Jos\u00e9") << QStringLiteral("caf\u00e9");
        QTest::newRow("L stroke") << QStringLiteral("\u0141ucja") << QStringLiteral("\u017c\u00f3\u0142w");
        QTest::newRow("CJK") << QStringLiteral("\u738b\u5c0f\u660e") << QStringLiteral("\u5bc6\u7801");
        QTest::newRow("stored as an embedded zero") << QStringLiteral("\u00d5tto") << QStringLiteral("\u00d5");
    }
    void usersRoundTrip()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        const QList<CUser> read = roundTrip({{name, password}});
        QCOMPARE(read.size(), 1);
        QCOMPARE(read.at(0).GetName(), name);
        QCOMPARE(read.at(0).GetPassword(), password);
    }

    void annaAndAnnaAreTwoUsersInTheOrderAdded()
    {
        const QList<CUser> read = roundTrip({{QStringLiteral("anna"), QStringLiteral("a")},
                                             {QStringLiteral("Anna"), QStringLiteral("b")},
                                             {QStringLiteral("Zoe"), QStringLiteral(" ")},
                                             {QStringLiteral("Al"), QStringLiteral(" ")}});
        QCOMPARE(read.size(), 4);
        CUserFile file(folder());
        file.OpenUserFile();
        file.LoadUsers();
        QCOMPARE(file.Names(), (QStringList{QStringLiteral("anna"), QStringLiteral("Anna"), QStringLiteral("Zoe"), QStringLiteral("Al")}));
        QCOMPARE(file.FindUser(QStringLiteral("Anna"))->GetPassword(), QStringLiteral("b"));
        QCOMPARE(file.FindUser(QStringLiteral("anna"))->GetPassword(), QStringLiteral("a"));
        QVERIFY(!file.FindUser(QStringLiteral("ANNA")));
        QVERIFY(!file.FindUser(QStringLiteral("anna ")));
    }

    void aFileOfTheOldFormatKeepsAccents()
    {
        // Written by the old scrambling: é (0xE9) was stored as the unit 0x0014.
        const QString storedName = QString(QChar(0x75)) + QChar(0xFF9A) + QChar(0xFF9E) + QChar(0x14);
        QVERIFY(TestFiles::Write(path(), QByteArray("\x01\x00\xFF\xFF\x00\x00\x05\x00", 8) + "CUser"
                                             + utf16Text(storedName) + utf16Text(QString(QChar(0x4B)))));
        CUserFile file(folder());
        file.OpenUserFile();
        QVERIFY(file.LoadUsers());
        QCOMPARE(file.Names(), QStringList{QStringLiteral("Jos\u00e9")});
        QVERIFY(CUserFile::PasswordMatches(file.Users().at(0), QString()));
    }

    void passwords_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("matches");
        QTest::newRow("blank, typed empty") << QStringLiteral(" ") << QString() << true;
        QTest::newRow("blank, typed a space") << QStringLiteral(" ") << QStringLiteral(" ") << false;
        QTest::newRow("empty, typed empty") << QString() << QString() << true;
        QTest::newRow("exact") << QStringLiteral("Pass") << QStringLiteral("Pass") << true;
        QTest::newRow("case counts") << QStringLiteral("Pass") << QStringLiteral("pass") << false;
        QTest::newRow("spaces count") << QStringLiteral("Pass") << QStringLiteral("Pass ") << false;
        QTest::newRow("two spaces are not blank") << QStringLiteral("  ") << QString() << false;
    }
    void passwords()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, matches);
        CUser user;
        user.SetPassword(stored);
        QCOMPARE(CUserFile::PasswordMatches(user, typed), matches);
    }

    void emptyAndMissingFilesGiveNoUsers_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing") << false;
        QTest::newRow("empty") << true;
    }
    void emptyAndMissingFilesGiveNoUsers()
    {
        QFETCH(bool, exists);
        if (exists)
            QVERIFY(TestFiles::Write(path(), QByteArray()));
        CRecordingWaiter waiter;
        CUserFile file(folder());
        file.SetWaiter(&waiter);
        file.OpenUserFile();
        QVERIFY(file.IsOpen());
        QVERIFY(!file.LoadUsers());
        QVERIFY(file.Users().isEmpty());
        QCOMPARE(TestFiles::Read(path()), QByteArray());  // a missing file is created, empty
        // The wait dialog shows whenever the file exists, even when the first try succeeds.
        QCOMPARE(waiter.begun, exists ? 1 : 0);
        QCOMPARE(waiter.ended, exists ? 1 : 0);
        QCOMPARE(waiter.pauses, 0);
    }

    void anEmptyUserFolderCreatesNothing()
    {
        const QString before = QDir::currentPath();
        QDir::setCurrent(folder());
        CRecordingMessageSink sink;
        CUserFile file{QString()};
        file.OpenUserFile();
        const bool loaded = file.LoadUsers();
        file.Users().AddTail(makeUser(QStringLiteral("anna"), QStringLiteral(" ")));
        const bool saved = file.SaveUsers();
        QDir::setCurrent(before);
        QVERIFY(!file.IsOpen());
        QVERIFY(!loaded);
        QVERIFY(!saved);
        QVERIFY(QDir(folder()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QVERIFY(!QFile::exists(QStringLiteral("/Orthex.lgn")));
        QVERIFY(sink.Texts().isEmpty());
    }

    void aMissingFolderIsReported()
    {
        CRecordingMessageSink sink;
        CRecordingWaiter waiter;
        CUserFile file(folder() + QStringLiteral("/no/such/folder"));
        file.SetWaiter(&waiter);
        file.SetWaiting(5, 1);
        file.OpenUserFile();
        QVERIFY(!file.IsOpen());
        QVERIFY(!file.LoadUsers());
        QVERIFY(!file.SaveUsers());
        QCOMPARE(waiter.pauses, 0);  // not in use, so not worth waiting for
        QCOMPARE(sink.Texts().size(), 1);
        QVERIFY(sink.Texts().at(0).contains(folder() + QStringLiteral("/no/such/folder/Orthex.lgn")));
    }

    void aDamagedFileKeepsWhatWasReadAndIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QString>("reason");
        QTest::newRow("ends early") << QByteArray("\x01\x80\xFF\xFE\xFF\x05\x41\x00", 8) << QStringLiteral("ends");
        QTest::newRow("unknown class") << QByteArray("\xFF\xFF\x00\x00\x05\x00" "CUsrr", 11) << QStringLiteral("CUsrr");
    }
    void aDamagedFileKeepsWhatWasReadAndIsKeptAside()
    {
        QFETCH(QByteArray, tail);
        QFETCH(QString, reason);
        CUserFile writer(folder());
        writer.OpenUserFile();
        writer.Users().AddTail(makeUser(QStringLiteral("anna"), QStringLiteral("pw")));
        QVERIFY(writer.SaveUsers());
        writer.Close();
        QByteArray bytes = TestFiles::Read(path());
        bytes[0] = 2;  // two users, of which the second is damaged
        bytes.append(tail);
        QVERIFY(TestFiles::Write(path(), bytes));

        CRecordingMessageSink sink;
        CUserFile file(folder());
        file.OpenUserFile();
        QVERIFY(file.LoadUsers());
        QVERIFY(file.IsDamaged());
        QCOMPARE(file.Names().first(), QStringLiteral("anna"));
        QCOMPARE(sink.Texts().size(), 1);
        QVERIFY(sink.Texts().at(0).contains(path()));
        QVERIFY2(sink.Texts().at(0).contains(reason, Qt::CaseInsensitive), qPrintable(sink.Texts().at(0)));
        QVERIFY(!QFile::exists(path() + QStringLiteral(".damaged")));  // only when written again
        file.Users().AddTail(makeUser(QStringLiteral("Cleo"), QStringLiteral(" ")));
        QVERIFY(file.SaveUsers());
        QCOMPARE(TestFiles::Read(path() + QStringLiteral(".damaged")), bytes);
        QVERIFY(file.SaveUsers());  // kept aside once
        QVERIFY(!QFile::exists(path() + QStringLiteral(".damaged.2")));
        file.Close();

        CUserFile reread(folder());
        reread.OpenUserFile();
        QVERIFY(reread.LoadUsers());
        QVERIFY(!reread.IsDamaged());
        QCOMPARE(reread.Names().last(), QStringLiteral("Cleo"));
    }

    // A sparse file of 3 GB costs no disk but would take 3 GB to read: refused by its size as
    // damage, and renamed aside whole when the users are written.
    void aFileFarTooLargeIsDamageMovedAsideUnread()
    {
        const qint64 huge = 3LL << 30;
        QVERIFY(TestFiles::Write(path(), QByteArray("\x00\x00", 2)));
        QVERIFY(QFile(path()).resize(huge));
        CRecordingMessageSink sink;
        CUserFile file(folder());
        file.OpenUserFile();
        QVERIFY(file.LoadUsers());
        QVERIFY(file.IsDamaged());
        QVERIFY(file.Names().isEmpty());
        QCOMPARE(sink.Texts().size(), 1);
        QVERIFY(sink.Texts().at(0).contains(path()));
        QVERIFY(sink.Texts().at(0).contains(BoundedFile::TooLargeText(CResultFiles::kMaxFileBytes)));
        file.Users().AddTail(makeUser(QStringLiteral("Cleo"), QStringLiteral(" ")));
        QVERIFY(file.SaveUsers());
        QCOMPARE(QFileInfo(path() + QStringLiteral(".damaged")).size(), huge);
        file.Close();
        CUserFile reread(folder());
        reread.OpenUserFile();
        QVERIFY(reread.LoadUsers());
        QCOMPARE(reread.Names(), QStringList{QStringLiteral("Cleo")});
    }

    void aSecondDamagedCopyTakesANumber()
    {
        QVERIFY(TestFiles::Write(path() + QStringLiteral(".damaged"), "earlier"));
        QVERIFY(TestFiles::Write(path(), QByteArray("\x05\x00", 2)));
        CRecordingMessageSink sink;
        CUserFile file(folder());
        file.OpenUserFile();
        QVERIFY(file.LoadUsers());
        QVERIFY(file.SaveUsers());
        QCOMPARE(TestFiles::Read(path() + QStringLiteral(".damaged")), QByteArray("earlier"));
        QCOMPARE(TestFiles::Read(path() + QStringLiteral(".damaged.2")), QByteArray("\x05\x00", 2));
        QCOMPARE(TestFiles::Read(path()), QByteArray("\x00\x00", 2));
    }

    // The file stays held after a write, so a later change of the same dialog is written too
    // and no other copy gets in between.
    void theFileStaysHeldAfterAWrite()
    {
        CUserFile file(folder());
        file.OpenUserFile();
        file.Users().AddTail(makeUser(QStringLiteral("anna"), QStringLiteral(" ")));
        QVERIFY(file.SaveUsers());
        CUserFile other(folder());
        QCOMPARE(other.OpenOnce(false), CExclusiveFile::EOpen::Locked);
        file.Users().AddTail(makeUser(QStringLiteral("Bob"), QStringLiteral(" ")));
        QVERIFY(file.SaveUsers());
        file.Close();
        QCOMPARE(other.OpenOnce(false), CExclusiveFile::EOpen::Opened);
        QVERIFY(other.LoadUsers());
        QCOMPARE(other.Names(), (QStringList{QStringLiteral("anna"), QStringLiteral("Bob")}));
    }

    void aFileHeldByAnotherCopyIsWaitedFor_data()
    {
        QTest::addColumn<int>("releaseAfterMs");
        QTest::addColumn<bool>("opens");
        QTest::newRow("released within the tries") << 150 << true;
        QTest::newRow("never released") << -1 << false;
    }
    void aFileHeldByAnotherCopyIsWaitedFor()
    {
        QFETCH(int, releaseAfterMs);
        QFETCH(bool, opens);
        QProcess helper;
        helper.start(QStringLiteral(ORTHEX_USERS_HELPER),
                     {QStringLiteral("holdusers"), folder(), QString::number(releaseAfterMs), QStringLiteral("Helen")});
        QVERIFY(helper.waitForReadyRead(20000));
        QCOMPARE(helper.readLine().trimmed(), QByteArray("locked"));

        CRecordingMessageSink sink;
        CRecordingWaiter waiter;
        CUserFile file(folder());
        file.SetWaiter(&waiter);
        file.SetWaiting(opens ? 200 : 4, 25);
        file.OpenUserFile();
        QCOMPARE(file.IsOpen(), opens);
        QCOMPARE(waiter.begun, 1);
        QCOMPARE(waiter.ended, 1);
        QCOMPARE(waiter.lastPause, 25);
        if (opens) {
            QVERIFY(waiter.pauses >= 1);
            QVERIFY(file.LoadUsers());
            QCOMPARE(file.Names(), QStringList{QStringLiteral("Helen")});
            QVERIFY(sink.Texts().isEmpty());
            file.Close();
            CUserFile reader(folder());
            QVERIFY(!reader.NeedsPassword(QStringLiteral("Helen")));  // a blank password
            QVERIFY(helper.waitForFinished(20000));
            QCOMPARE(helper.exitCode(), 0);
        } else {
            QCOMPARE(waiter.pauses, 4);  // a pause after every failed try, the last one too
            QVERIFY(!file.LoadUsers());
            QCOMPARE(sink.Texts().size(), 1);
            QVERIFY(sink.Texts().at(0).contains(QStringLiteral("another copy")));
            // Whether a user has a password cannot be known meanwhile, so it is taken that one has.
            CUserFile reader(folder());
            reader.SetWaiting(2, 5);
            QVERIFY(reader.NeedsPassword(QStringLiteral("Helen")));
            QCOMPARE(sink.Texts().size(), 1);
            helper.write("release\n");
            QVERIFY(helper.waitForFinished(20000));
        }
    }
};

ORTHEX_TEST_MAIN(UserFileTest)
#include "userfile_test.moc"
