#pragma once

#include "reports/errorprofile.h"
#include "reports/practicesource.h"
#include "reports/reportkind.h"
#include "reports/reporttable.h"

#include <QList>
#include <QStringList>

class CResultLists;

// Whoever shows the rows of a sheet (the reports page's table model) hears of every change,
// so that it can keep its view and selection in step.
class IReportSheetObserver
{
public:
    virtual ~IReportSheetObserver() = default;
    // All rows and columns are about to be replaced, and have been.
    virtual void SheetAboutToReset() = 0;
    virtual void SheetReset() = 0;
    // Rows first..last (inclusive) are about to go, and have gone.
    virtual void RowsAboutToBeRemoved(int first, int last) = 0;
    virtual void RowsRemoved() = 0;
};

// What the reports page does, without its widgets: the report shown, its rows, and the
// deletions not yet saved. Deleting only changes the rows; saving (or switching to another
// report, which saves first) makes the document's list of the kind shown again from the rows
// that remain and marks the results as changed; Cancel and every update of the document drop
// the deletions. The error profile is only read: nothing can be deleted while it is shown.
class CReportSheet
{
public:
    explicit CReportSheet(IReportSheetObserver* observer = nullptr) : m_pObserver(observer) {}

    void SetObserver(IReportSheetObserver* observer) { m_pObserver = observer; }

    // The first initial update: from now on saving marks the document's results as changed.
    // Then the grades are shown afresh and nothing counts as deleted.
    void OnInitialUpdate(CResultLists* results, const SReportLists& lists);
    // Every update of the document: takes its lists, orders the misspelled words by their
    // labels, shows the grades and drops unsaved deletions.
    void OnUpdate(const SReportLists& lists);

    // Shows a report; saves the deletions of the one shown first. Nothing when it is shown.
    void Show(EReportKind kind);
    // Deletes the rows at these indices (any order, duplicates and bad indices ignored); false,
    // and nothing marked, when there is none or the report is read-only.
    bool DeleteRows(QList<int> indices);
    // Deletes every row, and marks the sheet as changed even when it had none; false, and
    // nothing done, when the report is read-only.
    bool DeleteAll();
    // Makes the document's list of the kind shown again from the rows, when rows were deleted.
    void SaveChanges();
    // Brings deleted rows back from the document's list.
    void Cancel();

    EReportKind Kind() const { return m_kind; }
    // The error profile is shown: no row can be deleted, nothing saved.
    bool IsReadOnly() const { return m_kind == EReportKind::Profile; }
    // The profile shown (empty while another report is shown); its rows are the sheet's rows.
    const CErrorProfile& Profile() const { return m_profile; }

    // The words of the given rows (indices in any order; duplicates and bad ones ignored), or of
    // every row when none is given, each with the list it came from, in row order and with
    // duplicates kept: the rows of the misspelled-words and vocabulary reports, the misspelled
    // words of the kinds of the profile (a word showing two chosen kinds comes twice). None for
    // the grades.
    PracticeSources PracticeSourcesOf(QList<int> rows) const;
    // For the profile: the misspelled words of the kinds in the given rows (every row when none
    // is given), as indexes into the document's missed-word list, in row order, each once.
    // None for the other reports.
    QList<qsizetype> MissedRecordsOf(QList<int> rows) const;
    bool RowsChanged() const { return m_bRowsChanged; }
    bool HoldsResultsFlag() const { return m_pResults != nullptr; }
    const SReportLists& Lists() const { return m_lists; }
    const QList<SReportColumn>& Columns() const { return m_columns; }
    const QList<QStringList>& Rows() const { return m_rows; }
    int RowCount() const { return int(m_rows.size()); }

private:
    void Clear();
    void Fill(EReportKind kind);
    void Rebuild();
    // The rows asked for, ascending, without duplicates and bad indices; all when none is asked.
    QList<int> ChosenRows(QList<int> rows) const;

    IReportSheetObserver* m_pObserver;
    EReportKind m_kind = EReportKind::Grades;
    bool m_bRowsChanged = false;
    CResultLists* m_pResults = nullptr;
    SReportLists m_lists;
    QList<SReportColumn> m_columns;
    QList<QStringList> m_rows;
    CErrorProfile m_profile;
};
