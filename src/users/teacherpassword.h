#pragma once

#include <QByteArray>
#include <QString>

// The teacher password of a user folder, kept in a file of its own ("Orthex.teacher") so that
// every computer of the class shares it and neither the user information file nor any result
// file changes. The file holds one line: "pbkdf2-sha256", the iterations, a random salt and the
// derived key, the last two in hex, separated by "$". No file: no teacher password (the
// default). A file that cannot be read or understood still counts as set and matches nothing:
// protection never turns itself off; removing the file resets it.
//
// Every account that writes results must be able to write the user folder, and so to remove
// the file there. An administrator therefore can keep the file in a system folder instead
// (CAppFolders::SystemConfigFolders()); one there is the only teacher password of the computer,
// whatever the user folder holds, and Orthex never changes it.
class CTeacherPassword
{
public:
    static constexpr int kIterations = 100000;
    static QString FileName() { return QStringLiteral("Orthex.teacher"); }
    static QString PathIn(const QString& userFolder);
    // The administrator's file in the first system folder that has one; empty when none has.
    static QString SystemWidePath();

    explicit CTeacherPassword(const QString& userFolder);

    // The file that decides: the administrator's, else the user folder's.
    QString Path() const { return m_strPath; }
    bool IsSystemWide() const { return m_bSystemWide; }

    bool IsSet() const;
    // True when no password is set, or the typed one is it.
    bool Matches(const QString& typed) const;
    // Stores a new password (an empty one removes the file, turning protection off). False with
    // the reason in error when the file could not be written or removed, and always for the
    // administrator's file.
    bool Set(const QString& password, QString* error = nullptr) const;

    // The stored line for a password and salt, and whether a line stores the typed password.
    static QByteArray Line(const QString& password, const QByteArray& salt, int iterations = kIterations);
    static bool LineMatches(const QByteArray& line, const QString& typed);

private:
    QString m_strPath;
    bool m_bSystemWide = false;
};
