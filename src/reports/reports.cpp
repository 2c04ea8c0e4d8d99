#include "reports/reports.h"

#include "app/dialogunits.h"
#include "app/messages.h"
#include "lists/orthexdoc.h"
#include "reports/printlayout.h"
#include "reports/reportprinter.h"
#include "reports/reporttablemodel.h"

#include <QButtonGroup>
#include <QFontDialog>
#include <QFrame>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTreeView>

namespace {
const QString kNoData = QStringLiteral("No data.");
const QString kFontTooLarge =
    QStringLiteral("The chosen font is too large: not one row of the report fits on a page. Please choose a smaller font.");
const QString kNotPrinted = QStringLiteral("The report could not be printed on %1.");

std::optional<QFont> runFontDialog(QWidget* parent, const QFont& initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent, QStringLiteral("Font"));
    if (!ok)
        return std::nullopt;
    return font;
}

void runPreview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint)
{
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    if (parent && parent->window())
        dialog.resize(parent->window()->size());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter* p) { paint(p); });
    dialog.exec();
}

CReports::FontDialogFunction& fontDialogFunction()
{
    static CReports::FontDialogFunction function;
    return function;
}

CReports::PreviewFunction& previewFunction()
{
    static CReports::PreviewFunction function;
    return function;
}

QFrame* etchedLine(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

template <typename Button>
Button* control(const QString& caption, const QString& whatsThis, QWidget* parent)
{
    auto* button = new Button(caption, parent);
    button->setAccessibleName(caption);
    button->setWhatsThis(whatsThis);
    return button;
}

// The size in tenths of a point of a font from the font dialog.
int pointTenths(const QFont& font, const QWidget& screen)
{
    if (font.pointSizeF() > 0)
        return qRound(font.pointSizeF() * 10);
    return qRound(font.pixelSize() * 720.0 / qMax(screen.logicalDpiY(), 1));
}
}  // namespace

CReports::FontDialogFunction CReports::SetFontDialogFunction(FontDialogFunction function)
{
    FontDialogFunction previous = fontDialogFunction();
    fontDialogFunction() = std::move(function);
    return previous;
}

CReports::PreviewFunction CReports::SetPreviewFunction(PreviewFunction function)
{
    PreviewFunction previous = previewFunction();
    previewFunction() = std::move(function);
    return previous;
}

QFont CReports::InitialPrintFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(12);
    return font;
}

