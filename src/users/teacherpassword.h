#pragma once

#include <QByteArray>
#include <QString>

// The teacher password of a user folder, kept in a file of its own ("Orthex.teacher") so that
// every computer of the class shares it and neither the user information file nor any result
// file changes. The file holds one line: "pbkdf2-sha256", the iterations, a random salt and the
// derived key, the last two in hex, separated by "$". No file: no teacher password (the
// default). A file that cannot be read or understood still counts as set and matches nothing:
// protection never turns itself off; removing the file resets it.
class CTeacherPassword
{
public:
    static constexpr int kIterations = 100000;
    static QString FileName() { return QStringLiteral("Orthex.teacher"); }
    static QString PathIn(const QString& userFolder);

    explicit CTeacherPassword(const QString& userFolder);

    bool IsSet() const;
    // True when no password is set, or the typed one is it.
    bool Matches(const QString& typed) const;
    // Stores a new password (an empty one removes the file, turning protection off). False with
    // the reason in error when the file could not be written or removed.
    bool Set(const QString& password, QString* error = nullptr) const;

    // The stored line for a password and salt, and whether a line stores the typed password.
    static QByteArray Line(const QString& password, const QByteArray& salt, int iterations = kIterations);
    static bool LineMatches(const QByteArray& line, const QString& typed);

private:
    QString m_strPath;
};
