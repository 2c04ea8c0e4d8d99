#include "rules/errorkinds.h"

#include <array>

namespace {

struct SKindInfo {
    EErrorKind kind;
    const char* name;
};

constexpr SKindInfo kKinds[] = {
    {EErrorKind::IeEi, "ie/ei"},
    {EErrorKind::IeY, "ie/y"},
    {EErrorKind::FinalY, "final y"},
    {EErrorKind::FinalE, "final e"},
    {EErrorKind::Plurals, "plurals"},
    {EErrorKind::WordEndings, "word endings tch, dge, ve, ze"},
    {EErrorKind::Capitals, "capital letters"},
    {EErrorKind::SoundAlike, "sound-alike letters"},
    {EErrorKind::Doubled, "doubled letters"},
    {EErrorKind::Suffixes, "suffixes"},
    {EErrorKind::LetterGroups, "letter groups"},
    {EErrorKind::Wrong, "wrong letters"},
    {EErrorKind::Missing, "missing letters"},
    {EErrorKind::Extra, "extra letters"},
};
static_assert(std::size(kKinds) == ErrorKinds::kCount);

// The kind of each check, by check number less one.
constexpr std::array<EErrorKind, 24> kKindOfCheck = {
    EErrorKind::IeEi,          // 1 CheckIeEi
    EErrorKind::FinalY,        // 2 CheckYFinal
    EErrorKind::FinalE,        // 3 CheckEFinal
    EErrorKind::IeY,           // 4 CheckIeY
    EErrorKind::SoundAlike,    // 5 CheckIEeYEy
    EErrorKind::Plurals,       // 6 CheckPlurals
    EErrorKind::WordEndings,   // 7 CheckChTch
    EErrorKind::WordEndings,   // 8 CheckJDge
    EErrorKind::WordEndings,   // 9 CheckVFinal
    EErrorKind::WordEndings,   // 10 CheckZFinal
    EErrorKind::Capitals,      // 11 CheckCapitalize
    EErrorKind::SoundAlike,    // 12 CheckAlElLe
    EErrorKind::SoundAlike,    // 13 CheckLetterPairs
    EErrorKind::SoundAlike,    // 14 CheckSoundGroups
    EErrorKind::SoundAlike,    // 15 CheckCKCk
    EErrorKind::SoundAlike,    // 16 CheckShSound
    EErrorKind::Doubled,       // 17 CheckDoubleLetters
    EErrorKind::Suffixes,      // 18 CheckSuffix
    EErrorKind::LetterGroups,  // 19 CheckDigraphs
    EErrorKind::LetterGroups,  // 20 CheckBlends
    EErrorKind::FinalE,        // 21 CheckEndingE
    EErrorKind::Wrong,         // 22 CheckWrongLetters
    EErrorKind::Missing,       // 23 CheckMissingLetters
    EErrorKind::Extra,         // 24 CheckExtraLetters
};

}  // namespace

QList<EErrorKind> ErrorKinds::All()
{
    QList<EErrorKind> kinds;
    kinds.reserve(kCount);
    for (const SKindInfo& info : kKinds)
        kinds.append(info.kind);
    return kinds;
}

QString ErrorKinds::Name(EErrorKind kind)
{
    const int index = int(kind);
    if (index < 0 || index >= kCount)
        return QString();
    return QString::fromLatin1(kKinds[index].name);
}

std::optional<EErrorKind> ErrorKinds::FromName(const QString& name)
{
    for (const SKindInfo& info : kKinds) {
        if (name == QLatin1String(info.name))
            return info.kind;
    }
    return std::nullopt;
}

QList<int> ErrorKinds::Checks(EErrorKind kind)
{
    QList<int> checks;
    for (size_t i = 0; i < kKindOfCheck.size(); ++i) {
        if (kKindOfCheck[i] == kind)
            checks.append(int(i) + 1);
    }
    return checks;
}

std::optional<EErrorKind> ErrorKinds::OfCheck(int check)
{
    if (check < 1 || check > int(kKindOfCheck.size()))
        return std::nullopt;
    return kKindOfCheck[size_t(check - 1)];
}

QList<EErrorKind> ErrorKinds::Of(const QList<CRuleFinding>& findings)
{
    std::array<bool, kCount> shown{};
    for (const CRuleFinding& finding : findings) {
        if (const std::optional<EErrorKind> kind = OfCheck(finding.check))
            shown[size_t(*kind)] = true;
    }
    QList<EErrorKind> kinds;
    for (int i = 0; i < kCount; ++i) {
        if (shown[size_t(i)])
            kinds.append(EErrorKind(i));
    }
    return kinds;
}
