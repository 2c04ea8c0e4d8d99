#pragma once

#include <QString>

// What the start page shows: the information text (lines separated by "\r\n") and which of its
// buttons are enabled, rebuilt whole from the document on every update.
struct CStartPageInput {
    QString currentUser;
    bool databaseOpen = false;  // the list's connection is open
    bool listOpen = false;      // connection and cursor are both open
    QString createdBy;
    QString title;  // the document's title, the list's file name
    int wordCount = 0;
};

struct CStartPageState {
    QString text;
    bool takeTestEnabled = false;
    bool editListEnabled = false;
};

namespace StartPage {
CStartPageState Build(const CStartPageInput& input);
// The text as a text box shows it: "\r\n" becomes a line break.
QString DisplayText(const QString& text);
}  // namespace StartPage
