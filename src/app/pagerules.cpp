#include "app/pagerules.h"

bool PageRules::MayEditList(const CPageState& state)
{
    return state.listOpen && (state.createdBy.isEmpty() || state.currentUser == state.createdBy);
}

bool PageRules::IsEnabled(PageCommand command, PageCommand currentPage, const CPageState& state)
{
    if (command == currentPage || state.testRunning)
        return false;
    switch (command) {
    case PageCommand::Start: return true;
    case PageCommand::Words: return MayEditList(state);
    case PageCommand::Test: return state.wordCount > 0;
    case PageCommand::Reports: return !state.currentUser.isEmpty();
    case PageCommand::Options: return true;
    }
    return false;
}

bool PageRules::IsExitEnabled(const CPageState& state)
{
    return !state.testRunning;
}

bool PageRules::AreDocumentCommandsEnabled(const CPageState& state)
{
    return !state.testRunning;
}
