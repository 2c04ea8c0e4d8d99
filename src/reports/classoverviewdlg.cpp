#include "reports/classoverviewdlg.h"

#include "base/appfolders.h"
#include "base/appsettings.h"
#include "base/messages.h"
#include "reports/errorprofile.h"
#include "reports/reports.h"
#include "reports/resulttables.h"
#include "users/teachergate.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTextDocument>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const char* const kTableNames[] = {QT_TRANSLATE_NOOP("CClassOverviewDlg", "Overview"),
                                   QT_TRANSLATE_NOOP("CClassOverviewDlg", "Words Missed Most"),
                                   QT_TRANSLATE_NOOP("CClassOverviewDlg", "Error Profile")};
const char* const kFileNames[] = {"class overview.csv", "class words.csv", "class error profile.csv"};

QTreeView* makeView(QStandardItemModel* model, QWidget* parent)
{
    auto* view = new QTreeView(parent);
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return view;
}

void fill(QStandardItemModel& model, QTreeView& view, const QStringList& header, const QList<QStringList>& rows)
{
    model.clear();
    model.setHorizontalHeaderLabels(header);
    for (const QStringList& row : rows) {
        QList<QStandardItem*> items;
        for (const QString& text : row)
            items.append(new QStandardItem(text));
        model.appendRow(items);
    }
    for (int c = 0; c < header.size(); ++c)
        view.resizeColumnToContents(c);
}

}  // namespace

CPupilReportsDlg::CPupilReportsDlg(const SClassPupil& pupil, QWidget* parent)
    : QDialog(parent)
    , m_pKind(new QComboBox(this))
    , m_pModel(new QStandardItemModel(this))
{
    setWindowTitle(tr("Reports of %1").arg(pupil.name));
    m_rows[size_t(EReportKind::Grades)] = ResultTables::Rows(pupil.grades);
    m_rows[size_t(EReportKind::Missed)] = ResultTables::Rows(pupil.missed);
    m_rows[size_t(EReportKind::Vocabulary)] = ResultTables::Rows(pupil.vocabulary);
    m_rows[size_t(EReportKind::Profile)] = ResultTables::Rows(CErrorProfile(pupil.missed));
    for (const QString& name : {tr("Grades"), tr("Misspelled Words"), tr("Vocabulary List"), tr("Error Profile")})
        m_pKind->addItem(name);
    m_pKind->setAccessibleName(tr("Report"));
    m_pView = makeView(m_pModel, this);
    m_pView->setAccessibleName(tr("Report Rows"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pKind);
    layout->addWidget(m_pView);
    layout->addWidget(buttons);
    connect(m_pKind, &QComboBox::currentIndexChanged, this, [this](int index) { ShowReport(EReportKind(index)); });
    ShowReport(EReportKind::Grades);
    resize(640, 420);
}

void CPupilReportsDlg::ShowReport(EReportKind kind)
{
    if (m_pKind->currentIndex() != int(kind))
        m_pKind->setCurrentIndex(int(kind));  // comes back here
    else
        fill(*m_pModel, *m_pView, ResultTables::Header(kind), m_rows[size_t(kind)]);
}

CClassOverviewDlg::CClassOverviewDlg(const QString& userFolder, QWidget* parent)
    : QDialog(parent)
    , m_strFolder(userFolder)
    , m_pTable(new QComboBox(this))
    , m_pList(new QComboBox(this))
    , m_pFault(new QLabel(this))
    , m_pModel(new QStandardItemModel(this))
{
    setWindowTitle(tr("Class Overview"));
    for (const char* name : kTableNames)
        m_pTable->addItem(tr(name));
    m_pTable->setAccessibleName(tr("Table"));
    m_pList->setAccessibleName(tr("Spelling List"));
    m_pFault->setWordWrap(true);
    m_pFault->setStyleSheet(QStringLiteral("color: #a00000"));
    m_pView = makeView(m_pModel, this);
    m_pView->setAccessibleName(tr("Class Rows"));
    m_pView->setWhatsThis(tr("Every pupil of the user folder; open a pupil's row to see that pupil's reports."));

    auto* choices = new QHBoxLayout;
    auto* tableLabel = new QLabel(tr("&Table:"), this);
    tableLabel->setBuddy(m_pTable);
    auto* listLabel = new QLabel(tr("&List:"), this);
    listLabel->setBuddy(m_pList);
    choices->addWidget(tableLabel);
    choices->addWidget(m_pTable);
    choices->addSpacing(12);
    choices->addWidget(listLabel);
    choices->addWidget(m_pList, 1);

    auto* buttons = new QDialogButtonBox(this);
    m_pOpen = buttons->addButton(tr("&Open Pupil"), QDialogButtonBox::ActionRole);
    m_pExport = buttons->addButton(tr("&Export CSV..."), QDialogButtonBox::ActionRole);
    m_pPrint = buttons->addButton(tr("&Print..."), QDialogButtonBox::ActionRole);
    QPushButton* reload = buttons->addButton(tr("&Reload"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pOpen, &QPushButton::clicked, this, [this] { OpenPupil(SelectedPupil()); });
    connect(m_pExport, &QPushButton::clicked, this, &CClassOverviewDlg::OnExport);
    connect(m_pPrint, &QPushButton::clicked, this, &CClassOverviewDlg::OnPrint);
    connect(reload, &QPushButton::clicked, this, &CClassOverviewDlg::Reload);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("User folder: %1").arg(QDir::toNativeSeparators(userFolder)), this));
    layout->addLayout(choices);
    layout->addWidget(m_pFault);
    layout->addWidget(m_pView, 1);
    layout->addWidget(buttons);

    connect(m_pTable, &QComboBox::currentIndexChanged, this, &CClassOverviewDlg::Refill);
    connect(m_pList, &QComboBox::currentIndexChanged, this, &CClassOverviewDlg::Refill);
    connect(m_pView, &QTreeView::activated, this, [this] { OpenPupil(SelectedPupil()); });
    Reload();
    resize(720, 480);
}

