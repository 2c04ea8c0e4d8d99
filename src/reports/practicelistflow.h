#pragma once

#include "reports/practicesource.h"

#include <QString>

#include <functional>
#include <optional>

class CAppFolders;
class COrthexDoc;
class QWidget;

// "Make Practice List..." on the reports page: asks a name with the new-list dialog, makes the
// list of the rows' words with the pupil as its creator, says how many recordings were copied
// and how many spoken, and opens the new list in the document (as File Open does), ready for a
// test.
namespace PracticeListFlow {
// Runs the new-list dialog: its path on "Next", nothing when cancelled.
using AskPathFunction = std::function<std::optional<QString>(CAppFolders& folders, QWidget* parent)>;

// True when the list was made and opened. A name of an existing list, or no name, is told and
// asked again; cancelling the dialog ends the flow. askPath defaults to the new-list dialog.
bool Run(QWidget* parent, COrthexDoc& document, const QString& pupil, const PracticeSources& sources,
         const AskPathFunction& askPath = {});
}  // namespace PracticeListFlow
