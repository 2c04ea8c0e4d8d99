// Two accounts of a classroom computer sharing one user folder. Runs as root and switches to
// the account "nobody" for the second copy of Orthex (and to two bare user ids for the teacher
// password); skipped where that cannot be done.
#include "users/resultfiles.h"
#include "users/teacherpassword.h"
#include "users/userfile.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
std::unique_ptr<CUser> makeUser(const QString& name)
{
    auto user = std::make_unique<CUser>();
    user->SetName(name);
    user->SetPassword(QStringLiteral(" "));
    return user;
}
}  // namespace

class SharedFolderTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_runuser;

    QString folder() const { return m_dir->path(); }

    // Runs the helper as nobody; returns its exit code (-1 when it did not end normally).
    int asNobody(const QStringList& args, QByteArray* err = nullptr)
    {
        QProcess process;
        process.start(m_runuser, QStringList{QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"),
                                             QStringLiteral(ORTHEX_USERS_HELPER)} + args);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        if (err)
            *err = process.readAllStandardError();
        return process.exitCode();
    }

    // Runs a program under a bare user id (its group too, no other groups): its exit code, -1
    // when it did not end normally; what it printed goes to out.
    static int asUid(uint uid, const QString& program, const QStringList& args, QByteArray* out = nullptr)
    {
        QProcess process;
        const QString id = QString::number(uid);
        const QStringList ids{QStringLiteral("--reuid=") + id, QStringLiteral("--regid=") + id,
                              QStringLiteral("--clear-groups"), QStringLiteral("--"), program};
        process.start(QStringLiteral("setpriv"), ids + args);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        if (out)
            *out = process.readAllStandardOutput().trimmed();
        return process.exitCode();
    }

    QStringList names()
    {
        CUserFile file(folder());
        file.SetWaiting(1, 0);
        file.OpenUserFile();
        file.LoadUsers();
        return file.Names();
    }

    void addAsRoot(const QString& name)
    {
        CUserFile file(folder());
        file.OpenUserFile();
        file.LoadUsers();
        file.Users().AddTail(makeUser(name));
        QVERIFY(file.SaveUsers());
    }

    void saveResultsAsRoot(const QString& name)
    {
        CRecordList<CGrade> grades;
        grades.AddTail(std::make_unique<CGrade>());
        CRecordList<CMissed> missed;
        CRecordList<CVocabulary> vocabulary;
        QVERIFY(CResultFiles(folder()).Save(name, {grades, missed, vocabulary}));
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (::geteuid() != 0)
            QSKIP("switching to a second account needs root");
        m_runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"));
        if (m_runuser.isEmpty())
            m_runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
        if (m_runuser.isEmpty())
            QSKIP("runuser is not installed");
        QProcess probe;
        probe.start(m_runuser, {QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"),
                                QStringLiteral(ORTHEX_USERS_HELPER)});
        if (!probe.waitForFinished(60000) || probe.exitCode() != 2)
            QSKIP("the account nobody cannot run the test helper here");
    }

    void init()
    {
        // Not under the test environment's private folder: the other account must reach it.
        m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/orthex-sharedXXXXXX"));
        QVERIFY(m_dir->isValid());
    }

    void filesInASharedFolderCanBeWrittenByEveryAccount()
    {
        QCOMPARE(::chmod(QFile::encodeName(folder()).constData(), 0777), 0);
        CRecordingMessageSink sink;
        addAsRoot(QStringLiteral("Rita"));
        saveResultsAsRoot(QStringLiteral("Rita"));
        QCOMPARE(TestFiles::ModeOf(folder() + QStringLiteral("/Orthex.lgn")) & 022, 022);
        for (const char* extension : {".sp3", ".sp4", ".sp5"})
            QCOMPARE(TestFiles::ModeOf(folder() + QStringLiteral("/Rita") + QLatin1String(extension)) & 022, 022);

        // The second account adds a user to root's file and writes results of its own.
        QCOMPARE(asNobody({QStringLiteral("adduser"), folder(), QStringLiteral("Nora")}), 0);
        QCOMPARE(names(), (QStringList{QStringLiteral("Rita"), QStringLiteral("Nora")}));
        QCOMPARE(TestFiles::ModeOf(folder() + QStringLiteral("/Orthex.lgn")) & 022, 022);  // kept by the replacement
        QCOMPARE(asNobody({QStringLiteral("saveresults"), folder(), QStringLiteral("Nora"), QStringLiteral("3")}), 0);
        QCOMPARE(TestFiles::ModeOf(folder() + QStringLiteral("/Nora.sp3")) & 022, 022);

        // And root goes on with the file the other account wrote.
        addAsRoot(QStringLiteral("Sam"));
        QCOMPARE(asNobody({QStringLiteral("adduser"), folder(), QStringLiteral("Otto")}), 0);
        QCOMPARE(names(), (QStringList{QStringLiteral("Rita"), QStringLiteral("Nora"), QStringLiteral("Sam"), QStringLiteral("Otto")}));
        QVERIFY(sink.Texts().isEmpty());
    }

    // One account per pupil: the user folder must be writable by every pupil (each one replaces
    // files another wrote), so the folder's Orthex.teacher is anybody's to remove. The
    // administrator's file in the system folder is not, and the gate asks for it alone.
    void anAdministratorsTeacherPasswordHoldsForEveryPupil()
    {
        const uint pupils[] = {65534, 65533};
        const QString helper = QStringLiteral(ORTHEX_USERS_HELPER);
        if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("setpriv is not installed, so no second user id can be had");
        if (asUid(pupils[1], helper, {}) != 2)
            QSKIP("a bare user id cannot run the test helper here");
        QTemporaryDir system(QDir::tempPath() + QStringLiteral("/orthex-systemXXXXXX"));
        QVERIFY(system.isValid());
        const QString adminFile = CTeacherPassword::PathIn(system.path());
        QVERIFY(TestFiles::Write(adminFile, CTeacherPassword::Line(QStringLiteral("Eule 7"), "salt", 1000)));
        QCOMPARE(::chmod(QFile::encodeName(system.path()).constData(), 0755), 0);
        QCOMPARE(::chmod(QFile::encodeName(adminFile).constData(), 0644), 0);
        QCOMPARE(::chmod(QFile::encodeName(folder()).constData(), 0777), 0);
        // The pupils' copies inherit the place.
        qputenv("ORTHEX_SYSTEM_CONFIG_DIR", QFile::encodeName(system.path()));
        const auto unset = qScopeGuard([] { qunsetenv("ORTHEX_SYSTEM_CONFIG_DIR"); });
        const QString folderFile = CTeacherPassword::PathIn(folder());

        // Each pupil adds a user and writes results over those the other wrote first.
        for (uint pupil : pupils) {
            QCOMPARE(asUid(pupil, helper, {QStringLiteral("adduser"), folder(), QString::number(pupil)}), 0);
            QCOMPARE(asUid(pupil, helper, {QStringLiteral("saveresults"), folder(), QStringLiteral("Nora"), QStringLiteral("3")}),
                     0);
        }
        QCOMPARE(names(), (QStringList{QStringLiteral("65534"), QStringLiteral("65533")}));

        // A pupil's own Orthex.teacher in the user folder changes nothing, and either pupil may
        // remove it; neither can remove, replace or change the administrator's.
        QVERIFY(TestFiles::Write(folderFile, CTeacherPassword::Line(QStringLiteral("mine"), "salt", 1000)));
        for (uint pupil : pupils) {
            QByteArray out;
            const QString teacher = QStringLiteral("teacher");
            QCOMPARE(asUid(pupil, helper, {teacher, folder(), QStringLiteral("mine")}, &out), 0);
            QCOMPARE(out, QByteArray("set system-wide nomatch"));
            QCOMPARE(asUid(pupil, helper, {teacher, folder(), QStringLiteral("Eule 7")}, &out), 0);
            QCOMPARE(out, QByteArray("set system-wide match"));
            QVERIFY(asUid(pupil, QStringLiteral("rm"), {QStringLiteral("-f"), adminFile}) != 0);
            QVERIFY(asUid(pupil, QStringLiteral("mv"), {QStringLiteral("-f"), folderFile, adminFile}) != 0);
            QVERIFY(asUid(pupil, QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral(": > \"$0\""), adminFile}) != 0);
        }
        QCOMPARE(asUid(pupils[1], QStringLiteral("rm"), {folderFile}), 0);
        QVERIFY(!QFileInfo::exists(folderFile));
        QByteArray out;
        QCOMPARE(asUid(pupils[1], helper, {QStringLiteral("teacher"), folder(), QString()}, &out), 0);
        QCOMPARE(out, QByteArray("set system-wide nomatch"));
        QCOMPARE(TestFiles::Read(adminFile), CTeacherPassword::Line(QStringLiteral("Eule 7"), "salt", 1000));
    }

    // A folder another account may only read: the user file cannot be taken and the result
    // files cannot be written; both say so and name the file.
    void aFolderReadOnlyForTheOtherAccount()
    {
        QCOMPARE(::chmod(QFile::encodeName(folder()).constData(), 0755), 0);
        addAsRoot(QStringLiteral("Rita"));
        saveResultsAsRoot(QStringLiteral("Nora"));
        const QByteArray before = [&] {
            QFile f(folder() + QStringLiteral("/Nora.sp3"));
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();

        QByteArray err;
        QCOMPARE(asNobody({QStringLiteral("adduser"), folder(), QStringLiteral("Nora")}, &err), 1);
        QVERIFY2(err.contains(QFile::encodeName(folder() + QStringLiteral("/Orthex.lgn"))), err.constData());
        QCOMPARE(names(), QStringList{QStringLiteral("Rita")});

        QCOMPARE(asNobody({QStringLiteral("saveresults"), folder(), QStringLiteral("Nora"), QStringLiteral("3")}, &err), 1);
        QVERIFY2(err.contains(QFile::encodeName(folder() + QStringLiteral("/Nora.sp3"))), err.constData());
        QVERIFY(err.contains(qt_error_string(EACCES).toLocal8Bit()));
        QFile after(folder() + QStringLiteral("/Nora.sp3"));
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), before);
    }
};

ORTHEX_TEST_MAIN(SharedFolderTest)
#include "sharedfolder_test.moc"
