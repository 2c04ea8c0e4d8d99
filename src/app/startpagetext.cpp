#include "app/startpagetext.h"

CStartPageState StartPage::Build(const CStartPageInput& input)
{
    CStartPageState state;
    QString text = QStringLiteral("Welcome");
    if (!input.currentUser.isEmpty())
        text += QStringLiteral(" ") + input.currentUser + QStringLiteral(".\r\nTest data will be saved.");
    else
        text += QStringLiteral(", no user logged in.\r\nTest data will not be saved.");

    if (input.databaseOpen) {
        const QString creator =
            input.createdBy.isEmpty() ? QStringLiteral("an unknown user") : input.createdBy;
        text += QStringLiteral("\r\n\r\nSpelling list ") + input.title + QStringLiteral(" opened.\r\nCreated by ")
                + creator + QStringLiteral(".");
        if (!input.createdBy.isEmpty() && input.createdBy != input.currentUser)
            text += QStringLiteral("\r\n\r\nYou can only take a test with this list as the current user.");
    }
    state.text = text;
    state.takeTestEnabled = input.wordCount > 0;
    state.editListEnabled =
        input.listOpen && (input.createdBy.isEmpty() || input.currentUser == input.createdBy);
    return state;
}

QString StartPage::DisplayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}
