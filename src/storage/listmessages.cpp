#include "storage/listmessages.h"

#include <QDir>

#include <limits>

namespace {
QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}
}  // namespace

QString ListMessages::NoFileName()
{
    return QStringLiteral("The spelling list could not be opened: no file name was given.");
}

QString ListMessages::CannotOpen(const QString& path, const QString& reason)
{
    return QStringLiteral("The spelling list \"%1\" could not be opened:\n%2").arg(shown(path), reason);
}

QString ListMessages::NotAList(const QString& path)
{
    return QStringLiteral("The file \"%1\" is not an Orthex spelling list, so it cannot be opened.").arg(shown(path));
}

QString ListMessages::OldWindowsList(const QString& path)
{
    return QStringLiteral("The file \"%1\" is a spelling list made by the old Windows version of Orthex, "
                          "which this version cannot open.")
        .arg(shown(path));
}

QString ListMessages::CannotChange(const QString& path, const QString& reason)
{
    return QStringLiteral("The spelling list \"%1\" could not be changed:\n%2").arg(shown(path), reason);
}

QString ListMessages::NoOrderAfter(qint64 highest)
{
    return QStringLiteral("Its last word is numbered %1, and no word can be numbered higher than %2.")
        .arg(highest)
        .arg(std::numeric_limits<int>::max());
}

QString ListMessages::WordTooLong(const QString& word, int maximum)
{
    return QStringLiteral("The word \"%1\" is too long: a spelling word can have at most %2 characters.")
        .arg(word)
        .arg(maximum);
}

QString ListMessages::CreatorTooLong(const QString& name, int maximum)
{
    return QStringLiteral("The user name \"%1\" is too long to be stored with a word: at most %2 characters "
                          "are allowed.")
        .arg(name)
        .arg(maximum);
}

QString ListMessages::CannotWriteRecording(const QString& path, const QString& reason)
{
    return QStringLiteral("The recording could not be written to \"%1\":\n%2").arg(shown(path), reason);
}
