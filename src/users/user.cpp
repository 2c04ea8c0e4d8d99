#include "users/user.h"

#include "base/archive.h"
#include "base/classregistry.h"
#include "users/userscramble.h"

static_assert(ClassRegistry::IsRegistered<CUser>());

void CUser::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteText(UserScramble::Scramble(m_strName));
        ar.WriteText(UserScramble::Scramble(m_strPassword));
        return;
    }
    QString name = UserScramble::Unscramble(ar.ReadText());
    QString password = UserScramble::Unscramble(ar.ReadText());
    m_strName = std::move(name);
    m_strPassword = std::move(password);
}
