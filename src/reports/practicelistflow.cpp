#include "reports/practicelistflow.h"

#include "base/appfolders.h"
#include "base/appsettings.h"
#include "base/messages.h"
#include "storage/listdatabase.h"
#include "document/orthexdoc.h"
#include "lists/savedlg.h"
#include "widgets/waitcursor.h"
#include "reports/practicelistmaker.h"

bool PracticeListFlow::Run(QWidget* parent, COrthexDoc& document, const QString& pupil,
                           const PracticeSources& sources, const AskPathFunction& askPath)
{
    if (const QString nothing = CPracticeListMaker::NothingToMake(sources); !nothing.isEmpty()) {
        Messages::Show(nothing, MessageIcon::Information);
        return false;
    }
    CAppSettings settings;
    CAppFolders folders(settings);
    for (;;) {
        const std::optional<QString> path = askPath ? askPath(folders, parent) : CSaveDlg::AskPath(folders, parent);
        if (!path)
            return false;
        CPracticeListMaker::SResult result;
        {
            CWaitCursor wait;
            // Read after the dialog, which may have changed the save folder.
            CPracticeListMaker maker(folders.GetSaveFolder(), settings.RecentFiles());
            result = maker.Make(sources, *path, pupil);
        }
        switch (result.outcome) {
        case CPracticeListMaker::Outcome::NoName:
        case CPracticeListMaker::Outcome::AlreadyExists:
            continue;  // told; the name is asked again
        case CPracticeListMaker::Outcome::Failed:
            return false;
        case CPracticeListMaker::Outcome::Made:
            break;
        }
        // The new list opens as File Open opens one, so every page starts again with it.
        if (!document.OpenDocumentFile(*path))
            return false;
        Messages::Show(PracticeListMessages::Summary(result.counts, CListDatabase::kMaxWordLength),
                       MessageIcon::Information);
        return true;
    }
}
