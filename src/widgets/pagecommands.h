#pragma once

// The five pages of the main window, by page number, and the commands that show them.
// Pages and the document never switch pages themselves: they post the command to the main
// window, whose enabling rules decide.
enum class PageCommand : int {
    Start = 1,    // ID_VIEW_START 32778
    Words = 2,    // ID_VIEW_WORDS 32777
    Test = 3,     // ID_VIEW_TEST 32776
    Reports = 4,  // ID_VIEW_REPORTS 32779
    Options = 5,  // ID_VIEW_OPTIONS 32774
};

// Whatever can switch pages: the main window, or a recorder in tests.
class IPageCommandTarget
{
public:
    virtual ~IPageCommandTarget() = default;
    // Queued: the command runs later, from the event loop, and only if it is enabled then.
    virtual void PostPageCommand(PageCommand command) = 0;
};
