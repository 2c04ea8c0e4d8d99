#include "widgets/linelistbox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {
// The dotted frame round the line that has the focus, drawn the same way in every style.
void DrawFocusFrame(QPainter& painter, const QRect& rect, const QColor& colour)
{
    QPen pen(colour, 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

class CLineDelegate : public QStyledItemDelegate
{
public:
    explicit CLineDelegate(CLineListBox* box)
        : QStyledItemDelegate(box)
        , m_box(box)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QFontMetrics metrics(m_box->font());
        return QSize(metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 4, m_box->LineHeight())
            .expandedTo(QSize(option.rect.width(), 0));
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QPalette& palette = option.palette;
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(option.rect, selected ? palette.color(QPalette::Highlight) : palette.color(QPalette::Base));
        if (option.state & QStyle::State_HasFocus)
            drawFocus(painter, option);
        const QVariant colour = index.data(CLineListBox::ColourRole);
        const QColor text = selected ? palette.color(QPalette::HighlightedText)
                                     : (colour.canConvert<QColor>() ? colour.value<QColor>() : QColor(Qt::black));
        painter->setPen(text);
        painter->setFont(m_box->font());
        const QRect area = option.rect.adjusted(2, 2, 0, 0);
        painter->drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

    void drawFocus(QPainter* painter, const QStyleOptionViewItem& option) const
    {
        const bool selected = option.state & QStyle::State_Selected;
        DrawFocusFrame(*painter, option.rect,
                       option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    }

private:
    CLineListBox* m_box;
};
}  // namespace

CLineListBox::CLineListBox(QWidget* parent)
    : QListWidget(parent)
{
    setItemDelegate(new CLineDelegate(this));
    setUniformItemSizes(false);
}

int CLineListBox::LineHeight() const
{
    const QFontMetrics metrics(font());
    return metrics.height() + qMax(0, metrics.leading()) + 4;
}

int CLineListBox::AddLine(const QString& text, const QColor& colour)
{
    return InsertLine(count(), text, colour);
}

int CLineListBox::InsertLine(int row, const QString& text, const QColor& colour)
{
    row = qBound(0, row, count());
    auto* item = new QListWidgetItem(text);
    item->setData(ColourRole, colour);
    insertItem(row, item);
    return row;
}

QColor CLineListBox::LineColour(int row) const
{
    const QListWidgetItem* line = item(row);
    if (!line)
        return QColor();
    const QVariant colour = line->data(ColourRole);
    return colour.canConvert<QColor>() ? colour.value<QColor>() : QColor(Qt::black);
}

void CLineListBox::SetLineColour(int row, const QColor& colour)
{
    if (QListWidgetItem* line = item(row))
        line->setData(ColourRole, colour);
}

void CLineListBox::paintEvent(QPaintEvent* event)
{
    QListWidget::paintEvent(event);
    // An empty list box with the focus shows where its first line would be.
    if (count() == 0 && hasFocus()) {
        QPainter painter(viewport());
        DrawFocusFrame(painter, QRect(0, 0, viewport()->width(), LineHeight()), palette().color(QPalette::Text));
    }
}
