#pragma once

// A user folder of a class for tests and benchmarks: the user information file and each pupil's
// result files, written by the program's own code.

#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "testing/testrecords.h"
#include "testing/testusers.h"
#include "users/resultfiles.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace TestClass {
struct SPupil {
    QString name;
    QStringList grades;  // "list|date|correct|words", newest first
    QStringList missed;  // "list|date|word|misspelling", newest first
};

// The pupils become the users of the folder, in that order; a pupil without grades and
// misspelled words gets no result files.
inline void Write(const QString& folder, const QList<SPupil>& pupils)
{
    TestUsers::SUserList users;
    for (const SPupil& pupil : pupils)
        users.append({pupil.name, QStringLiteral(" ")});
    TestUsers::Write(folder, users);
    CResultFiles files(folder);
    for (const SPupil& pupil : pupils) {
        if (pupil.grades.isEmpty() && pupil.missed.isEmpty())
            continue;
        CRecordList<CGrade> grades = TestRecords::Grades(pupil.grades);
        CRecordList<CMissed> missed = TestRecords::Missed(pupil.missed);
        CRecordList<CVocabulary> vocabulary;
        QVERIFY(files.Save(pupil.name, {grades, missed, vocabulary}));
    }
}

// A fresh user folder of that name in the test's temporary folder holding a class: Ann with seven
// tests of "Week 1" and "Week 2" (repeated and stopped ones among them), Ben with a test without
// words, Cleo without any results, and dora whose misspelled words are damaged (cut off).
inline QString WriteExample(const QString& name)
{
    const QString folder = TestFiles::InRoot(name);
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const QString date = QStringLiteral("12/08/26, 03:10 AM");
    const auto grade = [&](const char* list, int correct) {
        return QStringLiteral("%1|%2|%3|10").arg(QString::fromUtf8(list), date).arg(correct);
    };
    const auto missed = [&](const char* list, const char* word, const char* misspelling) {
        return QStringList{QString::fromUtf8(list), date, QString::fromUtf8(word), QString::fromUtf8(misspelling)}.join(
            QLatin1Char('|'));
    };
    Write(folder, {
                      {QStringLiteral("dora"), {grade("Week 1", 9)}, {missed("Week 1", "field", "feld")}},
                      {QStringLiteral("Ben"),
                       {QStringLiteral("Week 2|%1|3|4").arg(date), QStringLiteral("Week 2|%1|0|0").arg(date)},
                       {missed("Week 2", "believe", "beleive"), missed("Week 2", "Monday", "monday")}},
                      {QStringLiteral("Cleo"), {}, {}},
                      {QStringLiteral("Ann"),
                       {grade("Week 1", 10), grade("Week 2--Repeat", 9), grade("Week 1--Stopped Test", 8),
                        grade("Week 2", 7), grade("Week 1--Repeat, Stopped", 6), grade("Week 1", 5),
                        grade("Week 2", 4)},
                       {missed("Week 1", "believe", "beleive"), missed("Week 1", "receive", "recieve"),
                        missed("Week 2--Repeat", "believe", "beleive")}},
                  });
    const QString sp4 = CResultFiles::PathOf(folder, QStringLiteral("dora"), EResultKind::Missed);
    const QByteArray bytes = TestFiles::Read(sp4);
    TestFiles::Write(sp4, bytes.left(bytes.size() - 3));
    return folder;
}
}  // namespace TestClass
