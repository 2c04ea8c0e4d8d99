#pragma once

#include "users/resultfiles.h"

#include <map>
#include <memory>

class CResultLists;

// When and what the result files of the logged-in user are read and written, for the document:
// nothing for nobody, and writing only when the results changed. Results that could not be
// written are not lost when the lists are emptied for another user: a copy is kept and written
// again at every later save, and given back if that user logs in again before it was written.
class CUserResults
{
public:
    explicit CUserResults(const QString& userFolder = QString());
    ~CUserResults();
    CUserResults(const CUserResults&) = delete;
    CUserResults& operator=(const CUserResults&) = delete;

    QString UserFolder() const { return m_files.UserFolder(); }
    void SetUserFolder(const QString& userFolder) { m_files.SetUserFolder(userFolder); }

    // Appends the user's three files to the lists. True for nobody, and when all three were
    // read (a new user's missing files make it false).
    bool LoadResults(const QString& userName, SResultLists lists);
    // Writes the three lists when changed is set (true for nobody or nothing changed), and
    // tries again whatever an earlier save could not write. True when this user's files were
    // written (or had nothing to write).
    bool SaveResults(const QString& userName, bool changed, SResultLists lists);

    // Users whose results are still waiting to be written.
    QStringList UnsavedUsers() const;

private:
    bool SaveKept(const QString& userName, CResultLists& kept);

    CResultFiles m_files;
    std::map<QString, std::unique_ptr<CResultLists>> m_unsaved;
};
