#include "widgets/enterpressesbutton.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {
const char kLeaveEnterToPage[] = "orthexLeaveEnterToPage";

bool isPlainEnter(const QKeyEvent& key)
{
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
           && !(key.modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier));
}
}  // namespace

CEnterPressesButton::CEnterPressesButton(QObject* parent)
    : QObject(parent)
{
}

void CEnterPressesButton::LeaveEnterToPage(QPushButton* button)
{
    button->setProperty(kLeaveEnterToPage, true);
}

bool CEnterPressesButton::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* button = qobject_cast<QPushButton*>(watched);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (!button || !isPlainEnter(key) || !button->hasFocus() || !button->isEnabled()
        || button->property(kLeaveEnterToPage).toBool())
        return false;
    // Held down, Enter presses once: a child leaning on the key must not skip through a test.
    if (!key.isAutoRepeat())
        button->click();
    return true;
}
