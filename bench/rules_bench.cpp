// The spelling-error analyser over 1,000,000 pairs of words and misspellings of the kind pupils
// make, with one analyser reused as the reports page does. Prints pairs per second
// (items_per_second). Goal: 1,000,000 pairs per second on one core.
//
// BM_LongPair: one pair of 10,000, 100,000 and 1,000,000 letters, in the shapes that reach the
// checks which look at every letter and every doubled pair (a record can hold a pupil's whole
// pasted text). Prints the time of one analysis. Goal: a 1,000,000-letter pair well under a second.

#include "rules/spellingrules.h"

#include <QList>
#include <QPair>
#include <QString>

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int kPairsPerRun = 1000000;
constexpr int kDistinctPairs = 10000;

// Misspellings as pupils write them.
constexpr const char* kKnownPairs[][2] = {
    {"believe", "beleive"},  {"receive", "recieve"},      {"field", "feld"},
    {"ceiling", "celing"},   {"happiness", "happyness"},  {"enjoyment", "enjoiment"},
    {"hopeful", "hopful"},   {"hoping", "hopeing"},       {"dying", "dieing"},
    {"knives", "knifes"},    {"boxes", "boxs"},           {"hats", "hat"},
    {"witch", "wich"},       {"much", "mutch"},           {"judge", "juj"},
    {"sleeve", "sleev"},     {"prize", "priz"},           {"quickly", "quick"},
    {"playing", "played"},   {"came", "cam"},             {"happy", "happi"},
    {"donkey", "donky"},     {"metal", "metle"},          {"little", "littel"},
    {"phone", "fone"},       {"wheel", "weel"},           {"edge", "ege"},
    {"duck", "duk"},         {"nation", "nashun"},        {"science", "sience"},
    {"guess", "gess"},       {"Monday", "monday"},        {"comma", "coma"},
    {"Mississippi", "Misisipi"}, {"balloon", "balon"},    {"street", "steet"},
    {"scratch", "sratch"},   {"quick", "qick"},           {"banana", "banan"},
    {"horse", "hoarse"},     {"necessary", "neccessary"}, {"separate", "seperate"},
    {"rhythm", "rythm"},     {"beginning", "begining"},   {"weird", "wierd"},
    {"accommodate", "acommodate"}, {"Wednesday", "wednesday"}, {"knight", "nite"},
    {"because", "becuase"},  {"friend", "freind"},        {"February", "Febuary"},
    {"library", "libary"},   {"government", "goverment"}, {"definitely", "definately"},
};

// Words of a school spelling list, misspelt by the program below.
constexpr const char* kWords[] = {
    "address",   "answer",    "appear",     "arrive",    "believe",   "bicycle",  "breath",
    "breathe",   "build",     "business",   "calendar",  "caught",    "centre",   "century",
    "certain",   "circle",    "complete",   "consider",  "continue",  "decide",   "describe",
    "different", "difficult", "disappear",  "early",     "earth",     "eight",    "enough",
    "exercise",  "experience", "experiment", "extreme",  "famous",    "favourite", "February",
    "forward",   "fruit",     "grammar",    "group",     "guard",     "guide",    "heard",
    "heart",     "height",    "history",    "imagine",   "increase",  "important", "interest",
    "island",    "knowledge", "learn",      "length",    "library",   "material", "medicine",
    "mention",   "minute",    "natural",    "naughty",   "notice",    "occasion", "often",
    "opposite",  "ordinary",  "particular", "peculiar",  "perhaps",   "popular",  "position",
    "possess",   "possible",  "potatoes",   "pressure",  "probably",  "promise",  "purpose",
    "quarter",   "question",  "recent",     "regular",   "reign",     "remember", "sentence",
    "separate",  "special",   "straight",   "strange",   "strength",  "suppose",  "surprise",
    "therefore", "though",    "thought",    "through",   "various",   "weight",   "woman",
    "women",     "jumping",   "stopped",    "running",   "babies",    "wolves",   "matches",
    "careful",   "kindness",  "movement",   "station",   "musician",  "shoes",    "watched",
};

