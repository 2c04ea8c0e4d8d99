#pragma once

#include <QColor>
#include <QListWidget>

// A list box whose lines each carry their own text colour (the test page's list of answers).
// Lines are added with the list widget's own addItem/insertItem; a line's colour is its
// ColourRole data (black when none is set). A selected line shows in the highlight colours.
// Every line is the font's height plus its leading plus 4 pixels high.
class CLineListBox : public QListWidget
{
    Q_OBJECT
public:
    static constexpr int ColourRole = Qt::UserRole;

    explicit CLineListBox(QWidget* parent = nullptr);

    // Conveniences: a line of text in a colour, at the end or at a row; returns its row.
    int AddLine(const QString& text, const QColor& colour);
    int InsertLine(int row, const QString& text, const QColor& colour);
    QColor LineColour(int row) const;
    void SetLineColour(int row, const QColor& colour);

    int LineHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
