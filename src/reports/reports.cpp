#include "reports/reports.h"

#include "base/appfolders.h"
#include "base/appsettings.h"
#include "widgets/dialogunits.h"
#include "widgets/messageboxsink.h"
#include "base/messages.h"
#include "widgets/pagecontrols.h"
#include "document/orthexdoc.h"
#include "reports/classoverviewdlg.h"
#include "reports/practicelistflow.h"
#include "reports/printlayout.h"
#include "reports/progresschartdlg.h"
#include "reports/reportprinter.h"
#include "reports/reporttablemodel.h"
#include "reports/resulttables.h"
#include "users/teachergate.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

using namespace PageControls;

namespace {
const QString kNoData = QStringLiteral("No data.");
const QString kFontTooLarge =
    QStringLiteral("The chosen font is too large: not one row of the report fits on a page. Please choose a smaller font.");
const QString kNotPrinted = QStringLiteral("The report could not be printed on %1.");
const QString kNotExported = QStringLiteral("The report could not be written to %1: %2");

// The push buttons, in the order they are laid out (five to a row, rows from the top) and
// reached with Tab; a button is added with one line here and an enumerator of EReportButton in
// the same place. "enabled" says when it can be pressed (always when empty); every change of
// the report shown or of the selection asks it again.
struct SButtonSpec {
    EReportButton id;
    const char* caption;
    const char* whatsThis;
    void (CReports::*handler)();
    bool (*enabled)(const CReports& page);
};

bool canDelete(const CReports& page)
{
    return !page.Sheet().IsReadOnly();
}

// Grades name no words to practise.
bool hasWords(const CReports& page)
{
    return page.Sheet().Kind() != EReportKind::Grades;
}

const SButtonSpec kButtons[] = {
    {EReportButton::SaveChanges, "Save Changes", "Keeps the deletions made in the report shown.",
     &CReports::OnSaveChanges, &canDelete},
    {EReportButton::DeleteAll, "Delete All", "Deletes every row of the report shown.", &CReports::OnDeleteAll,
     &canDelete},
    {EReportButton::DeleteSelection, "Delete Selection", "Deletes the selected rows of the report shown.",
     &CReports::OnDeleteSelection, &canDelete},
    {EReportButton::Print, "Print", "Prints the report shown, after choosing a font and a preview.",
     &CReports::OnPrint, nullptr},
    {EReportButton::Cancel, "Cancel", "Brings back the rows deleted since the last save.", &CReports::OnCancel,
     nullptr},
    {EReportButton::Export, "Export...", "Writes the report shown into a CSV file.", &CReports::OnExport, nullptr},
    {EReportButton::MakePracticeList, "Make Practice List...",
     "Makes a new spelling list of the words in the selected rows, or in all rows when none is selected.",
     &CReports::OnMakePracticeList, &hasWords},
    {EReportButton::Progress, "Progress", "Shows a chart of the grades over time.", &CReports::OnProgress, nullptr},
    {EReportButton::ClassOverview, "Class Overview",
     "Shows the results of every pupil of the user folder: grades, the words missed most and the error profile.",
     &CReports::OnClassOverview, nullptr},
};

// The buttons' grid: five to a row, each at least as large as the form has always had them.
constexpr int kButtonsPerRow = 5;
constexpr int kButtonWidth = 55;
constexpr int kButtonHeight = 12;

QString runSaveFileDialog(QWidget* parent, const QString& suggestedPath)
{
    QFileDialog dialog(parent, QStringLiteral("Export"), suggestedPath,
                       QStringLiteral("CSV files (*.csv);;All files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(suggestedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

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

CReports::SaveFileFunction& saveFileFunction()
{
    static CReports::SaveFileFunction function;
    return function;
}

CReports::QuestionFunction& questionFunction()
{
    static CReports::QuestionFunction function;
    return function;
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

CReports::SaveFileFunction CReports::SetSaveFileFunction(SaveFileFunction function)
{
    SaveFileFunction previous = saveFileFunction();
    saveFileFunction() = std::move(function);
    return previous;
}

CReports::QuestionFunction CReports::SetQuestionFunction(QuestionFunction function)
{
    QuestionFunction previous = questionFunction();
    questionFunction() = std::move(function);
    return previous;
}

QString CReports::AskExportPath(QWidget* parent, const QString& suggestedPath)
{
    return saveFileFunction() ? saveFileFunction()(parent, suggestedPath) : runSaveFileDialog(parent, suggestedPath);
}

void CReports::RunPreview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint)
{
    if (previewFunction())
        previewFunction()(parent, printer, paint);
    else
        runPreview(parent, printer, paint);
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

    QVBoxLayout* formLayout = ScrollingForm(this, QStringLiteral("reports"), QStringLiteral("Reports Page"));
    QWidget* form = formLayout->parentWidget();
    formLayout->setContentsMargins(du.X(7), du.Y(4), du.X(7), du.Y(4));
    formLayout->setSpacing(du.Y(3));

    auto* group = new QGroupBox(form);
    group->setAccessibleName(QStringLiteral("Report"));
    auto* kinds = new QHBoxLayout(group);
    kinds->setSpacing(du.X(8));
    m_pKinds = new QButtonGroup(this);
    struct SRadio {
        const char* caption;
        const char* whatsThis;
    };
    const SRadio radios[] = {
        {"Grades", "Lists the grades of the tests taken."},
        {"Misspelled Words", "Lists the misspelled words with the kinds of spelling error made."},
        {"Vocabulary List", "Lists the words skipped during tests."},
        {"Error Profile",
         "Lists the kinds of spelling error in the misspelled words: how often each occurs, the newest, and "
         "examples."},
    };
    static_assert(std::size(radios) == std::size(kReportKinds));
    for (int i = 0; i < int(std::size(radios)); ++i) {
        auto* radio = Captioned<QRadioButton>(QString::fromLatin1(radios[i].caption),
                                              QString::fromLatin1(radios[i].whatsThis), form);
        m_pKinds->addButton(radio, i);
        kinds->addWidget(radio);
    }
    kinds->addStretch(1);
    m_pKinds->button(0)->setChecked(true);
    formLayout->addWidget(group);

    m_pList = new QTreeView(form);
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
    // The list takes the room the window gives; below its least size the page scrolls.
    m_pList->setMinimumSize(du.Size(120, 40));
    formLayout->addWidget(m_pList, 1);
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CReports::UpdateButtons);

    formLayout->addLayout(MakeButtons(du, form));

    QList<QWidget*> order;
    for (QAbstractButton* radio : m_pKinds->buttons())
        order << radio;
    order << m_pList;
    for (QPushButton* button : m_buttons)
        order << button;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_pKinds, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            ShowReport(EReportKind(id));
    });
    UpdateButtons();
}

QGridLayout* CReports::MakeButtons(const CDialogUnits& du, QWidget* form)
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(du.X(4));
    grid->setVerticalSpacing(du.Y(3));
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        const SButtonSpec& spec = kButtons[i];
        Q_ASSERT(size_t(spec.id) == i);
        auto* button = FormButton(QString::fromUtf8(spec.caption), QString::fromUtf8(spec.whatsThis), form);
        // A caption wider than the grid's least width widens its button, and its column with it.
        button->setMinimumSize(du.Size(kButtonWidth, kButtonHeight).expandedTo(button->sizeHint()));
        grid->addWidget(button, int(i) / kButtonsPerRow, int(i) % kButtonsPerRow);
        connect(button, &QPushButton::clicked, this, spec.handler);
        m_buttons.append(button);
    }
    // The buttons keep their size; the room the window gives goes to the right of them.
    grid->setColumnStretch(kButtonsPerRow, 1);
    Button(EReportButton::SaveChanges)->setDefault(true);
    return grid;
}