CReports::CReports(COrthexDoc& document, IPageCommandTarget& commands, QWidget* parent)
    : CPageView(document, commands, parent)
    , m_pModel(new CReportTableModel(m_sheet, this))
    , m_printFont(InitialPrintFont())
{
    setObjectName(QStringLiteral("reportsPage"));
    setAccessibleName(QStringLiteral("Reports Page"));
    setFont(CDialogUnits::FormFont());
    const CDialogUnits du(font());

    auto* heading = new QLabel(QStringLiteral("Reports Page"), this);
    heading->setAlignment(Qt::AlignCenter);
    du.Place(heading, 7, 7, 306, 11);
    du.Place(etchedLine(this), 8, 18, 306, 1);

    auto* group = new QGroupBox(this);
    group->setAccessibleName(QStringLiteral("Report"));
    du.Place(group, 14, 21, 276, 21);
    m_pKinds = new QButtonGroup(this);
    struct SRadio {
        const char* caption;
        const char* whatsThis;
        int left, top, width;
    };
    const SRadio radios[] = {
        {"Grades", "Lists the grades of the tests taken.", 41, 26, 39},
        {"Misspelled Words", "Lists the misspelled words with the kinds of spelling error made.", 118, 27, 72},
        {"Vocabulary List", "Lists the words skipped during tests.", 212, 28, 64},
    };
    for (int i = 0; i < 3; ++i) {
        auto* radio = control<QRadioButton>(QString::fromLatin1(radios[i].caption),
                                            QString::fromLatin1(radios[i].whatsThis), this);
        m_pKinds->addButton(radio, i);
        du.Place(radio, radios[i].left, radios[i].top, radios[i].width, 10);
        // The caption must not be cut off where the platform's indicator is wider.
        radio->resize(qMax(radio->width(), radio->sizeHint().width()), radio->height());
    }
    m_pKinds->button(0)->setChecked(true);

    m_pList = new QTreeView(this);
    m_pList->setObjectName(QStringLiteral("reportList"));
    m_pList->setAccessibleName(QStringLiteral("Report Rows"));
    m_pList->setWhatsThis(QStringLiteral("The rows of the report shown; select rows to delete them."));
    m_pList->setModel(m_pModel);
    m_pList->setRootIsDecorated(false);
    m_pList->setItemsExpandable(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setAllColumnsShowFocus(true);
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setIconSize(QSize(16, 16));
    m_pList->setFrameShape(QFrame::StyledPanel);
    m_pList->header()->setMinimumSectionSize(0);
    m_pList->header()->setStretchLastSection(false);
    m_pList->header()->setSectionsMovable(false);
    m_pList->header()->setHighlightSections(false);
    du.Place(m_pList, 7, 46, 306, 131);

    m_pSave = control<QPushButton>(QStringLiteral("Save Changes"),
                                   QStringLiteral("Keeps the deletions made in the report shown."), this);
    du.Place(m_pSave, 7, 181, 55, 12);
    m_pDeleteAll = control<QPushButton>(QStringLiteral("Delete All"),
                                        QStringLiteral("Deletes every row of the report shown."), this);
    du.Place(m_pDeleteAll, 70, 181, 55, 12);
    m_pDeleteSelection = control<QPushButton>(QStringLiteral("Delete Selection"),
                                              QStringLiteral("Deletes the selected rows of the report shown."), this);
    du.Place(m_pDeleteSelection, 134, 181, 55, 12);
    m_pPrint = control<QPushButton>(QStringLiteral("Print"),
                                    QStringLiteral("Prints the report shown, after choosing a font and a preview."), this);
    du.Place(m_pPrint, 196, 181, 55, 12);
    m_pCancel = control<QPushButton>(QStringLiteral("Cancel"),
                                     QStringLiteral("Brings back the rows deleted since the last save."), this);
    du.Place(m_pCancel, 258, 181, 55, 12);
    for (QPushButton* button : {m_pSave, m_pDeleteAll, m_pDeleteSelection, m_pPrint, m_pCancel})
        button->setAutoDefault(false);
    m_pSave->setDefault(true);

    QWidget* order[] = {m_pKinds->button(0), m_pKinds->button(1), m_pKinds->button(2), m_pList, m_pSave,
                        m_pDeleteAll, m_pDeleteSelection, m_pPrint, m_pCancel};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_pKinds, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            ShowReport(EReportKind(id));
    });
    connect(m_pSave, &QPushButton::clicked, this, &CReports::OnSaveChanges);
    connect(m_pDeleteAll, &QPushButton::clicked, this, &CReports::OnDeleteAll);
    connect(m_pDeleteSelection, &QPushButton::clicked, this, &CReports::OnDeleteSelection);
    connect(m_pPrint, &QPushButton::clicked, this, &CReports::OnPrint);
    connect(m_pCancel, &QPushButton::clicked, this, &CReports::OnCancel);
}

CReports::~CReports()
{
    // The list and its model read the sheet, which goes before the widget's children would.
    delete m_pList;
    delete m_pModel;
}

SReportLists CReports::DocumentLists() const
{
    COrthexDoc& doc = GetDocument();
    return {&doc.m_listGrades, &doc.m_listMissed, &doc.m_listVocabulary};
}

QRadioButton* CReports::ReportButton(EReportKind kind) const
{
    return qobject_cast<QRadioButton*>(m_pKinds->button(int(kind)));
}

void CReports::OnInitialUpdate()
{
    m_sheet.OnInitialUpdate(&GetDocument().m_bResultsChanged, DocumentLists());
    SizeColumns();
    PushRadioValue();
}

void CReports::OnUpdate()
{
    m_sheet.OnUpdate(DocumentLists());
    SizeColumns();
    PushRadioValue();
}

void CReports::ShowReport(EReportKind kind)
{
    if (kind != m_sheet.Kind()) {
        m_sheet.Show(kind);
        SizeColumns();
    }
    PushRadioValue();
}

void CReports::OnDeleteSelection()
{
    QList<int> rows;
    for (const QModelIndex& index : m_pList->selectionModel()->selectedRows())
        rows.append(index.row());
    m_sheet.DeleteRows(rows);
}

void CReports::OnDeleteAll()
{
    m_sheet.DeleteAll();
}

void CReports::OnSaveChanges()
{
    m_sheet.SaveChanges();
}

void CReports::OnCancel()
{
    if (!m_sheet.RowsChanged())
        return;
    m_sheet.Cancel();
    SizeColumns();
    PushRadioValue();
}

