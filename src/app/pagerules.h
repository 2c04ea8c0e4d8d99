#pragma once

#include "widgets/pagecommands.h"

#include <QString>

// What the main window needs to know of the document to decide which commands are available.
struct CPageState {
    bool testRunning = false;
    bool listOpen = false;
    QString currentUser;  // empty: nobody logged in
    QString createdBy;    // creator of the open list; empty: anybody may edit it
    int wordCount = 0;
};

// The enabling rules of the page commands and Exit. Names are compared exactly.
namespace PageRules {
// The open list may be edited: it is open, and made by the current user or by nobody.
bool MayEditList(const CPageState& state);
bool IsEnabled(PageCommand command, PageCommand currentPage, const CPageState& state);
// Exit, and the document commands (New, Open, recent files, dropped files): not during a test,
// whose list they would close underneath it.
bool IsExitEnabled(const CPageState& state);
bool AreDocumentCommandsEnabled(const CPageState& state);
}  // namespace PageRules
