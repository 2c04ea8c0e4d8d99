#include "app/orthexview.h"

#include "widgets/dialogunits.h"
#include "widgets/pagecontrols.h"
#include "document/orthexdoc.h"

#include <QFrame>
#include <QLabel>
#include <QBoxLayout>
#include <QLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>

using namespace PageControls;

namespace {
// Lays the main window out again and fits it to the page's form, then centres it on its screen.
void fitAndCentre(QWidget* page, const QSize& form)
{
    auto* frame = qobject_cast<QMainWindow*>(page->window());
    if (!frame || !frame->centralWidget())
        return;
    if (frame->layout())
        frame->layout()->activate();
    const QSize client = frame->centralWidget()->size();
    QSize size = frame->size() + (form - client);
    size = size.expandedTo(frame->minimumSizeHint()).expandedTo(frame->minimumSize());
    frame->resize(size);
    if (frame->layout())
        frame->layout()->activate();
    QScreen* screen = frame->screen();
    if (!screen)
        return;
    QRect frameRect = frame->frameGeometry();
    frameRect.moveCenter(screen->availableGeometry().center());
    frame->move(frameRect.topLeft());
}
}  // namespace

COrthexView::COrthexView(COrthexDoc& document, IPageCommandTarget& commands, IFrameCommandTarget& frameCommands,
                         QWidget* parent)
    : CPageView(document, commands, parent)
    , m_frameCommands(frameCommands)
{
    setObjectName(QStringLiteral("startPage"));
    setAccessibleName(QStringLiteral("Start Page"));
    setFont(CDialogUnits::FormFont());
    const CDialogUnits du(font());

    QVBoxLayout* formLayout = ScrollingForm(this, QStringLiteral("start"), QStringLiteral("Start Page"));
    QWidget* form = formLayout->parentWidget();
    formLayout->setContentsMargins(du.X(7), du.Y(7), du.X(7), du.Y(7));
    formLayout->setSpacing(du.Y(2));

    m_pOpen = FormButton(QStringLiteral("Open a Spelling List"), QStringLiteral("Opens a spelling list file."), form);
    m_pCreate = FormButton(QStringLiteral("Create a New Spelling List"),
                           QStringLiteral("Names a new spelling list and goes to the Words page to fill it."), form);
    m_pEdit = FormButton(QStringLiteral("Edit Spelling List"),
                         QStringLiteral("Goes to the Words page to change the open list (only its creator may)."),
                         form);
    m_pTakeTest = FormButton(QStringLiteral("Take a Spelling Test"),
                             QStringLiteral("Goes to the Test page to take a test with the open list."), form);
    m_pLogIn = FormButton(QStringLiteral("Log In as a Different User"),
                          QStringLiteral("Saves the results of the user now logged in and shows the log-in dialog."),
                          form);
    // The buttons in a column of their own width, from the top.
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(du.Y(11));
    for (QPushButton* button : {m_pOpen, m_pCreate, m_pEdit, m_pTakeTest, m_pLogIn}) {
        button->setMinimumSize(du.Size(133, 15));
        buttons->addWidget(button);
    }
    buttons->addStretch(1);

    m_pInformation = new QTextEdit(form);
    m_pInformation->setObjectName(QStringLiteral("informationText"));
    m_pInformation->setReadOnly(true);
    m_pInformation->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_pInformation->setFocusPolicy(Qt::StrongFocus);
    m_pInformation->setTabChangesFocus(true);
    m_pInformation->setAcceptRichText(false);
    m_pInformation->setFrameShape(QFrame::StyledPanel);
    m_pInformation->setAccessibleName(QStringLiteral("Information"));
    m_pInformation->setWhatsThis(QStringLiteral("Who is logged in, whether test results are kept, and which list is open."));
    m_pInformation->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
    m_pInformation->setMinimumSize(du.Size(90, 60));

    // The information takes the room the window gives.
    auto* body = new QHBoxLayout;
    body->setContentsMargins(du.X(16), du.Y(10), du.X(14), du.Y(2));
    body->setSpacing(du.X(12));
    body->addLayout(buttons);
    body->addWidget(m_pInformation, 1);
    formLayout->addLayout(body, 1);

    setTabOrder(m_pOpen, m_pCreate);
    setTabOrder(m_pCreate, m_pEdit);
    setTabOrder(m_pEdit, m_pTakeTest);
    setTabOrder(m_pTakeTest, m_pLogIn);
    setTabOrder(m_pLogIn, m_pInformation);

    connect(m_pOpen, &QPushButton::clicked, this, [this] { m_frameCommands.PostFrameCommand(FrameCommand::FileOpen); });
    connect(m_pCreate, &QPushButton::clicked, this, [this] { m_frameCommands.PostFrameCommand(FrameCommand::FileNew); });
    connect(m_pEdit, &QPushButton::clicked, this, [this] { PostCommand(PageCommand::Words); });
    connect(m_pTakeTest, &QPushButton::clicked, this, [this] { PostCommand(PageCommand::Test); });
    connect(m_pLogIn, &QPushButton::clicked, this, &COrthexView::OnLogInAsDifferentUser);
}

CStartPageInput COrthexView::InputFrom(COrthexDoc& document)
{
    CStartPageInput input;
    input.currentUser = document.CurrentUser();
    input.databaseOpen = document.Database().IsOpen();
    input.listOpen = document.IsListOpen();
    input.createdBy = document.CreatedBy();
    input.title = document.GetTitle();
    // The count of the cursor's rows, without walking it (a page may be positioned on a row).
    input.wordCount = input.listOpen ? document.List()->RecordCount() : 0;
    return input;
}

void COrthexView::OnInitialUpdate()
{
    OnUpdate();
    // Only the first placement: later lists open in the window as the user left it (the main
    // window puts back a size and place stored at the last exit after this).
    if (m_bPlaced)
        return;
    m_bPlaced = true;
    fitAndCentre(this, FormSize());
}

void COrthexView::OnUpdate()
{
    m_state = StartPage::Build(InputFrom(GetDocument()));
    m_pTakeTest->setEnabled(m_state.takeTestEnabled);
    m_pEdit->setEnabled(m_state.editListEnabled);
    m_pInformation->setPlainText(StartPage::DisplayText(m_state.text));
}

void COrthexView::showEvent(QShowEvent* event)
{
    CPageView::showEvent(event);
    OnUpdate();
}

void COrthexView::OnLogInAsDifferentUser()
{
    GetDocument().ChangeUser();
}
