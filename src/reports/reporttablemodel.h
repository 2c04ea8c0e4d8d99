#pragma once

#include "reports/reportsheet.h"

#include <QAbstractTableModel>
#include <QIcon>

// The rows of a report sheet for the page's list view: the texts of each row, the column
// titles, and the two row icons that alternate from row to row in the first column.
class CReportTableModel : public QAbstractTableModel, public IReportSheetObserver
{
    Q_OBJECT
public:
    // Observes the sheet from now on; the sheet must outlive the model.
    explicit CReportTableModel(CReportSheet& sheet, QObject* parent = nullptr);
    ~CReportTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The icon of row n: icon n mod 2 (16 and 32 pixels).
    QIcon RowIcon(int row) const;

    void SheetAboutToReset() override;
    void SheetReset() override;
    void RowsAboutToBeRemoved(int first, int last) override;
    void RowsRemoved() override;

private:
    CReportSheet& m_sheet;
    QIcon m_icons[2];
};
