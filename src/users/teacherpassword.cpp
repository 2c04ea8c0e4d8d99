#include "users/teacherpassword.h"

#include "base/appfolders.h"
#include "base/atomicfile.h"
#include "users/resultfiles.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPasswordDigestor>
#include <QRandomGenerator>

namespace {
const QByteArray kScheme = "pbkdf2-sha256";
constexpr int kSaltBytes = 16;
constexpr int kKeyBytes = 32;
// A stored count beyond this is not ours, and would keep the program busy for minutes.
constexpr int kMaxIterations = 10000000;

QByteArray derive(const QString& password, const QByteArray& salt, int iterations)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt, iterations,
                                              kKeyBytes);
}

// Compares every byte, so the time taken says nothing about where a wrong key differs.
bool sameBytes(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

// Anything in the place, readable or not, counts: a file that cannot be read still holds the gate.
bool occupied(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}
}  // namespace

QString CTeacherPassword::PathIn(const QString& userFolder)
{
    return userFolder + QLatin1Char('/') + FileName();
}

QString CTeacherPassword::SystemWidePath()
{
    for (const QString& folder : CAppFolders::SystemConfigFolders()) {
        const QString path = PathIn(folder);
        if (occupied(path))
            return path;
    }
    return QString();
}

CTeacherPassword::CTeacherPassword(const QString& userFolder)
    : m_strPath(SystemWidePath())
    , m_bSystemWide(!m_strPath.isEmpty())
{
    if (!m_bSystemWide)
        m_strPath = PathIn(userFolder);
}

bool CTeacherPassword::IsSet() const
{
    return occupied(m_strPath);
}

bool CTeacherPassword::Matches(const QString& typed) const
{
    QByteArray bytes;
    QString error;
    switch (CResultFiles::ReadFile(m_strPath, bytes, error)) {
    case CResultFiles::EFileRead::Missing: return !IsSet();
    case CResultFiles::EFileRead::Failed: return false;
    case CResultFiles::EFileRead::Read: break;
    }
    return LineMatches(bytes.trimmed(), typed);
}

bool CTeacherPassword::Set(const QString& password, QString* error) const
{
    if (m_bSystemWide) {
        if (error)
            *error = QCoreApplication::translate("CTeacherPassword", "it is the administrator's file, which Orthex does not change");
        return false;
    }
    if (password.isEmpty()) {
        QFile file(m_strPath);
        if (!file.exists() || file.remove())
            return true;
        if (error)
            *error = file.errorString();
        return false;
    }
    QByteArray salt(kSaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->generate(salt.begin(), salt.end());
    return AtomicFile::Write(m_strPath, Line(password, salt) + '\n', error);
}

QByteArray CTeacherPassword::Line(const QString& password, const QByteArray& salt, int iterations)
{
    return kScheme + '$' + QByteArray::number(iterations) + '$' + salt.toHex() + '$'
           + derive(password, salt, iterations).toHex();
}

bool CTeacherPassword::LineMatches(const QByteArray& line, const QString& typed)
{
    const QList<QByteArray> parts = line.split('$');
    if (parts.size() != 4 || parts.at(0) != kScheme)
        return false;
    bool ok = false;
    const int iterations = parts.at(1).toInt(&ok);
    if (!ok || iterations < 1 || iterations > kMaxIterations)
        return false;
    const QByteArray salt = QByteArray::fromHex(parts.at(2));
    const QByteArray key = QByteArray::fromHex(parts.at(3));
    if (salt.isEmpty() || key.size() != kKeyBytes)
        return false;
    return sameBytes(derive(typed, salt, iterations), key);
}
