#include "reports/progresschartdlg.h"

#include "widgets/dialogunits.h"

#include "base/appfolders.h"
#include "base/messages.h"
#include "reports/progresschart.h"
#include "reports/progressdata.h"

#include <QChartView>
#include <QCursor>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

const QString kNoData = QStringLiteral("No data.");

QString runSaveDialog(QWidget* parent, const QString& suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save Image"), suggested,
                                        QStringLiteral("PNG images (*.png)"));
}

void runPrintDialog(QWidget* parent, const QString& docName, const std::function<bool(QPrinter&)>& print)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(docName);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() == QDialog::Accepted)
        print(printer);
}

CProgressChartDlg::SaveFileNameFunction& saveFileNameFunction()
{
    static CProgressChartDlg::SaveFileNameFunction function;
    return function;
}

CProgressChartDlg::PrintFunction& printFunction()
{
    static CProgressChartDlg::PrintFunction function;
    return function;
}

QPushButton* button(QDialogButtonBox* box, const QString& caption, QDialogButtonBox::ButtonRole role)
{
    QPushButton* result = box->addButton(caption, role);
    result->setAccessibleName(caption);
    result->setAutoDefault(false);
    return result;
}

// A user's name as part of a file name: no folder separators or characters Windows refuses.
QString fileNamePart(const QString& text)
{
    QString part = text;
    for (QChar& c : part) {
        if (c < QChar(0x20) || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    return part.trimmed();
}

}  // namespace

CProgressChartDlg::SaveFileNameFunction CProgressChartDlg::SetSaveFileNameFunction(SaveFileNameFunction function)
{
    SaveFileNameFunction previous = saveFileNameFunction();
    saveFileNameFunction() = std::move(function);
    return previous;
}

CProgressChartDlg::PrintFunction CProgressChartDlg::SetPrintFunction(PrintFunction function)
{
    PrintFunction previous = printFunction();
    printFunction() = std::move(function);
    return previous;
}

QString CProgressChartDlg::Title(const QString& pupil)
{
    return pupil.isEmpty() ? QStringLiteral("Progress") : QStringLiteral("Progress -- ") + pupil;
}

bool CProgressChartDlg::HasData(const CRecordList<CGrade>& grades)
{
    for (const CGrade& grade : grades) {
        if (grade.GetWordCount() > 0)
            return true;
    }
    return false;
}

CProgressChartDlg* CProgressChartDlg::Open(const CRecordList<CGrade>& grades, const QString& pupil, QWidget* parent)
{
    if (!HasData(grades)) {
        Messages::Show(kNoData, MessageIcon::Exclamation);
        return nullptr;
    }
    auto* dialog = new CProgressChartDlg(grades, pupil, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

CProgressChartDlg::CProgressChartDlg(const CRecordList<CGrade>& grades, const QString& pupil, QWidget* parent)
    : QDialog(parent), m_strPupil(pupil)
{
    setWindowTitle(Title(pupil));
    setSizeGripEnabled(true);

    m_pChart = new CProgressChart(ProgressData::Build(grades), Title(pupil));
    m_pView = new QChartView(m_pChart, this);  // the view owns the chart
    m_pView->setRenderHint(QPainter::Antialiasing);
    m_pView->setAccessibleName(QStringLiteral("Progress chart"));
    // Small enough for a small screen, large enough that the axes' labels and the points stay apart.
    m_pView->setMinimumSize(CDialogUnits(font()).Size(240, 160));
    connect(m_pChart, &CProgressChart::PointHovered, this, &CProgressChartDlg::ShowToolTip);

    auto* buttons = new QDialogButtonBox(this);
    m_pSaveImage = button(buttons, QStringLiteral("Save Image..."), QDialogButtonBox::ActionRole);
    m_pPrint = button(buttons, QStringLiteral("Print..."), QDialogButtonBox::ActionRole);
    m_pClose = button(buttons, QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    connect(m_pSaveImage, &QPushButton::clicked, this, &CProgressChartDlg::OnSaveImage);
    connect(m_pPrint, &QPushButton::clicked, this, &CProgressChartDlg::OnPrint);
    connect(m_pClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pView, 1);
    layout->addWidget(buttons);
    resize(800, 560);
}

CProgressChartDlg::~CProgressChartDlg() = default;

void CProgressChartDlg::ShowToolTip(const QString& text, bool state)
{
    if (state && !text.isEmpty())
        QToolTip::showText(QCursor::pos(), text, m_pView);
    else
        QToolTip::hideText();
}

QString CProgressChartDlg::SuggestedFileName() const
{
    const QString pupil = fileNamePart(m_strPupil);
    const QString name = pupil.isEmpty() ? QStringLiteral("Progress.png") : pupil + QStringLiteral(" progress.png");
    const QString folder = CAppFolders::PersonalDocumentsFolder();
    return folder.isEmpty() ? name : QDir(folder).filePath(name);
}

void CProgressChartDlg::OnSaveImage()
{
    const SaveFileNameFunction& ask = saveFileNameFunction() ? saveFileNameFunction() : SaveFileNameFunction(&runSaveDialog);
    QString path = ask(this, SuggestedFileName());
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    SaveImage(path);
}

QImage CProgressChartDlg::ChartImage() const
{
    if (m_pView->width() <= 0 || m_pView->height() <= 0)
        return QImage();
    return m_pView->grab().toImage();
}

bool CProgressChartDlg::SaveImage(const QString& path)
{
    const QImage image = ChartImage();
    if (image.isNull() || !image.save(path, "PNG")) {
        Messages::Show(QStringLiteral("Orthex could not save the chart as %1.").arg(QDir::toNativeSeparators(path)),
                       MessageIcon::Stop);
        return false;
    }
    return true;
}

void CProgressChartDlg::OnPrint()
{
    const PrintFunction& print = printFunction() ? printFunction() : PrintFunction(&runPrintDialog);
    print(this, Title(m_strPupil), [this](QPrinter& printer) { return PrintChart(printer); });
}

bool CProgressChartDlg::PrintChart(QPrinter& printer)
{
    const QString where = printer.outputFileName().isEmpty() ? printer.printerName()
                                                             : QDir::toNativeSeparators(printer.outputFileName());
    const QString failed = QStringLiteral("Orthex could not print the chart on %1.").arg(where);
    QPainter painter;
    if (!painter.begin(&printer)) {
        Messages::Show(failed, MessageIcon::Stop);
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    // The chart as laid out on screen, scaled to the page's width or height, whichever fills
    // first; drawn as lines and text, so it prints sharp.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRectF target(QPointF(0, 0), QSizeF(page.size()));
    QSizeF size = QSizeF(m_pView->viewport()->size());
    size.scale(target.size(), Qt::KeepAspectRatio);
    const QRectF placed(QPointF((target.width() - size.width()) / 2, 0), size);
    m_pView->render(&painter, placed, m_pView->viewport()->rect(), Qt::KeepAspectRatio);
    if (!painter.end()) {
        Messages::Show(failed, MessageIcon::Stop);
        return false;
    }
    return true;
}
