#pragma once

#include <QStringView>

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

static_assert(std::size(kFourLetterSuffixes) == 12);
static_assert(std::size(kThreeLetterSuffixes) == 14);
static_assert(std::size(kTwoLetterSuffixes) == 8);
static_assert(std::size(kDigraphs) == 21);
static_assert(std::size(kBlends) == 28);

}  // namespace RuleTables
