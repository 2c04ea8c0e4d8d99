#pragma once

// Helpers shared by the shell's tests: real list files in the test's temporary folder, a user
// session whose log-in runs are functions of the test, and the real main window on it.

#include "app/mainframe.h"
#include "base/appfolders.h"
#include "base/appsettings.h"
#include "document/orthexdoc.h"
#include "document/usersession.h"
#include "testing/testlists.h"
#include "widgets/pageview.h"

#include <QAction>
#include <QCoreApplication>
#include <QStringList>

#include <functional>
#include <memory>

namespace ShellTest {

// A list file named name in the temporary folder, holding the words with the creator.
inline QString MakeList(const QString& name, const QString& creator, const QStringList& words)
{
    return TestLists::MakeInRoot(name, TestLists::Numbered(words, creator));
}

// Logs in whoever the functions say; keeps no results.
class CScriptedSession : public IUserSession
{
public:
    std::function<QString()> atStart = [] { return QString(); };
    std::function<QString()> again = [] { return QString(); };

    QString LogInAtStart() override { return atStart(); }
    QString LogInAgain() override { return again(); }
    bool LoadResults(COrthexDoc&) override { return true; }
    bool SaveResults(COrthexDoc&) override { return true; }
};

inline std::unique_ptr<COrthexDoc> MakeDocument(const QString& user)
{
    auto session = std::make_unique<CScriptedSession>();
    session->atStart = [user] { return user; };
    return std::make_unique<COrthexDoc>(std::move(session));
}

// Runs what is posted: commands, layout requests, resizes.
inline void Settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// The real main window (or a test's subclass of it) on a document with user logged in, after
// its first initial update. Its New and Open dialogs answer "cancelled".
template <class Frame = CMainFrame>
struct SMainWindow {
    explicit SMainWindow(const QString& user = QString())
        : folders(settings)
        , doc(MakeDocument(user))
        , frame(*doc, settings, folders)
    {
        doc->SetHost(&frame);
        frame.SetOpenFileFunction([](QWidget*) { return QString(); });
        frame.SetNewListPathFunction([](CAppFolders&, QWidget*) { return std::optional<QString>(); });
        doc->NewDocument();
    }

    // Goes to the page as its toolbar button does; false when that is disabled.
    bool ShowPage(PageCommand page)
    {
        if (page != frame.CurrentPage()) {
            QAction* action = frame.PageAction(page);
            if (!action->isEnabled())
                return false;
            action->trigger();
        }
        Settle();
        return frame.CurrentPage() == page;
    }

    // Sizes the window so that its middle, where the pages are, has the size given.
    void FitPage(const QSize& size)
    {
        frame.resize(frame.size() + size - frame.centralWidget()->size());
        Settle();
    }

    CAppSettings settings;
    CAppFolders folders;
    std::unique_ptr<COrthexDoc> doc;
    Frame frame;
};

}  // namespace ShellTest
