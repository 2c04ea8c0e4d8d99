#include "reports/reportsheet.h"

#include "reports/missedorder.h"
#include "users/resultrows.h"

#include <algorithm>

namespace {
EResultKind resultKind(EReportKind kind)
{
    switch (kind) {
    case EReportKind::Grades: return EResultKind::Grades;
    case EReportKind::Missed: return EResultKind::Missed;
    case EReportKind::Vocabulary: return EResultKind::Vocabulary;
    }
    return EResultKind::Grades;
}
}  // namespace

void CReportSheet::OnInitialUpdate(bool* resultsChanged, const SReportLists& lists)
{
    OnUpdate(lists);
    m_pResultsChanged = resultsChanged;
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
    if (m_bRowsChanged && m_pResultsChanged) {
        *m_pResultsChanged = true;
        Rebuild();
    }
    Fill(kind);
}

void CReportSheet::Fill(EReportKind kind)
{
    if (m_pObserver)
        m_pObserver->SheetAboutToReset();
    m_columns = ReportTable::Columns(kind);
    m_rows = ReportTable::Rows(kind, m_lists);
    m_kind = kind;
    if (m_pObserver)
        m_pObserver->SheetReset();
}

bool CReportSheet::DeleteRows(QList<int> indices)
{
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

void CReportSheet::DeleteAll()
{
    if (!m_rows.isEmpty()) {
        if (m_pObserver)
            m_pObserver->RowsAboutToBeRemoved(0, RowCount() - 1);
        m_rows.clear();
        if (m_pObserver)
            m_pObserver->RowsRemoved();
    }
    m_bRowsChanged = true;
}

void CReportSheet::SaveChanges()
{
    if (m_bRowsChanged && m_pResultsChanged) {
        *m_pResultsChanged = true;
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
    if (m_lists.IsSet())
        ResultRows::RebuildList(resultKind(m_kind), m_rows,
                                SResultLists{*m_lists.grades, *m_lists.missed, *m_lists.vocabulary});
    m_bRowsChanged = false;
}
