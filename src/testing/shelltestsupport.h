#pragma once

// Helpers shared by the shell's tests: real list files in the test's temporary folder, and a
// user session whose log-in runs are functions of the test.

#include "document/orthexdoc.h"
#include "document/usersession.h"
#include "testing/testlists.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace ShellTest {

// A list file named name in the temporary folder, holding the words with the creator.
inline QString MakeList(const QString& name, const QString& creator, const QStringList& words)
{
    return TestLists::MakeInRoot(name, TestLists::Numbered(words, creator));
}

// Logs in whoever the functions say; keeps no results.
class CScriptedSession : public IUserSession
{
public:
    std::function<QString()> atStart = [] { return QString(); };
    std::function<QString()> again = [] { return QString(); };

    QString LogInAtStart() override { return atStart(); }
    QString LogInAgain() override { return again(); }
    bool LoadResults(COrthexDoc&) override { return true; }
    bool SaveResults(COrthexDoc&) override { return true; }
};

inline std::unique_ptr<COrthexDoc> MakeDocument(const QString& user)
{
    auto session = std::make_unique<CScriptedSession>();
    session->atStart = [user] { return user; };
    return std::make_unique<COrthexDoc>(std::move(session));
}

}  // namespace ShellTest
