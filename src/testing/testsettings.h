#pragma once

// The program's stored settings as tests see them: the store under the test's own
// configuration folder, and its Settings group as sorted "name=value" pairs.

#include <QSettings>
#include <QString>
#include <QStringList>

namespace TestSettings {
inline QString StorePath()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vellomar"), QStringLiteral("Orthex"))
        .fileName();
}

// "name=value" pairs of the Settings group, sorted.
inline QStringList Stored()
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vellomar"), QStringLiteral("Orthex"));
    s.beginGroup(QStringLiteral("Settings"));
    QStringList pairs;
    for (const QString& key : s.childKeys())
        pairs << key + QLatin1Char('=') + s.value(key).toString();
    pairs.sort();
    return pairs;
}

// The Settings group holding just these "name=value" pairs.
inline void SetStored(const QStringList& pairs)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vellomar"), QStringLiteral("Orthex"));
    s.remove(QStringLiteral("Settings"));
    for (const QString& pair : pairs) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        s.setValue(QStringLiteral("Settings/") + pair.left(eq), pair.mid(eq + 1));
    }
    s.sync();
}
}  // namespace TestSettings
