#pragma once

#include "storage/recordlist.h"
#include "storage/records.h"

#include <QDialog>
#include <QImage>
#include <QString>

#include <functional>

class CProgressChart;
class QChartView;
class QPrinter;
class QPushButton;

// The "Progress" window: a chart of a pupil's grades over time (CProgressChart), which can be
// saved as a PNG picture and printed.
class CProgressChartDlg : public QDialog
{
    Q_OBJECT
public:
    // Asks where to save the picture, starting from the suggested path; empty when cancelled.
    using SaveFileNameFunction = std::function<QString(QWidget* parent, const QString& suggested)>;
    // Chooses a printer (the print dialog) and, unless cancelled, calls print with it.
    using PrintFunction = std::function<void(QWidget* parent, const QString& docName,
                                             const std::function<bool(QPrinter&)>& print)>;

    // The chart is made from a copy of the grades; the list is not read again afterwards.
    CProgressChartDlg(const CRecordList<CGrade>& grades, const QString& pupil, QWidget* parent = nullptr);
    ~CProgressChartDlg() override;

    // Whether the grades give the chart at least one point (grades of 0 words give none).
    static bool HasData(const CRecordList<CGrade>& grades);
    // "No data." (exclamation) and null when there is nothing to draw; otherwise a new window,
    // shown without waiting, that deletes itself when closed.
    static CProgressChartDlg* Open(const CRecordList<CGrade>& grades, const QString& pupil, QWidget* parent);
    // "Progress -- NAME" ("Progress" with nobody named): the window's and the chart's title.
    static QString Title(const QString& pupil);

    // Replace the dialogs for the whole program (an empty function restores the real one);
    // each returns the one it replaces.
    static SaveFileNameFunction SetSaveFileNameFunction(SaveFileNameFunction function);
    static PrintFunction SetPrintFunction(PrintFunction function);

    // "Save Image...": asks for a file name and saves the picture there (".png" is added to a
    // name without an extension).
    void OnSaveImage();
    // "Print...": the print dialog, then the chart on one page.
    void OnPrint();

    // The next three draw the chart as it is laid out in the window, so the window must have
    // been shown (Open shows it).
    // The chart as it is shown. Null when the window has no size yet.
    QImage ChartImage() const;
    // Saves the picture as PNG; on failure says so, naming the file, and returns false.
    bool SaveImage(const QString& path);
    // Draws the chart on one page, as large as fits; on failure says so and returns false.
    bool PrintChart(QPrinter& printer);

    // The file name the save dialog starts from.
    QString SuggestedFileName() const;

    CProgressChart* Chart() const { return m_pChart; }
    QChartView* ChartView() const { return m_pView; }
    QPushButton* SaveImageButton() const { return m_pSaveImage; }
    QPushButton* PrintButton() const { return m_pPrint; }
    QPushButton* CloseButton() const { return m_pClose; }

private:
    void ShowToolTip(const QString& text, bool state);

    QString m_strPupil;
    CProgressChart* m_pChart;
    QChartView* m_pView;
    QPushButton* m_pSaveImage;
    QPushButton* m_pPrint;
    QPushButton* m_pClose;
};
