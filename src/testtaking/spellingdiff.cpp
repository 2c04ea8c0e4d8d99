#include "testtaking/spellingdiff.h"

#include <QList>
#include <QStringList>

#include <vector>

namespace {
// Beyond this many letter pairs the two spellings are compared as one stretch: a pasted page
// must not stall the test.
constexpr qsizetype kMaxCells = 100000;

struct SStretch {
    QString answer;  // the pupil's letters of a differing stretch (empty: missing letters)
    QString word;    // the right letters (empty: extra letters)
};

// Walks the cheapest edit path; each entry is either one matching letter or part of a stretch.
struct SPiece {
    bool same;
    QChar answer;  // null when the pupil has no letter here
    QChar word;    // null when the right spelling has none
};

QList<SPiece> alignment(const QString& answer, const QString& word)
{
    const qsizetype n = answer.size();
    const qsizetype m = word.size();
    QList<SPiece> pieces;
    if ((n + 1) * (m + 1) > kMaxCells) {
        for (QChar c : answer)
            pieces.append({false, c, QChar()});
        for (QChar c : word)
            pieces.append({false, QChar(), c});
        return pieces;
    }
    // cost[i][j]: edits from answer[i..] to word[j..].
    std::vector<std::vector<int>> cost(size_t(n + 1), std::vector<int>(size_t(m + 1), 0));
    for (qsizetype i = n; i >= 0; --i) {
        for (qsizetype j = m; j >= 0; --j) {
            if (i == n || j == m) {
                cost[size_t(i)][size_t(j)] = int((n - i) + (m - j));
                continue;
            }
            const int change = cost[size_t(i + 1)][size_t(j + 1)] + (answer.at(i) == word.at(j) ? 0 : 1);
            const int drop = cost[size_t(i + 1)][size_t(j)] + 1;
            const int add = cost[size_t(i)][size_t(j + 1)] + 1;
            cost[size_t(i)][size_t(j)] = std::min({change, drop, add});
        }
    }
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < n || j < m) {
        const int here = cost[size_t(i)][size_t(j)];
        if (i < n && j < m && cost[size_t(i + 1)][size_t(j + 1)] + (answer.at(i) == word.at(j) ? 0 : 1) == here) {
            pieces.append({answer.at(i) == word.at(j), answer.at(i), word.at(j)});
            ++i;
            ++j;
        } else if (i < n && cost[size_t(i + 1)][size_t(j)] + 1 == here) {
            pieces.append({false, answer.at(i), QChar()});
            ++i;
        } else {
            pieces.append({false, QChar(), word.at(j)});
            ++j;
        }
    }
    return pieces;
}

QString bracketed(const QString& letters)
{
    return QLatin1Char('[') + (letters.isEmpty() ? QStringLiteral("_") : letters) + QLatin1Char(']');
}

QString quoted(const QString& letters)
{
    return QLatin1Char('"') + letters + QLatin1Char('"');
}
}  // namespace

CSpellingDiff::CSpellingDiff(const QString& answer, const QString& word)
{
    QList<SStretch> stretches;
    SStretch open;
    bool inStretch = false;
    const auto close = [&] {
        if (!inStretch)
            return;
        m_strMarkedAnswer += bracketed(open.answer);
        m_strMarkedWord += bracketed(open.word);
        stretches.append(open);
        open = SStretch();
        inStretch = false;
    };
    for (const SPiece& piece : alignment(answer, word)) {
        if (piece.same) {
            close();
            m_strMarkedAnswer += piece.answer;
            m_strMarkedWord += piece.word;
            continue;
        }
        inStretch = true;
        if (!piece.answer.isNull())
            open.answer += piece.answer;
        if (!piece.word.isNull())
            open.word += piece.word;
    }
    close();

    QStringList differences;
    for (const SStretch& stretch : stretches) {
        if (stretch.answer.isEmpty())
            differences << QStringLiteral("%1 is missing").arg(quoted(stretch.word));
        else if (stretch.word.isEmpty())
            differences << QStringLiteral("%1 is extra").arg(quoted(stretch.answer));
        else
            differences << QStringLiteral("%1 should be %2").arg(quoted(stretch.answer), quoted(stretch.word));
    }
    m_strDescription = QStringLiteral("You wrote %1; the right spelling is %2.").arg(quoted(answer), quoted(word));
    if (!differences.isEmpty())
        m_strDescription += QStringLiteral(" Differences: %1.").arg(differences.join(QStringLiteral("; ")));
}
