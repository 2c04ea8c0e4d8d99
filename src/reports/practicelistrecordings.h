#pragma once

#include "reports/practicelistlocator.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>

// The recordings that the words of a practice list already have in the lists they were tested
// from. Each list file is opened read-only once, when a word first needs it, and stays open
// until this goes.
class CPracticeListRecordings
{
public:
    explicit CPracticeListRecordings(CPracticeListLocator locator);
    ~CPracticeListRecordings();
    CPracticeListRecordings(const CPracticeListRecordings&) = delete;
    CPracticeListRecordings& operator=(const CPracticeListRecordings&) = delete;

    // The word's recording, byte for byte, from the first file (by list name in the order
    // given, then by the locator's order) that has a row with that word and a recording that
    // can be played: the first such row of that file. Nothing when no list file has one.
    std::optional<QByteArray> Find(const QStringList& listNames, const QString& word);

    // Files opened so far that are spelling lists.
    int OpenListCount() const;

private:
    struct SList;
    SList* ListAt(const QString& path);

    CPracticeListLocator m_locator;
    std::map<QString, std::unique_ptr<SList>> m_lists;  // by path; null: not a list that opens
};
