#include "reports/classresults.h"

#include "base/archive.h"
#include "reports/progressdata.h"
#include "users/resultfiles.h"
#include "users/userfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// A name that would lead out of the folder, or into another user's files, names no files.
bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

// Reads one result file whole into list; a missing file is no results. The fault otherwise.
template <class T>
QString readList(const QString& path, CRecordList<T>& list)
{
    QByteArray bytes;
    QString error;
    bool damaged = false;
    switch (CResultFiles::ReadFile(path, bytes, error, &damaged)) {
    case CResultFiles::EFileRead::Missing:
        return QString();
    case CResultFiles::EFileRead::Failed:
        if (damaged)
            return QCoreApplication::translate("ClassResults", "%1 is damaged: %2").arg(shown(path), error);
        return QCoreApplication::translate("ClassResults", "%1 cannot be read: %2").arg(shown(path), error);
    case CResultFiles::EFileRead::Read:
        break;
    }
    try {
        CResultFiles::Load(bytes, list);
    } catch (const CArchiveException& e) {
        return QCoreApplication::translate("ClassResults", "%1 is damaged: %2").arg(shown(path), e.Text());
    }
    return QString();
}

std::unique_ptr<SClassPupil> readPupil(const QString& folder, const QString& name)
{
    auto pupil = std::make_unique<SClassPupil>();
    pupil->name = name;
    if (!isPlainFileName(name)) {
        pupil->damaged = true;
        pupil->fault = QStringLiteral("%1: the user name cannot be a file name").arg(name);
        return pupil;
    }
    QStringList faults;
    const auto read = [&](EResultKind kind, auto& list) {
        const QString fault = readList(CResultFiles::PathOf(folder, name, kind), list);
        if (!fault.isEmpty())
            faults.append(fault);
    };
    read(EResultKind::Grades, pupil->grades);
    read(EResultKind::Missed, pupil->missed);
    read(EResultKind::Vocabulary, pupil->vocabulary);
    if (!faults.isEmpty()) {
        pupil->damaged = true;
        pupil->fault = faults.join(QStringLiteral("; "));
        pupil->grades.Clear();
        pupil->missed.Clear();
        pupil->vocabulary.Clear();
    }
    return pupil;
}

bool nameBefore(const QString& a, const QString& b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a.compare(b, Qt::CaseSensitive) < 0;
}

}  // namespace

bool CClassResults::Read(const QString& folder)
{
    m_strFolder = folder;
    m_strFault.clear();
    m_pupils.clear();
    if (!QFileInfo(folder).isDir()) {
        m_strFault = QStringLiteral("%1: the folder does not exist").arg(shown(folder));
        return false;
    }
    const QString userFile = CUserFile::PathIn(folder);
    QByteArray bytes;
    QString error;
    bool damaged = false;
    switch (CResultFiles::ReadFile(userFile, bytes, error, &damaged)) {
    case CResultFiles::EFileRead::Missing:
        return true;
    case CResultFiles::EFileRead::Failed:
        m_strFault = (damaged ? QCoreApplication::translate("ClassResults", "%1 is damaged: %2; no user is shown") : QCoreApplication::translate("ClassResults", "%1 cannot be read: %2"))
                         .arg(shown(userFile), error);
        return false;
    case CResultFiles::EFileRead::Read:
        break;
    }
    CRecordList<CUser> users;
    if (!bytes.isEmpty()) {
        try {
            CUserFile::Load(bytes, users);
        } catch (const CArchiveException& e) {
            m_strFault = QCoreApplication::translate("ClassResults", "%1 is damaged: %2; only the users before the damage are shown")
                             .arg(shown(userFile), e.Text());
        }
    }
    QSet<QString> seen;
    for (const CUser& user : users) {
        if (seen.contains(user.GetName()))
            continue;
        seen.insert(user.GetName());
        m_pupils.push_back(readPupil(folder, user.GetName()));
    }
    std::stable_sort(m_pupils.begin(), m_pupils.end(),
                     [](const auto& a, const auto& b) { return nameBefore(a->name, b->name); });
    return m_strFault.isEmpty();
}

const SClassPupil* CClassResults::Find(const QString& name) const
{
    for (const auto& pupil : m_pupils) {
        if (pupil->name == name)
            return pupil.get();
    }
    return nullptr;
}

bool CClassResults::AnyDamaged() const
{
    return !m_strFault.isEmpty()
           || std::any_of(m_pupils.begin(), m_pupils.end(), [](const auto& pupil) { return pupil->damaged; });
}

QStringList CClassResults::Faults() const
{
    QStringList faults;
    if (!m_strFault.isEmpty())
        faults.append(m_strFault);
    for (const auto& pupil : m_pupils) {
        if (pupil->damaged)
            faults.append(pupil->fault);
    }
    return faults;
}

QStringList CClassResults::ListNames() const
{
    QSet<QString> names;
    for (const auto& pupil : m_pupils) {
        for (const CGrade& grade : pupil->grades)
            names.insert(ProgressData::SeriesName(grade.GetListName()));
        for (const CMissed& missed : pupil->missed)
            names.insert(ProgressData::SeriesName(missed.GetListName()));
    }
    QStringList sorted(names.begin(), names.end());
    std::sort(sorted.begin(), sorted.end(), nameBefore);
    return sorted;
}
