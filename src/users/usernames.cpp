#include "users/usernames.h"

bool UserNames::IsValidNewName(const QString& name)
{
    if (name.isEmpty() || name.size() > kMaxLength)
        return false;
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control)
            return false;
        if (QStringView(u"\\/:*?\"<>|").contains(c))
            return false;
    }
    return true;
}

QString UserNames::RuleText()
{
    return QStringLiteral(
        "This name cannot be used. A user name can have up to 25 characters; it cannot be \".\" "
        "or \"..\", and it cannot hold any of the characters \\ / : * ? \" < > | or a control "
        "character.");
}
