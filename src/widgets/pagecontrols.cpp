#include "widgets/pagecontrols.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

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

QVBoxLayout* ScrollingForm(QWidget* page, const QString& name, const QString& heading)
{
    auto* scroll = new QScrollArea(page);
    scroll->setObjectName(name + QStringLiteral("Scroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* form = new QWidget(scroll);
    form->setObjectName(name + QStringLiteral("Form"));
    scroll->setWidget(form);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(scroll);
    auto* formLayout = new QVBoxLayout(form);
    formLayout->addWidget(Title(heading, form));
    formLayout->addWidget(SunkenRule(form));
    return formLayout;
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

void HoldWrappedText(QLabel* label, int width)
{
    label->setMinimumWidth(width);
    label->setMinimumHeight(label->heightForWidth(width));
}

QLabel* WrappedText(const QString& text, QWidget* parent)
{
    QLabel* label = StaticText(text, parent, Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}
}  // namespace PageControls