QString Misspell(const QString& word, std::mt19937& random)
{
    QString m = word;
    const auto at = [&](qsizetype n) { return qsizetype(random() % quint32(n)); };
    switch (random() % 8) {
    case 0:  // a letter left out
        m.remove(at(m.size()), 1);
        break;
    case 1: {  // a letter doubled
        const qsizetype i = at(m.size());
        m.insert(i, m[i]);
        break;
    }
    case 2: {  // two letters swapped
        const qsizetype i = at(m.size() - 1);
        std::swap(m[i], m[i + 1]);
        break;
    }
    case 3: {  // a vowel for another
        static const char16_t vowels[] = u"aeiouy";
        m[at(m.size())] = QChar(vowels[at(6)]);
        break;
    }
    case 4:  // the capital changed
        m[0] = m[0].isUpper() ? m[0].toLower() : m[0].toUpper();
        break;
    case 5:  // an ending dropped or added
        if (m.endsWith(u'e') || m.endsWith(u's'))
            m.chop(1);
        else
            m += u's';
        break;
    case 6:  // a sound-alike group
        m.replace(QStringLiteral("ph"), QStringLiteral("f"));
        m.replace(QStringLiteral("ck"), QStringLiteral("k"));
        m.replace(QStringLiteral("tion"), QStringLiteral("shun"));
        m.replace(QStringLiteral("ie"), QStringLiteral("ei"));
        break;
    default:  // spelt right after all
        break;
    }
    return m;
}

// Fresh strings for every pair, as the stored records hold them.
const QList<QPair<QString, QString>>& Pairs()
{
    static const QList<QPair<QString, QString>> pairs = [] {
        QList<QPair<QString, QString>> list;
        list.reserve(kDistinctPairs);
        std::mt19937 random(20260501);
        for (int i = 0; list.size() < kDistinctPairs; ++i) {
            if (i % 3 == 0) {
                const auto& known = kKnownPairs[(i / 3) % std::size(kKnownPairs)];
                list.append({QString::fromLatin1(known[0]), QString::fromLatin1(known[1])});
            } else {
                const QString word = QString::fromLatin1(kWords[random() % std::size(kWords)]);
                list.append({word, Misspell(word, random)});
            }
        }
        return list;
    }();
    return pairs;
}

void BM_AnalyzeMisspelling(benchmark::State& state)
{
    const auto& pairs = Pairs();
    CSpellingRules rules;
    for (auto _ : state) {
        for (int i = 0; i < kPairsPerRun; ++i) {
            const auto& pair = pairs[i % kDistinctPairs];
            QString label = rules.AnalyzeMisspelling(pair.first, pair.second);
            benchmark::DoNotOptimize(label);
        }
    }
    state.SetItemsProcessed(state.iterations() * kPairsPerRun);
}
BENCHMARK(BM_AnalyzeMisspelling)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AnalyzeFindings(benchmark::State& state)
{
    const auto& pairs = Pairs();
    CSpellingRules rules;
    for (auto _ : state) {
        for (int i = 0; i < kPairsPerRun; ++i) {
            const auto& pair = pairs[i % kDistinctPairs];
            QList<CRuleFinding> findings = rules.AnalyzeFindings(pair.first, pair.second);
            benchmark::DoNotOptimize(findings);
        }
    }
    state.SetItemsProcessed(state.iterations() * kPairsPerRun);
}
BENCHMARK(BM_AnalyzeFindings)->Unit(benchmark::kMillisecond)->Iterations(3);

enum ELongShape { kDoubled, kMissing, kExtra };

// A text of n letters that repeats a cycle of distinct letters outside the letter groups of the
// checks, so that only the letter-by-letter checks find anything.
QString Cycle(qsizetype n, qsizetype from)
{
    QString text(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        text[i] = QChar(char16_t(0x100 + (from + i) % 1000));
    return text;
}

QPair<QString, QString> LongPair(ELongShape shape, qsizetype n)
{
    switch (shape) {
    case kDoubled: {  // every letter doubled in the word, single in the misspelling
        QString word(n, Qt::Uninitialized);
        for (qsizetype i = 0; i < n; ++i)
            word[i] = QChar(char16_t(u'a' + (i / 2) % 26));
        QString misspelling(n / 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < n / 2; ++i)
            misspelling[i] = word[2 * i];
        return {word, misspelling};
    }
    case kMissing:  // one letter in seven left out
    case kExtra: {  // one letter in seven added
        const QString whole = Cycle(n, 0);
        QString cut;
        for (qsizetype i = 0; i < n; ++i) {
            if (i % 7 != 3)
                cut += whole[i];
        }
        return shape == kMissing ? QPair<QString, QString>{whole, cut} : QPair<QString, QString>{cut, whole};
    }
    }
    return {};
}

void BM_LongPair(benchmark::State& state, ELongShape shape)
{
    const auto [word, misspelling] = LongPair(shape, state.range(0));
    CSpellingRules rules;
    for (auto _ : state) {
        QString label = rules.AnalyzeMisspelling(word, misspelling);
        benchmark::DoNotOptimize(label);
    }
}
BENCHMARK_CAPTURE(BM_LongPair, doubled_letters, kDoubled)
    ->ArgName("letters")->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_LongPair, missing_letters, kMissing)
    ->ArgName("letters")->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_LongPair, extra_letters, kExtra)
    ->ArgName("letters")->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
