#pragma once

#include "widgets/pageview.h"
#include "reports/practicesource.h"
#include "reports/reportsheet.h"

#include <QFont>

#include <functional>
#include <memory>
#include <optional>

class CDialogUnits;
class CReportTableModel;
class QButtonGroup;
class QGridLayout;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTreeView;

// The push buttons of the reports page, in the order they are laid out and reached with Tab.
enum class EReportButton {
    SaveChanges,
    DeleteAll,
    DeleteSelection,
    Print,
    Cancel,
    Export,
    MakePracticeList,
    Progress,
    ClassOverview
};

// The reports page: the logged-in user's grades, misspelled words (with the kinds of error made),
// vocabulary words or error profile in one list; rows can be deleted, the deletions kept ("Save
// Changes") or thrown away ("Cancel"); "Print" prints the report shown after a font dialog and a
// preview; "Export..." writes it as a CSV file. The error profile is only read.
// The algorithms are CReportSheet's; this page binds them to its controls.
class CReports : public CPageView
{
    Q_OBJECT
public:
    // The font dialog: the chosen font, or nothing when it was cancelled.
    using FontDialogFunction = std::function<std::optional<QFont>(QWidget* parent, const QFont& initial)>;
    // The print preview on the printer: calls paint for the preview and again for each print
    // job started from it (paint may be given another printer).
    using PreviewFunction =
        std::function<void(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint)>;
    // The file dialog of "Export...": the path chosen, starting from the suggested one, or an
    // empty text when it was cancelled.
    using SaveFileFunction = std::function<QString(QWidget* parent, const QString& suggestedPath)>;
    // The question asked before rows are deleted: true for Yes.
    using QuestionFunction = std::function<bool(QWidget* parent, const QString& text)>;

    CReports(COrthexDoc& document, IPageCommandTarget& commands, QWidget* parent = nullptr);
    ~CReports() override;

    void OnInitialUpdate() override;
    void OnUpdate() override;

    // The radio buttons: shows a report, saving the deletions of the one shown first.
    void ShowReport(EReportKind kind);
    // "Delete Selection" and "Delete All" ask first (No is the default answer), since a
    // deletion saved with the page's other changes cannot be undone, and before that for the
    // teacher password when the user folder has one; with no row to delete there is nothing to
    // ask.
    void OnDeleteSelection();
    void OnDeleteAll();
    void OnSaveChanges();
    void OnCancel();
    // "Print": "No data." for an empty report; otherwise the font dialog, from Arial 12 each
    // time, and on OK the preview is posted (it runs from the event loop).
    void OnPrint();
    // The preview of the report shown with the chosen font.
    void OnFilePrintPreview();
    // Paints the report shown on the printer: the preview's pages and each print job.
    void PrintReport(QPrinter* printer);
    // "Export...": "No data." for an empty report; otherwise the file dialog, from the user's
    // name and the report's in the save folder, and the report as CSV (the columns of orthex-cli
    // results), read from the document's lists as printing does. The file is replaced whole or
    // not at all; a failure is shown naming the file.
    void OnExport();
    // "Make Practice List...": a new list of the words of the selected rows (all rows when none
    // is selected), opened at the end; for the misspelled words, vocabulary and the profile.
    void OnMakePracticeList();
    // "Progress": the chart of the pupil's grades in its own window.
    void OnProgress();
    // "Class Overview": every pupil of the user folder in a window of its own.
    void OnClassOverview();
    // Where the file dialog of "Export..." starts: "<save folder>/<user> grades.csv" and so on.
    QString SuggestedExportPath() const;

    // The rows selected in the list, ascending.
    QList<int> SelectedRows() const;
    // The words to practise from the report shown: the selected rows, or all rows when none is
    // selected (see CReportSheet::PracticeSourcesOf). Empty for the grades.
    QList<SPracticeSource> PracticeSources() const;
    // The profile shown: the misspelled words of the selected kinds (all kinds when none is
    // selected), as indexes into the document's missed-word list. Empty for the other reports.
    QList<qsizetype> SelectedMissedRecords() const;

    // Replace the dialogs for the whole program (an empty function restores the real one);
    // each returns the one it replaces.
    static FontDialogFunction SetFontDialogFunction(FontDialogFunction function);
    static PreviewFunction SetPreviewFunction(PreviewFunction function);
    static SaveFileFunction SetSaveFileFunction(SaveFileFunction function);
    static QuestionFunction SetQuestionFunction(QuestionFunction function);
    // The file dialog of "Export..." and the print preview as the program has them now (the
    // replacement when there is one), for the windows that export and print like this page.
    static QString AskExportPath(QWidget* parent, const QString& suggestedPath);
    static void RunPreview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint);

    // The font Arial 12, as the font dialog starts.
    static QFont InitialPrintFont();

    const CReportSheet& Sheet() const { return m_sheet; }
    QFont PrintFont() const { return m_printFont; }
    int PrintPointTenths() const { return m_nPrintPointTenths; }
    // The printer the preview uses (made on first use from the default printer).
    QPrinter& Printer();

    QRadioButton* ReportButton(EReportKind kind) const;
    QTreeView* ListView() const { return m_pList; }
    QPushButton* Button(EReportButton button) const;
    QPushButton* SaveChangesButton() const { return Button(EReportButton::SaveChanges); }
    QPushButton* DeleteAllButton() const { return Button(EReportButton::DeleteAll); }
    QPushButton* DeleteSelectionButton() const { return Button(EReportButton::DeleteSelection); }
    QPushButton* PrintButton() const { return Button(EReportButton::Print); }
    QPushButton* CancelButton() const { return Button(EReportButton::Cancel); }
    QPushButton* ExportButton() const { return Button(EReportButton::Export); }
    QPushButton* MakePracticeListButton() const { return Button(EReportButton::MakePracticeList); }
    QPushButton* ProgressButton() const { return Button(EReportButton::Progress); }
    QPushButton* ClassOverviewButton() const { return Button(EReportButton::ClassOverview); }

private:
    SReportLists DocumentLists() const;
    // Makes the push buttons from their table on the form, in rows for under the list.
    QGridLayout* MakeButtons(const CDialogUnits& du, QWidget* form);
    // Enables each push button by its rule, after every change of the report or the selection.
    void UpdateButtons();
    // After every fill: hidden columns at width 0, the others fitted to title and texts.
    void SizeColumns();
    int ContentWidth(int column) const;
    void PushRadioValue();
    bool AskToDelete(qsizetype rows, bool all);

    CReportSheet m_sheet;
    CReportTableModel* m_pModel;
    QFont m_printFont;
    int m_nPrintPointTenths = 120;
    std::unique_ptr<QPrinter> m_pPrinter;

    QButtonGroup* m_pKinds;
    QTreeView* m_pList;
    QList<QPushButton*> m_buttons;  // by EReportButton
};
