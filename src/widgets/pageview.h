#pragma once

#include "widgets/pagecommands.h"

#include <QWidget>

class COrthexDoc;

// One page of the main window (start, words, test, reports, options): a view on the one
// document. The main window creates a page the first time it is asked for and keeps it; it
// calls OnInitialUpdate when it creates the page and, for every page that exists, at start and
// after each New or Open; OnUpdate whenever the document updates its views.
class CPageView : public QWidget
{
    Q_OBJECT
public:
    // formUnits: the size the page's form is laid out for, in dialog units of its font.
    CPageView(COrthexDoc& document, IPageCommandTarget& commands, QWidget* parent = nullptr,
              QSize formUnits = QSize(320, 200));

    COrthexDoc& GetDocument() const { return m_document; }

    // The form's size in pixels, the page's preferred size: smaller, the page scrolls; larger,
    // its form grows.
    QSize FormSize() const;
    QSize sizeHint() const override { return FormSize(); }

    virtual void OnInitialUpdate() { OnUpdate(); }
    virtual void OnUpdate() {}
    // The main window is about to close: finish what must not be lost (the test page stops a
    // running test as "Stop" does, so its grade is kept).
    virtual void OnFrameClosing() {}

protected:
    // Posts a page command to the main window; it runs later, and only if enabled then.
    void PostCommand(PageCommand command) { m_commands.PostPageCommand(command); }
    IPageCommandTarget& Commands() const { return m_commands; }

private:
    COrthexDoc& m_document;
    IPageCommandTarget& m_commands;
    QSize m_formUnits;
};
