#include "reports/reportsheet.h"

#include "reports/missedorder.h"
#include "storage/resultlists.h"
#include "users/resultrows.h"

#include <QSet>

#include <algorithm>

#include <optional>

namespace {
// The result list a report's rows make again; none for the read-only profile.
std::optional<EResultKind> resultKind(EReportKind kind)
{
    switch (kind) {
    case EReportKind::Grades: return EResultKind::Grades;
    case EReportKind::Missed: return EResultKind::Missed;
    case EReportKind::Vocabulary: return EResultKind::Vocabulary;
    case EReportKind::Profile: return std::nullopt;
    }
    return std::nullopt;
}
}  // namespace

void CReportSheet::OnInitialUpdate(CResultLists* results, const SReportLists& lists)
{
    OnUpdate(lists);
    m_pResults = results;
    // Shown afresh even though the grades are shown already.
    m_kind = EReportKind::Missed;
    Show(EReportKind::Grades);
    m_bRowsChanged = false;
}

void CReportSheet::OnUpdate(const SReportLists& lists)
{
    m_lists = lists;
    if (m_pObserver)
        m_pObserver->SheetAboutToReset();
    m_columns.clear();
    m_rows.clear();
    m_profile = CErrorProfile();
    if (m_lists.IsSet())
        MissedOrder::SortMissedByErrors(*m_lists.missed);
    m_columns = ReportTable::Columns(EReportKind::Grades);
    m_rows = ReportTable::Rows(EReportKind::Grades, m_lists);
    m_kind = EReportKind::Grades;
    m_bRowsChanged = false;
    if (m_pObserver)
        m_pObserver->SheetReset();
}

void CReportSheet::Show(EReportKind kind)
{
    if (kind == m_kind)
        return;
    if (m_bRowsChanged && m_pResults) {
        m_pResults->SetChanged(true);
        Rebuild();
    }
    Fill(kind);
}

void CReportSheet::Fill(EReportKind kind)
{
    if (m_pObserver)
        m_pObserver->SheetAboutToReset();
    m_columns = ReportTable::Columns(kind);
    if (kind == EReportKind::Profile) {
        // Kept, for the records behind each row.
        m_profile = m_lists.IsSet() ? CErrorProfile(*m_lists.missed) : CErrorProfile();
        m_rows = m_profile.AllRowTexts();
    } else {
        m_profile = CErrorProfile();
        m_rows = ReportTable::Rows(kind, m_lists);
    }
    m_kind = kind;
    if (m_pObserver)
        m_pObserver->SheetReset();
}

bool CReportSheet::DeleteRows(QList<int> indices)
{
    if (IsReadOnly())
        return false;
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    indices.erase(std::remove_if(indices.begin(), indices.end(), [this](int i) { return i < 0 || i >= RowCount(); }),
                  indices.end());
    if (indices.isEmpty())
        return false;
    m_bRowsChanged = true;
    // From the highest index down, one run of neighbouring rows at a time.
    qsizetype end = indices.size();
    while (end > 0) {
        qsizetype begin = end - 1;
        while (begin > 0 && indices.at(begin - 1) == indices.at(begin) - 1)
            --begin;
        const int first = indices.at(begin);
        const int last = indices.at(end - 1);
        if (m_pObserver)
            m_pObserver->RowsAboutToBeRemoved(first, last);
        m_rows.remove(first, last - first + 1);
        if (m_pObserver)
            m_pObserver->RowsRemoved();
        end = begin;
    }
    return true;
}

bool CReportSheet::DeleteAll()
{
    if (IsReadOnly())
        return false;
    if (!m_rows.isEmpty()) {
        if (m_pObserver)
            m_pObserver->RowsAboutToBeRemoved(0, RowCount() - 1);
        m_rows.clear();
        if (m_pObserver)
            m_pObserver->RowsRemoved();
    }
    m_bRowsChanged = true;
    return true;
}

void CReportSheet::SaveChanges()
{
    if (m_bRowsChanged && m_pResults) {
        m_pResults->SetChanged(true);
        Rebuild();
    }
}

void CReportSheet::Cancel()
{
    if (!m_bRowsChanged)
        return;
    m_bRowsChanged = false;
    Fill(m_kind);
}

void CReportSheet::Rebuild()
{
    const std::optional<EResultKind> kind = resultKind(m_kind);
    if (m_lists.IsSet() && kind)
        ResultRows::RebuildList(*kind, m_rows, SResultLists{*m_lists.grades, *m_lists.missed, *m_lists.vocabulary});
    m_bRowsChanged = false;
}

QList<int> CReportSheet::ChosenRows(QList<int> rows) const
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(), [this](int i) { return i < 0 || i >= RowCount(); }),
               rows.end());
    if (rows.isEmpty()) {
        rows.reserve(RowCount());
        for (int i = 0; i < RowCount(); ++i)
            rows.append(i);
    }
    return rows;
}

PracticeSources CReportSheet::PracticeSourcesOf(QList<int> rows) const
{
    PracticeSources sources;
    auto fromRow = [this, &sources](int row, int wordColumn) {
        const QStringList& texts = m_rows.at(row);
        sources.append({texts.value(wordColumn), texts.value(0)});
    };
    switch (m_kind) {
    case EReportKind::Grades:
        break;
    case EReportKind::Missed:
        // List name, date text, word, ...
        for (int row : ChosenRows(std::move(rows)))
            fromRow(row, 2);
        break;
    case EReportKind::Vocabulary:
        // List name, extra text, date text, word.
        for (int row : ChosenRows(std::move(rows)))
            fromRow(row, 3);
        break;
    case EReportKind::Profile:
        if (!m_lists.IsSet())
            break;
        for (int row : ChosenRows(std::move(rows))) {
            for (qsizetype index : m_profile.Rows().at(row).records) {
                if (index < m_lists.missed->size()) {
                    const CMissed& missed = m_lists.missed->at(index);
                    sources.append({missed.GetWord(), missed.GetListName()});
                }
            }
        }
        break;
    }
    return sources;
}

QList<qsizetype> CReportSheet::MissedRecordsOf(QList<int> rows) const
{
    QList<qsizetype> records;
    if (m_kind != EReportKind::Profile)
        return records;
    QSet<qsizetype> seen;
    for (int row : ChosenRows(std::move(rows))) {
        for (qsizetype index : m_profile.Rows().at(row).records) {
            if (!seen.contains(index)) {
                seen.insert(index);
                records.append(index);
            }
        }
    }
    return records;
}
