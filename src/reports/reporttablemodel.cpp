#include "reports/reporttablemodel.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {
QPixmap renderIcon(const QString& path, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    return pixmap;
}

QIcon loadIcon(const QString& path)
{
    QIcon icon;
    for (int size : {16, 32})
        icon.addPixmap(renderIcon(path, size));
    return icon;
}
}  // namespace

CReportTableModel::CReportTableModel(CReportSheet& sheet, QObject* parent)
    : QAbstractTableModel(parent)
    , m_sheet(sheet)
    , m_icons{loadIcon(QStringLiteral(":/reports/row-sheet.svg")), loadIcon(QStringLiteral(":/reports/row-pencil.svg"))}
{
    m_sheet.SetObserver(this);
}

CReportTableModel::~CReportTableModel()
{
    m_sheet.SetObserver(nullptr);
}

int CReportTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_sheet.RowCount();
}

int CReportTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_sheet.Columns().size());
}

QVariant CReportTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_sheet.RowCount())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        const QStringList& row = m_sheet.Rows().at(index.row());
        return index.column() < row.size() ? row.at(index.column()) : QString();
    }
    case Qt::DecorationRole:
        if (index.column() == 0)
            return RowIcon(index.row());
        break;
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        break;
    }
    return QVariant();
}

QVariant CReportTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_sheet.Columns().size())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole: return m_sheet.Columns().at(section).title;
    case Qt::TextAlignmentRole: return int(Qt::AlignLeft | Qt::AlignVCenter);
    default: return QVariant();
    }
}

QIcon CReportTableModel::RowIcon(int row) const
{
    return m_icons[row % 2];
}

void CReportTableModel::SheetAboutToReset()
{
    beginResetModel();
}

void CReportTableModel::SheetReset()
{
    endResetModel();
}

void CReportTableModel::RowsAboutToBeRemoved(int first, int last)
{
    beginRemoveRows(QModelIndex(), first, last);
}

void CReportTableModel::RowsRemoved()
{
    endRemoveRows();
}
