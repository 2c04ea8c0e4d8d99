#include "users/userresults.h"

#include "storage/resultlists.h"

namespace {
template <class T>
void copyInto(CRecordList<T>& to, const CRecordList<T>& from)
{
    for (const T& record : from)
        to.AddTail(std::make_unique<T>(record));
}

void copyAll(SResultLists to, const SResultLists& from)
{
    copyInto(to.grades, from.grades);
    copyInto(to.missed, from.missed);
    copyInto(to.vocabulary, from.vocabulary);
}
}  // namespace

CUserResults::CUserResults(const QString& userFolder)
    : m_files(userFolder)
{
}

CUserResults::~CUserResults() = default;

bool CUserResults::LoadResults(const QString& userName, SResultLists lists)
{
    if (userName.isEmpty())
        return true;
    const auto kept = m_unsaved.find(userName);
    if (kept != m_unsaved.end()) {
        // Newer than the files: what this user did before the save failed.
        copyAll(lists, kept->second->Lists());
        return true;
    }
    return m_files.Load(userName, lists);
}

bool CUserResults::SaveKept(const QString& userName, CResultLists& kept)
{
    return m_files.Save(userName, kept.Lists());
}

bool CUserResults::SaveResults(const QString& userName, bool changed, SResultLists lists)
{
    bool result = true;
    QString justFailed;
    if (!userName.isEmpty() && changed) {
        result = m_files.Save(userName, lists);
        if (result) {
            m_unsaved.erase(userName);
        } else {
            auto kept = std::make_unique<CResultLists>();
            copyAll(kept->Lists(), lists);
            m_unsaved[userName] = std::move(kept);
            justFailed = userName;
        }
    }
    for (auto it = m_unsaved.begin(); it != m_unsaved.end();) {
        if (it->first != justFailed && SaveKept(it->first, *it->second)) {
            it = m_unsaved.erase(it);
        } else {
            if (it->first == userName)
                result = false;
            ++it;
        }
    }
    return result;
}

QStringList CUserResults::UnsavedUsers() const
{
    QStringList users;
    for (const auto& entry : m_unsaved)
        users.append(entry.first);
    return users;
}
