#pragma once

#include <QString>
#include <QtGlobal>

class CArchive;

// One user of the program: a name and a password, both compared exactly. A blank password is
// kept as a single space. In the user information file both are stored scrambled; the record
// in memory always holds them plain.
class CUser
{
public:
    static constexpr const char* kClassName = "CUser";
    static constexpr quint16 kSchema = 0;

    QString GetName() const { return m_strName; }
    void SetName(const QString& name) { m_strName = name; }
    QString GetPassword() const { return m_strPassword; }
    void SetPassword(const QString& password) { m_strPassword = password; }

    // Stored as: scrambled name, scrambled password. Loading reads both before changing the
    // record.
    void Serialize(CArchive& ar);

    bool operator==(const CUser&) const = default;

private:
    QString m_strName;
    QString m_strPassword;
};
