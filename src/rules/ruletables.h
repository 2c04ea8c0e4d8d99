#pragma once

#include <QStringView>
#include <QtGlobal>

#include <iterator>

// The analyser's constant data: the suffix lists, the digraph table and the blend table, each in
// the order in which the checks consult it.
namespace RuleTables {

inline constexpr QStringView kFourLetterSuffixes[] = {
    u"ness", u"ence", u"ship", u"ment", u"ency", u"hood",
    u"ance", u"able", u"less", u"ible", u"lent", u"tion",
};

inline constexpr QStringView kThreeLetterSuffixes[] = {
    u"ery", u"ist", u"ion", u"dom", u"ism", u"ize", u"ify",
    u"ate", u"ial", u"ful", u"ous", u"ish", u"ive", u"ing",
};

inline constexpr QStringView kTwoLetterSuffixes[] = {
    u"er", u"or", u"en", u"ic", u"al", u"ly", u"es", u"ed",
};

inline constexpr QStringView kDigraphs[] = {
    u"ai", u"ay", u"ch", u"ea", u"ee", u"gh", u"gn", u"kn", u"mb", u"mn", u"ng",
    u"nk", u"oa", u"oe", u"oo", u"ou", u"ow", u"sh", u"th", u"ui", u"wr",
};

inline constexpr QStringView kBlends[] = {
    u"au", u"aw", u"bl", u"br", u"cl", u"dr", u"eo", u"eu", u"fl", u"fr",
    u"ft", u"gl", u"gr", u"gue", u"ld", u"lt", u"mp", u"nd", u"nt", u"pl",
    u"pr", u"qu", u"sk", u"sl", u"sn", u"sp", u"sw", u"tw",
};

// The five groups that the blend check tests before the blend table.
inline constexpr QStringView kBlendLeaders[] = {u"scr", u"cr", u"str", u"st", u"tr"};

// Every group of the three lists above has a bit: digraphs first, then blends, then leaders.
inline constexpr int kFirstDigraphBit = 0;
inline constexpr int kFirstBlendBit = 21;
inline constexpr int kFirstLeaderBit = 49;

// For each pair of small letters a to z, the bits of the groups that start with that pair. A
// text holds a group only if it holds the group's first two letters side by side.
struct SGroupStarts
{
    quint64 bits[26][26];
};

inline constexpr SGroupStarts kGroupStarts = [] {
    SGroupStarts starts{};
    const auto add = [&starts](QStringView group, int bit) {
        starts.bits[group[0].unicode() - u'a'][group[1].unicode() - u'a'] |= quint64(1) << bit;
    };
    int bit = kFirstDigraphBit;
    for (QStringView group : kDigraphs)
        add(group, bit++);
    for (QStringView group : kBlends)
        add(group, bit++);
    for (QStringView group : kBlendLeaders)
        add(group, bit++);
    return starts;
}();

// The bits of the groups whose first two letters occur side by side in the text.
inline quint64 GroupStartsIn(QStringView text)
{
    quint64 bits = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        const unsigned a = text[i].unicode() - u'a';
        const unsigned b = text[i + 1].unicode() - u'a';
        if (a < 26 && b < 26)
            bits |= kGroupStarts.bits[a][b];
    }
    return bits;
}

static_assert(std::size(kFourLetterSuffixes) == 12);
static_assert(std::size(kThreeLetterSuffixes) == 14);
static_assert(std::size(kTwoLetterSuffixes) == 8);
static_assert(std::size(kDigraphs) == 21);
static_assert(std::size(kBlends) == 28);
static_assert(kFirstBlendBit == kFirstDigraphBit + int(std::size(kDigraphs)));
static_assert(kFirstLeaderBit == kFirstBlendBit + int(std::size(kBlends)));
static_assert(kFirstLeaderBit + int(std::size(kBlendLeaders)) <= 64);

}  // namespace RuleTables
