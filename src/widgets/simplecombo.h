#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;

// A name box as the user dialogs show it: an edit line with an always-visible, sorted list of
// names below it. Picking a name in the list puts it into the edit line; typing selects the
// first name that begins with the typed text. Names are sorted without regard to case, names
// that differ only in case in their exact order.
class CSimpleComboBox : public QWidget
{
    Q_OBJECT
public:
    explicit CSimpleComboBox(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);

    // Adds a name at its sorted place; returns its index.
    int AddString(const QString& name);
    void DeleteString(int index);
    void ResetContent();
    int Count() const;
    QString ItemText(int index) const;
    QStringList Items() const;
    // Index of the first name equal to text, compared exactly; -1 when there is none.
    int FindStringExact(const QString& text) const;

    QLineEdit* Edit() const { return m_pEdit; }
    QListWidget* List() const { return m_pList; }

    // The label that names this box for a screen reader (and whose mnemonic reaches the edit).
    void SetAccessibleLabel(const QString& text);

    static bool SortsBefore(const QString& a, const QString& b);

private:
    void OnTextEdited(const QString& text);
    void OnItemChosen();

    QLineEdit* m_pEdit;
    QListWidget* m_pList;
};