CClassOverviewDlg* CClassOverviewDlg::Open(const QString& userFolder, QWidget* parent)
{
    if (!TeacherGate::Allow(parent, userFolder))
        return nullptr;
    auto* dialog = new CClassOverviewDlg(userFolder, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return dialog;
}

void CClassOverviewDlg::Reload()
{
    const QString list = List();
    m_results.Read(m_strFolder);
    {
        const QSignalBlocker blocker(m_pList);
        m_pList->clear();
        m_pList->addItem(tr("All lists"));
        m_pList->addItems(m_results.ListNames());
        m_pList->setCurrentIndex(qMax(0, m_pList->findText(list)));
    }
    const QStringList faults = m_results.Faults();
    m_pFault->setText(faults.isEmpty() ? QString()
                                       : tr("Some files could not be read whole, so those pupils are left out of "
                                            "the figures:\n%1")
                                             .arg(faults.join(QLatin1Char('\n'))));
    m_pFault->setVisible(!faults.isEmpty());
    Refill();
}

ClassTables::ETable CClassOverviewDlg::Table() const
{
    return ClassTables::ETable(qMax(0, m_pTable->currentIndex()));
}

QString CClassOverviewDlg::List() const
{
    return m_pList->currentIndex() > 0 ? m_pList->currentText() : QString();
}

void CClassOverviewDlg::ShowTable(ClassTables::ETable table, const QString& list)
{
    const QSignalBlocker tableBlocker(m_pTable);
    const QSignalBlocker listBlocker(m_pList);
    m_pTable->setCurrentIndex(int(table));
    m_pList->setCurrentIndex(list.isEmpty() ? 0 : qMax(0, m_pList->findText(list)));
    Refill();
}

void CClassOverviewDlg::Refill()
{
    m_rows = ClassTables::Rows(Table(), m_results, List());
    fill(*m_pModel, *m_pView, ClassTables::Header(Table()), m_rows);
    connect(m_pView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CClassOverviewDlg::UpdateButtons, Qt::UniqueConnection);
    UpdateButtons();
}

QString CClassOverviewDlg::SelectedPupil() const
{
    if (Table() != ClassTables::ETable::Overview)
        return QString();
    const QModelIndexList rows = m_pView->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : m_rows.value(rows.first().row()).value(0);
}

void CClassOverviewDlg::UpdateButtons()
{
    const SClassPupil* pupil = m_results.Find(SelectedPupil());
    m_pOpen->setEnabled(pupil && !pupil->damaged);
}

CPupilReportsDlg* CClassOverviewDlg::OpenPupil(const QString& name)
{
    const SClassPupil* pupil = m_results.Find(name);
    if (!pupil || pupil->damaged)
        return nullptr;
    auto* dialog = new CPupilReportsDlg(*pupil, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return dialog;
}

void CClassOverviewDlg::OnExport()
{
    CAppSettings settings;
    const QString folder = CAppFolders(settings).GetSaveFolder();
    const QString name = QString::fromLatin1(kFileNames[int(Table())]);
    const QString path = CReports::AskExportPath(this, folder.isEmpty() ? name : folder + QLatin1Char('/') + name);
    if (path.isEmpty())
        return;
    QString error;
    if (!ResultTables::WriteCsv(path, ClassTables::Header(Table()), m_rows, &error)) {
        Messages::Show(tr("The table could not be written to %1: %2").arg(QDir::toNativeSeparators(path), error),
                       MessageIcon::Stop);
    }
}

void CClassOverviewDlg::OnPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    CReports::RunPreview(this, printer, [this](QPrinter* target) { Paint(target); });
}

void CClassOverviewDlg::Paint(QPrinter* printer) const
{
    QString html = QStringLiteral("<h3>%1</h3><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>")
                       .arg((m_pTable->currentText() + (List().isEmpty() ? QString() : QStringLiteral(" -- ") + List()))
                                .toHtmlEscaped());
    for (const QString& title : ClassTables::Header(Table()))
        html += QStringLiteral("<th>%1</th>").arg(title.toHtmlEscaped());
    html += QStringLiteral("</tr>");
    for (const QStringList& row : m_rows) {
        html += QStringLiteral("<tr>");
        for (const QString& text : row)
            html += QStringLiteral("<td>%1</td>").arg(text.toHtmlEscaped());
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    QTextDocument document;
    document.setHtml(html);
    document.print(printer);
}
