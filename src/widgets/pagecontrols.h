#pragma once

#include <QString>
#include <Qt>

class QFrame;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

// The controls every page builds the same way: its centred title with a sunken rule under it,
// captioned buttons and check boxes that a screen reader names by their caption, and labels.
namespace PageControls {
QLabel* Title(const QString& text, QWidget* parent);
QFrame* SunkenRule(QWidget* parent);

// Fills the page with a scroll area holding a new form, and returns the form's column layout
// with the page's heading and a sunken rule on it, for the page's controls (children of the
// layout's parentWidget()): below the form's smallest size the page scrolls rather than cutting
// controls off, above it the form grows with the window. The scroll area is named
// "<name>Scroll", the form "<name>Form".
QVBoxLayout* ScrollingForm(QWidget* page, const QString& name, const QString& heading);

// A button of any kind, named by its caption and explained by What's This.
template <class Button>
Button* Captioned(const QString& caption, const QString& whatsThis, QWidget* parent)
{
    auto* button = new Button(caption, parent);
    button->setAccessibleName(caption);
    button->setWhatsThis(whatsThis);
    return button;
}

// A push button of a page. It never makes itself its window's default when it has the focus:
// Enter on it presses it through the application's CEnterPressesButton, or goes to its page.
QPushButton* FormButton(const QString& caption, const QString& whatsThis, QWidget* parent,
                        const QString& objectName = QString());

QLabel* StaticText(const QString& text, QWidget* parent, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
// Text that wraps in its width, from the top left.
QLabel* WrappedText(const QString& text, QWidget* parent);
// Keeps wrapped text whole: at least width wide and as high as its lines are there. A window's
// layout does not count the height that wrapped text needs in its least size.
void HoldWrappedText(QLabel* label, int width);
}  // namespace PageControls