QPushButton* CReports::Button(EReportButton button) const
{
    return m_buttons.value(qsizetype(button));
}

void CReports::UpdateButtons()
{
    for (size_t i = 0; i < std::size(kButtons) && qsizetype(i) < m_buttons.size(); ++i)
        m_buttons.at(qsizetype(i))->setEnabled(!kButtons[i].enabled || kButtons[i].enabled(*this));
}

CReports::~CReports()
{
    // The list and its model read the sheet, which goes before the widget's children would.
    delete m_pList;
    m_pList = nullptr;
    delete m_pModel;
}

SReportLists CReports::DocumentLists() const
{
    CResultLists& results = GetDocument().Results();
    return {&results.Grades(), &results.Missed(), &results.Vocabulary()};
}

QRadioButton* CReports::ReportButton(EReportKind kind) const
{
    return qobject_cast<QRadioButton*>(m_pKinds->button(int(kind)));
}

void CReports::OnInitialUpdate()
{
    m_sheet.OnInitialUpdate(&GetDocument().Results(), DocumentLists());
    SizeColumns();
    PushRadioValue();
    UpdateButtons();
}

void CReports::OnUpdate()
{
    m_sheet.OnUpdate(DocumentLists());
    SizeColumns();
    PushRadioValue();
    UpdateButtons();
}

void CReports::ShowReport(EReportKind kind)
{
    if (kind != m_sheet.Kind()) {
        m_sheet.Show(kind);
        SizeColumns();
    }
    PushRadioValue();
    UpdateButtons();
}

