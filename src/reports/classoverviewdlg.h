#pragma once

#include "reports/classresults.h"
#include "reports/classtables.h"
#include "reports/reportkind.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <array>

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QStandardItemModel;
class QTreeView;

// One pupil's four reports, read-only: the grades, misspelled words, vocabulary and error
// profile in the columns of the reports page's export. The rows are made when it opens.
class CPupilReportsDlg : public QDialog
{
    Q_OBJECT
public:
    CPupilReportsDlg(const SClassPupil& pupil, QWidget* parent = nullptr);

    void ShowReport(EReportKind kind);
    QComboBox* KindCombo() const { return m_pKind; }
    QTreeView* View() const { return m_pView; }

private:
    std::array<QList<QStringList>, std::size(kReportKinds)> m_rows;
    QComboBox* m_pKind;
    QTreeView* m_pView;
    QStandardItemModel* m_pModel;
};

// The class overview: every pupil of a user folder in one window. A table (the overview, the
// words missed most, the class's error profile) for all lists or one; a pupil's row opens that
// pupil's reports; "Export CSV..." and "Print..." as on the reports page. The folder is read when
// the window opens and again with "Reload"; nothing is ever written to it.
class CClassOverviewDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CClassOverviewDlg(const QString& userFolder, QWidget* parent = nullptr);

    // Reads the folder afresh.
    void Reload();
    // Which table and which list (empty: all) are shown.
    void ShowTable(ClassTables::ETable table, const QString& list = QString());
    ClassTables::ETable Table() const;
    QString List() const;
    // Opens the reports of the pupil (non-modal, deleted when closed); null for a pupil that is
    // not there or whose files are damaged.
    CPupilReportsDlg* OpenPupil(const QString& name);
    // "Export CSV...": the table shown, as CSV with the formula protection of the table writer.
    void OnExport();
    // "Print...": the table shown in the print preview.
    void OnPrint();
    // The table shown as the printer gets it.
    void Paint(QPrinter* printer) const;

    const CClassResults& Results() const { return m_results; }
    QTreeView* View() const { return m_pView; }
    QComboBox* TableCombo() const { return m_pTable; }
    QComboBox* ListCombo() const { return m_pList; }
    QLabel* FaultLabel() const { return m_pFault; }
    QPushButton* OpenButton() const { return m_pOpen; }
    QPushButton* ExportButton() const { return m_pExport; }
    QPushButton* PrintButton() const { return m_pPrint; }

    // Opens the overview of the folder as a window of its own, deleted when closed, after the
    // teacher password when the folder has one; null when it was not given.
    static CClassOverviewDlg* Open(const QString& userFolder, QWidget* parent);

private:
    void Refill();
    void UpdateButtons();
    QString SelectedPupil() const;

    QString m_strFolder;
    CClassResults m_results;
    QList<QStringList> m_rows;
    QComboBox* m_pTable;
    QComboBox* m_pList;
    QLabel* m_pFault;
    QTreeView* m_pView;
    QStandardItemModel* m_pModel;
    QPushButton* m_pOpen;
    QPushButton* m_pExport;
    QPushButton* m_pPrint;
};
