#pragma once

#include "app/framecommands.h"
#include "widgets/pageview.h"
#include "app/startpagetext.h"

class QPushButton;
class QTextEdit;

// The start page: open, create or edit a list, take a test, log in as someone else, and a
// text saying who is logged in and which list is open. Fits and centres the main window at its
// first initial update only: opening a list later leaves the window's size and place alone.
class COrthexView : public CPageView
{
    Q_OBJECT
public:
    COrthexView(COrthexDoc& document, IPageCommandTarget& commands, IFrameCommandTarget& frameCommands,
                QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    void OnUpdate() override;

    // What the page shows for the document now.
    CStartPageState State() const { return m_state; }
    QString InformationText() const { return m_state.text; }

    QPushButton* OpenButton() const { return m_pOpen; }
    QPushButton* CreateButton() const { return m_pCreate; }
    QPushButton* EditButton() const { return m_pEdit; }
    QPushButton* TakeTestButton() const { return m_pTakeTest; }
    QPushButton* LogInButton() const { return m_pLogIn; }
    QTextEdit* InformationBox() const { return m_pInformation; }

    static CStartPageInput InputFrom(COrthexDoc& document);

protected:
    // Words may have been added or deleted on another page since the last update.
    void showEvent(QShowEvent* event) override;

private:
    void OnLogInAsDifferentUser();

    IFrameCommandTarget& m_frameCommands;
    CStartPageState m_state;
    bool m_bPlaced = false;
    QPushButton* m_pOpen;
    QPushButton* m_pCreate;
    QPushButton* m_pEdit;
    QPushButton* m_pTakeTest;
    QPushButton* m_pLogIn;
    QTextEdit* m_pInformation;
};