bool CReports::AskToDelete(qsizetype rows, bool all)
{
    if (m_sheet.IsReadOnly() || rows == 0)
        return true;
    CAppSettings settings;
    if (!TeacherGate::Allow(this, CAppFolders(settings).GetDefaultUserFolder()))
        return false;
    QString text;
    if (all)
        text = rows == 1 ? tr("Delete the one row of this report?") : tr("Delete all %1 rows of this report?").arg(rows);
    else
        text = rows == 1 ? tr("Delete the selected row?") : tr("Delete the %1 selected rows?").arg(rows);
    const QuestionFunction& ask = questionFunction() ? questionFunction() : QuestionFunction(&AskYesNo);
    return ask(this, text + QLatin1Char('\n') + tr("Once the changes are saved, the deleted results are gone."));
}

void CReports::OnDeleteSelection()
{
    const QList<int> rows = SelectedRows();
    if (AskToDelete(rows.size(), false))
        m_sheet.DeleteRows(rows);
}

void CReports::OnDeleteAll()
{
    if (AskToDelete(m_sheet.Rows().size(), true))
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
    UpdateButtons();
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
    if (PrintLayout::RecordCount(m_sheet.Kind(), DocumentLists()) == 0) {
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
    const CReportPrinter job(m_sheet.Kind(), GetDocument().CurrentUser(), DocumentLists(), m_printFont,
                             m_nPrintPointTenths);
    if (job.LinesPerPage(printer) <= 0) {
        Messages::Show(kFontTooLarge, MessageIcon::Exclamation);
        return;
    }
    printer.setDocName(PrintLayout::Title(m_sheet.Kind(), GetDocument().CurrentUser()));
    const PreviewFunction& preview = previewFunction() ? previewFunction() : PreviewFunction(&runPreview);
    preview(this, printer, [this](QPrinter* target) { PrintReport(target); });
}

void CReports::PrintReport(QPrinter* printer)
{
    if (!printer)
        return;
    const CReportPrinter job(m_sheet.Kind(), GetDocument().CurrentUser(), DocumentLists(), m_printFont,
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

void CReports::OnClassOverview()
{
    CAppSettings settings;
    CClassOverviewDlg::Open(CAppFolders(settings).GetDefaultUserFolder(), this);
}

QString CReports::SuggestedExportPath() const
{
    CAppSettings settings;
    const CAppFolders folders(settings);
    const QString name = ResultTables::ExportFileName(m_sheet.Kind(), GetDocument().CurrentUser());
    const QString folder = folders.GetSaveFolder();
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

void CReports::OnExport()
{
    const EReportKind kind = m_sheet.Kind();
    const SReportLists lists = DocumentLists();
    // The profile has a row for each kind of error found, which may be none.
    const QList<QStringList> rows = ResultTables::Rows(kind, lists);
    if (rows.isEmpty()) {
        Messages::Show(kNoData, MessageIcon::Exclamation);
        return;
    }
    const SaveFileFunction& dialog = saveFileFunction() ? saveFileFunction() : SaveFileFunction(&runSaveFileDialog);
    const QString path = dialog(this, SuggestedExportPath());
    if (path.isEmpty())
        return;
    QString error;
    if (!ResultTables::WriteCsv(path, ResultTables::Header(kind), rows, &error))
        Messages::Show(kNotExported.arg(QDir::toNativeSeparators(path), error), MessageIcon::Stop);
}

QList<int> CReports::SelectedRows() const
{
    QList<int> rows;
    if (!m_pList || !m_pList->selectionModel())
        return rows;
    for (const QModelIndex& index : m_pList->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QList<SPracticeSource> CReports::PracticeSources() const
{
    return m_sheet.PracticeSourcesOf(SelectedRows());
}

QList<qsizetype> CReports::SelectedMissedRecords() const
{
    return m_sheet.MissedRecordsOf(SelectedRows());
}

void CReports::OnMakePracticeList()
{
    if (!hasWords(*this))
        return;
    const ::PracticeSources sources = PracticeSources();
    if (sources.isEmpty()) {
        Messages::Show(kNoData, MessageIcon::Exclamation);
        return;
    }
    // Deletions not yet saved stay on the page; the words come from the rows shown.
    PracticeListFlow::Run(this, GetDocument(), GetDocument().CurrentUser(), sources);
}

void CReports::OnProgress()
{
    const SReportLists lists = DocumentLists();
    if (!lists.grades) {
        Messages::Show(kNoData, MessageIcon::Exclamation);
        return;
    }
    CProgressChartDlg::Open(*lists.grades, GetDocument().CurrentUser(), this);
}
