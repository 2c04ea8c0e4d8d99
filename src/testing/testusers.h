#pragma once

// User information files for tests: written through the program's own user file, and read back
// without taking the file.

#include "users/userfile.h"

#include <QFile>
#include <QList>
#include <QPair>
#include <QString>
#include <QTest>

#include <memory>

namespace TestUsers {
using SUserList = QList<QPair<QString, QString>>;  // name, stored password

// A user information file in the folder holding the users, in that order.
inline void Write(const QString& folder, const SUserList& users)
{
    CUserFile file(folder);
    file.OpenUserFile();
    for (const auto& u : users) {
        auto user = std::make_unique<CUser>();
        user->SetName(u.first);
        user->SetPassword(u.second);
        file.Users().AddTail(std::move(user));
    }
    QVERIFY(file.SaveUsers());
}

// The users in the file, read without taking the file (so it works while a dialog holds it).
inline SUserList Read(const QString& folder)
{
    QFile file(CUserFile::PathIn(folder));
    if (!file.open(QIODevice::ReadOnly))
        return {{QStringLiteral("<no file>"), QString()}};
    CRecordList<CUser> users;
    const QByteArray bytes = file.readAll();
    if (!bytes.isEmpty())
        CUserFile::Load(bytes, users);
    SUserList list;
    for (const CUser& user : users)
        list.append({user.GetName(), user.GetPassword()});
    return list;
}
}  // namespace TestUsers
