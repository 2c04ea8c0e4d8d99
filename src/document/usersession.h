#pragma once

#include <QString>

class COrthexDoc;

// Who is logged in and where their results live: the log-in runs of the application and the
// per-user result files. The document asks it at construction, at "Log In as a Different User"
// and at destruction.
class IUserSession
{
public:
    virtual ~IUserSession() = default;
    // The user to log in with at start (automatic log-in or the log-in dialog); empty: nobody.
    virtual QString LogInAtStart() = 0;
    // The user chosen in the log-in dialog; empty when it was cancelled.
    virtual QString LogInAgain() = 0;
    // Reads the results of doc.CurrentUser() into the document's three lists (appending);
    // does nothing and returns true when nobody is logged in.
    virtual bool LoadResults(COrthexDoc& doc) = 0;
    // Writes the three lists when a user is logged in and the document's results changed;
    // otherwise does nothing and returns true.
    virtual bool SaveResults(COrthexDoc& doc) = 0;
};

// Nobody ever logs in and no results are kept.
class CNoUserSession : public IUserSession
{
public:
    QString LogInAtStart() override { return QString(); }
    QString LogInAgain() override { return QString(); }
    bool LoadResults(COrthexDoc&) override { return true; }
    bool SaveResults(COrthexDoc&) override { return true; }
};