void CReports::PushRadioValue()
{
    QAbstractButton* button = m_pKinds->button(int(m_sheet.Kind()));
    if (button && !button->isChecked()) {
        const QSignalBlocker blocker(m_pKinds);
        button->setChecked(true);
    }
}

int CReports::ContentWidth(int column) const
{
    const QList<QStringList>& rows = m_sheet.Rows();
    if (rows.isEmpty())
        return 0;
    const QFontMetrics metrics = m_pList->fontMetrics();
    auto textOf = [&rows, column](int row) {
        const QStringList& texts = rows.at(row);
        return column < texts.size() ? texts.at(column) : QString();
    };
    // What the view adds around a text (margins, and the icon in the first column), from the
    // delegate's own size of the first row; then the widest text, each distinct one measured once.
    QStyleOptionViewItem option;
    option.initFrom(m_pList);
    option.font = m_pList->font();
    option.decorationSize = m_pList->iconSize();
    option.features |= QStyleOptionViewItem::HasDisplay;
    const QModelIndex first = m_pModel->index(0, column);
    const int padding =
        m_pList->itemDelegateForIndex(first)->sizeHint(option, first).width() - metrics.horizontalAdvance(textOf(0));
    QHash<QString, int> measured;
    int widest = 0;
    for (int row = 0; row < rows.size(); ++row) {
        const QString text = textOf(row);
        auto it = measured.constFind(text);
        if (it == measured.constEnd())
            it = measured.insert(text, metrics.horizontalAdvance(text));
        widest = qMax(widest, it.value());
    }
    // Some slack as the list view leaves around a fitted column, so that fractional text widths
    // never elide the widest text.
    const int slack = 2 * (m_pList->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_pList) + 1);
    return widest + padding + slack;
}

void CReports::SizeColumns()
{
    QHeaderView* header = m_pList->header();
    const QList<SReportColumn>& columns = m_sheet.Columns();
    for (int c = 0; c < columns.size(); ++c) {
        const SReportColumn& column = columns.at(c);
        if (column.IsHidden()) {
            header->setSectionResizeMode(c, QHeaderView::Fixed);
            header->resizeSection(c, 0);
        } else {
            header->setSectionResizeMode(c, QHeaderView::Interactive);
            const int width = column.autoSize ? qMax(header->sectionSizeHint(c), ContentWidth(c)) : column.initialWidth;
            header->resizeSection(c, width);
        }
    }
}

void CReports::OnPrint()
{
    if (DocumentLists().Count(m_sheet.Kind()) == 0) {
        Messages::Show(kNoData, MessageIcon::Exclamation);
        return;
    }
    const FontDialogFunction& dialog = fontDialogFunction() ? fontDialogFunction() : FontDialogFunction(&runFontDialog);
    const std::optional<QFont> chosen = dialog(this, InitialPrintFont());
    if (!chosen)
        return;
    m_printFont = *chosen;
    m_nPrintPointTenths = pointTenths(*chosen, *this);
    QMetaObject::invokeMethod(this, &CReports::OnFilePrintPreview, Qt::QueuedConnection);
}

QPrinter& CReports::Printer()
{
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_pPrinter;
}

void CReports::OnFilePrintPreview()
{
    QPrinter& printer = Printer();
    const CReportPrinter job(m_sheet.Kind(), GetDocument().m_strCurrentUser, DocumentLists(), m_printFont,
                             m_nPrintPointTenths);
    if (job.LinesPerPage(printer) <= 0) {
        Messages::Show(kFontTooLarge, MessageIcon::Exclamation);
        return;
    }
    printer.setDocName(PrintLayout::Title(m_sheet.Kind(), GetDocument().m_strCurrentUser));
    const PreviewFunction& preview = previewFunction() ? previewFunction() : PreviewFunction(&runPreview);
    preview(this, printer, [this](QPrinter* target) { PrintReport(target); });
}

void CReports::PrintReport(QPrinter* printer)
{
    if (!printer)
        return;
    const CReportPrinter job(m_sheet.Kind(), GetDocument().m_strCurrentUser, DocumentLists(), m_printFont,
                             m_nPrintPointTenths);
    if (job.LinesPerPage(*printer) <= 0) {
        Messages::Show(kFontTooLarge, MessageIcon::Exclamation);
        return;
    }
    if (!job.Print(*printer)) {
        const QString where = printer->outputFileName().isEmpty() ? printer->printerName() : printer->outputFileName();
        Messages::Show(kNotPrinted.arg(where), MessageIcon::Stop);
    }
}
