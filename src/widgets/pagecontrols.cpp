#include "widgets/pagecontrols.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace PageControls {
QLabel* Title(const QString& text, QWidget* parent)
{
    return StaticText(text, parent, Qt::AlignCenter);
}

QFrame* SunkenRule(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QPushButton* FormButton(const QString& caption, const QString& whatsThis, QWidget* parent, const QString& objectName)
{
    auto* button = Captioned<QPushButton>(caption, whatsThis, parent);
    if (!objectName.isEmpty())
        button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QLabel* StaticText(const QString& text, QWidget* parent, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(alignment);
    return label;
}

QLabel* WrappedText(const QString& text, QWidget* parent)
{
    QLabel* label = StaticText(text, parent, Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}
}  // namespace PageControls
