#pragma once

#include "reports/practicelistmessages.h"
#include "reports/practicelistrecordings.h"
#include "reports/practicesource.h"

#include <QString>
#include <QStringList>

// Makes a new spelling list of the words a pupil got wrong or skipped, for practising them
// again. Each word comes once; its recording is copied from the list it was tested from when
// that file can be found, and is spoken otherwise (voice and rate of the settings). The list is
// built in a file beside the target and renamed into place when it is complete, so there is
// never half a list, and an existing file is never replaced. Failures are shown through the
// message seam.
class CPracticeListMaker
{
public:
    enum class Outcome {
        Made,
        NoName,         // the path names no list (nothing typed in the new-list dialog)
        AlreadyExists,  // a file is at the path already; it was left alone
        Failed,         // nothing to make, or it could not be made; nothing was written
    };
    struct SResult {
        Outcome outcome = Outcome::Failed;
        SPracticeListCounts counts;
    };

    // The source lists are looked for in the save folder and among the recent files.
    CPracticeListMaker(const QString& saveFolder, const QStringList& recentFiles);

    // Makes the list at targetPath with creator as the creator of every word.
    SResult Make(const PracticeSources& sources, const QString& targetPath, const QString& creator);

    // Why there is nothing to make from the rows (shown to the user); empty when there is.
    static QString NothingToMake(const PracticeSources& sources);

    // Source list files opened so far.
    int OpenListCount() const { return m_recordings.OpenListCount(); }

private:
    CPracticeListRecordings m_recordings;
};
