#pragma once

// The document commands of the File menu that a page can ask for (the start page's "Open a
// Spelling List" and "Create a New Spelling List").
enum class FrameCommand {
    FileNew,   // ID_FILE_NEW 57600
    FileOpen,  // ID_FILE_OPEN 57601
};

// Whatever runs the document commands: the main window, or a recorder in tests. Posted, like
// the page commands: they run later, and only if enabled then.
class IFrameCommandTarget
{
public:
    virtual ~IFrameCommandTarget() = default;
    virtual void PostFrameCommand(FrameCommand command) = 0;
};
