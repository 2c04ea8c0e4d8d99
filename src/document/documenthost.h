#pragma once

#include "widgets/pagecommands.h"

#include <QString>

#include <optional>

// What the document asks of the program around it, so that it needs no widgets: the main
// window implements it (and tests record it).
class IDocumentHost : public IPageCommandTarget
{
public:
    // False during start-up, before the main window exists.
    virtual bool HasMainWindow() const = 0;
    // Runs the new-list dialog: the resulting path ("Next"; it may be empty), or nothing when
    // the dialog was cancelled.
    virtual std::optional<QString> AskNewListPath() = 0;
    // Puts the path at the top of the recent-file list.
    virtual void AddToRecentFileList(const QString& path) = 0;
};
