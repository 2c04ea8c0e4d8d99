#include "widgets/simplecombo.h"

#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

CSimpleComboBox::CSimpleComboBox(QWidget* parent)
    : QWidget(parent)
    , m_pEdit(new QLineEdit(this))
    , m_pList(new QListWidget(this))
{
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pEdit);
    layout->addWidget(m_pList, 1);
    setFocusProxy(m_pEdit);
    connect(m_pEdit, &QLineEdit::textEdited, this, &CSimpleComboBox::OnTextEdited);
    connect(m_pList, &QListWidget::itemClicked, this, &CSimpleComboBox::OnItemChosen);
    connect(m_pList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && m_pList->hasFocus())
            OnItemChosen();
    });
}

QString CSimpleComboBox::Text() const
{
    return m_pEdit->text();
}

void CSimpleComboBox::SetText(const QString& text)
{
    m_pEdit->setText(text);
}

bool CSimpleComboBox::SortsBefore(const QString& a, const QString& b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    if (folded != 0)
        return folded < 0;
    return a.compare(b, Qt::CaseSensitive) < 0;
}

int CSimpleComboBox::AddString(const QString& name)
{
    int index = 0;
    while (index < m_pList->count() && !SortsBefore(name, m_pList->item(index)->text()))
        ++index;
    m_pList->insertItem(index, name);
    return index;
}

void CSimpleComboBox::DeleteString(int index)
{
    delete m_pList->takeItem(index);
}

void CSimpleComboBox::ResetContent()
{
    m_pList->clear();
}

int CSimpleComboBox::Count() const
{
    return m_pList->count();
}

QString CSimpleComboBox::ItemText(int index) const
{
    const QListWidgetItem* item = m_pList->item(index);
    return item ? item->text() : QString();
}

QStringList CSimpleComboBox::Items() const
{
    QStringList items;
    for (int i = 0; i < m_pList->count(); ++i)
        items.append(m_pList->item(i)->text());
    return items;
}

int CSimpleComboBox::FindStringExact(const QString& text) const
{
    for (int i = 0; i < m_pList->count(); ++i) {
        if (m_pList->item(i)->text() == text)
            return i;
    }
    return -1;
}

void CSimpleComboBox::SetAccessibleLabel(const QString& text)
{
    setAccessibleName(text);
    m_pEdit->setAccessibleName(text);
    m_pList->setAccessibleName(text);
}

void CSimpleComboBox::OnTextEdited(const QString& text)
{
    const QSignalBlocker blocker(m_pList);
    for (int i = 0; i < m_pList->count() && !text.isEmpty(); ++i) {
        if (m_pList->item(i)->text().startsWith(text, Qt::CaseInsensitive)) {
            m_pList->setCurrentRow(i);
            m_pList->scrollToItem(m_pList->item(i));
            return;
        }
    }
    m_pList->setCurrentRow(-1);
    m_pList->clearSelection();
}

void CSimpleComboBox::OnItemChosen()
{
    if (const QListWidgetItem* item = m_pList->currentItem())
        m_pEdit->setText(item->text());
}
