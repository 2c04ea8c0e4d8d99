#pragma once

// Checks of laid-out windows, for the tests of pages and dialogs.

#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

namespace TestLayout {

// The first of the controls that does not lie wholly inside container (a page's form or a
// dialog, an ancestor of each) or is smaller than its least size (for wrapped text: lower than
// its lines need at its width), by its accessible name, else its caption or object name; empty
// when every control fits.
inline QString Misplaced(const QWidget& container, const QList<const QWidget*>& controls)
{
    for (const QWidget* control : controls) {
        const QRect inContainer(control->mapTo(&container, QPoint(0, 0)), control->size());
        const QSize least = control->minimumSizeHint().expandedTo(control->minimumSize());
        if (!container.rect().contains(inContainer) || control->width() < least.width()
            || control->height() < least.height()
            || (control->hasHeightForWidth() && control->height() < control->heightForWidth(control->width()))) {
            if (!control->accessibleName().isEmpty())
                return control->accessibleName();
            const QString caption = control->property("text").toString();
            return caption.isEmpty() ? control->objectName() : caption;
        }
    }
    return QString();
}

}  // namespace TestLayout
