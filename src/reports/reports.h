#pragma once

#include "app/pageview.h"
#include "reports/reportsheet.h"

#include <QFont>

#include <functional>
#include <memory>
#include <optional>

class CReportTableModel;
class QButtonGroup;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTreeView;

// The reports page: the logged-in user's grades, misspelled words (with the kinds of error made)
// or vocabulary words in one list; rows can be deleted, the deletions kept ("Save Changes") or
// thrown away ("Cancel"); "Print" prints the report shown after a font dialog and a preview.
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

    CReports(COrthexDoc& document, IPageCommandTarget& commands, QWidget* parent = nullptr);
    ~CReports() override;

    void OnInitialUpdate() override;
    void OnUpdate() override;

    // The radio buttons: shows a report, saving the deletions of the one shown first.
    void ShowReport(EReportKind kind);
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

    // Replace the dialogs for the whole program (an empty function restores the real one);
    // each returns the one it replaces.
    static FontDialogFunction SetFontDialogFunction(FontDialogFunction function);
    static PreviewFunction SetPreviewFunction(PreviewFunction function);

    // The font Arial 12, as the font dialog starts.
    static QFont InitialPrintFont();

    const CReportSheet& Sheet() const { return m_sheet; }
    QFont PrintFont() const { return m_printFont; }
    int PrintPointTenths() const { return m_nPrintPointTenths; }
    // The printer the preview uses (made on first use from the default printer).
    QPrinter& Printer();

    QRadioButton* ReportButton(EReportKind kind) const;
    QTreeView* ListView() const { return m_pList; }
    QPushButton* SaveChangesButton() const { return m_pSave; }
    QPushButton* DeleteAllButton() const { return m_pDeleteAll; }
    QPushButton* DeleteSelectionButton() const { return m_pDeleteSelection; }
    QPushButton* PrintButton() const { return m_pPrint; }
    QPushButton* CancelButton() const { return m_pCancel; }

private:
    SReportLists DocumentLists() const;
    // After every fill: hidden columns at width 0, the others fitted to title and texts.
    void SizeColumns();
    int ContentWidth(int column) const;
    void PushRadioValue();

    CReportSheet m_sheet;
    CReportTableModel* m_pModel;
    QFont m_printFont;
    int m_nPrintPointTenths = 120;
    std::unique_ptr<QPrinter> m_pPrinter;

    QButtonGroup* m_pKinds;
    QTreeView* m_pList;
    QPushButton* m_pSave;
    QPushButton* m_pDeleteAll;
    QPushButton* m_pDeleteSelection;
    QPushButton* m_pPrint;
    QPushButton* m_pCancel;
};
