// A second copy of Orthex for the tests of the user file and the result files: it holds, writes
// and replaces files from another process, and can be killed in the middle of a write.
#include "base/exclusivefile.h"
#include "users/resultfiles.h"
#include "users/teacherpassword.h"
#include "users/userfile.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThread>

#include <cstdio>
#include <iostream>
#include <string>

namespace {
void say(const char* text)
{
    std::printf("%s\n", text);
    std::fflush(stdout);
}

void waitForRelease()
{
    std::string line;
    while (std::getline(std::cin, line) && line != "release") {
    }
}

// lock PATH: holds the file until standard input ends or says "release".
int lock(const QStringList& args)
{
    if (args.size() != 1)
        return 2;
    CExclusiveFile file;
    if (file.TryOpen(args.at(0), true) != CExclusiveFile::EOpen::Opened) {
        std::fprintf(stderr, "cannot lock: %s\n", qPrintable(file.ErrorString()));
        return 1;
    }
    say("locked");
    waitForRelease();
    return 0;
}

// holdusers FOLDER DELAY_MS NAME...: holds the user file of FOLDER, then after DELAY_MS (or,
// for -1, when told to release) adds the names as users with blank passwords, writes and ends.
int holdUsers(const QStringList& args)
{
    if (args.size() < 2)
        return 2;
    CUserFile file(args.at(0));
    file.SetWaiting(1, 0);
    file.OpenUserFile();
    if (!file.IsOpen())
        return 1;
    file.LoadUsers();
    say("locked");
    const int delay = args.at(1).toInt();
    if (delay < 0)
        waitForRelease();
    else
        QThread::msleep(static_cast<unsigned long>(delay));
    for (const QString& name : args.mid(2)) {
        auto user = std::make_unique<CUser>();
        user->SetName(name);
        user->SetPassword(QStringLiteral(" "));
        file.Users().AddTail(std::move(user));
    }
    return file.SaveUsers() ? 0 : 1;
}

// adduser FOLDER NAME: one try at the user file; adds NAME with a blank password.
int addUser(const QStringList& args)
{
    return args.size() == 2 ? holdUsers({args.at(0), QStringLiteral("0"), args.at(1)}) : 2;
}

CRecordList<CGrade> grades(int count)
{
    CRecordList<CGrade> list;
    for (int i = 0; i < count; ++i) {
        auto grade = std::make_unique<CGrade>();
        grade->SetListName(QStringLiteral("Week %1 of the spelling lists").arg(i));
        grade->SetDateText(QStringLiteral("12/08/26, 03:10 AM"));
        grade->SetCorrectCount(i);
        grade->SetWordCount(count);
        list.AddTail(std::move(grade));
    }
    return list;
}

// saveresults FOLDER USER COUNT: writes USER's three result files once, COUNT grades.
// saveloop FOLDER USER COUNT: writes them again and again, COUNT and COUNT + 1 grades in turn,
// until killed; says "saved" once the first save is whole.
int saveResults(const QStringList& args, bool loop)
{
    if (args.size() != 3)
        return 2;
    CResultFiles files(args.at(0));
    const int count = args.at(2).toInt();
    CRecordList<CGrade> lists[2] = {grades(count), grades(count + 1)};
    CRecordList<CMissed> missed;
    CRecordList<CVocabulary> vocabulary;
    if (!loop)
        return files.Save(args.at(1), {lists[0], missed, vocabulary}) ? 0 : 1;
    say("saving");
    for (unsigned round = 0;; ++round) {
        if (!files.Save(args.at(1), {lists[round % 2], missed, vocabulary}))
            return 1;
        if (round == 0)
            say("saved");
    }
}
// teacher FOLDER PASSWORD: how the teacher password of FOLDER stands for this account, as
// "set" or "none", "system-wide" or "folder", "match" or "nomatch".
int teacher(const QStringList& args)
{
    if (args.size() != 2)
        return 2;
    const CTeacherPassword password(args.at(0));
    std::printf("%s %s %s\n", password.IsSet() ? "set" : "none", password.IsSystemWide() ? "system-wide" : "folder",
                password.Matches(args.at(1)) ? "match" : "nomatch");
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return 2;
    const QString command = args.takeFirst();
    if (command == QLatin1String("lock"))
        return lock(args);
    if (command == QLatin1String("holdusers"))
        return holdUsers(args);
    if (command == QLatin1String("adduser"))
        return addUser(args);
    if (command == QLatin1String("saveresults"))
        return saveResults(args, false);
    if (command == QLatin1String("saveloop"))
        return saveResults(args, true);
    if (command == QLatin1String("teacher"))
        return teacher(args);
    return 2;
}
