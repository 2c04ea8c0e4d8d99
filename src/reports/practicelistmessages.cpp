#include "reports/practicelistmessages.h"

#include <QDir>

namespace {
QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}
}  // namespace

QString PracticeListMessages::NothingToPractise()
{
    return QStringLiteral("There are no words to practise here, so no practice list was made.");
}

QString PracticeListMessages::NoWordFits(int maximum)
{
    return QStringLiteral("None of these words can go into a spelling list: a spelling word can have at most %1 "
                          "characters. No practice list was made.")
        .arg(maximum);
}

QString PracticeListMessages::NoName()
{
    return QStringLiteral("Please type a name for the practice list.");
}

QString PracticeListMessages::AlreadyExists(const QString& path)
{
    return QStringLiteral("The spelling list \"%1\" already exists, and it was left as it is. Please choose another "
                          "name for the practice list.")
        .arg(shown(path));
}

QString PracticeListMessages::CannotMake(const QString& path, const QString& reason)
{
    return QStringLiteral("The practice list \"%1\" could not be made:\n%2").arg(shown(path), reason);
}

QString PracticeListMessages::NotSpoken(const QString& word)
{
    return QStringLiteral("No practice list was made, because the word \"%1\" could not be spoken.").arg(word);
}

QString PracticeListMessages::NotMade(const QString& path)
{
    return QStringLiteral("The practice list \"%1\" was not made; nothing was written.").arg(shown(path));
}

QString PracticeListMessages::Summary(const SPracticeListCounts& counts, int maximumWordLength)
{
    const int words = counts.Words();
    QString text = QStringLiteral("The practice list has %1 %2: %3 %4, %5 spoken.")
                       .arg(words)
                       .arg(words == 1 ? QStringLiteral("word") : QStringLiteral("words"))
                       .arg(counts.copied)
                       .arg(counts.copied == 1 ? QStringLiteral("recording copied from its list")
                                               : QStringLiteral("recordings copied from their lists"))
                       .arg(counts.spoken);
    if (counts.skipped == 1)
        text += QStringLiteral("\n\n1 word was left out: it is longer than %1 characters, the most a spelling word "
                               "can have.")
                    .arg(maximumWordLength);
    else if (counts.skipped > 1)
        text += QStringLiteral("\n\n%1 words were left out: they are longer than %2 characters, the most a spelling "
                               "word can have.")
                    .arg(counts.skipped)
                    .arg(maximumWordLength);
    return text;
}
