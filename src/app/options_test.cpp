#include "app/appfolders.h"
#include "app/appsettings.h"
#include "app/browsefolder.h"
#include "app/options.h"
#include "app/shelltestsupport.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QtTest>

using namespace ShellTest;

namespace {
class CNoCommands : public IPageCommandTarget
{
public:
    void PostPageCommand(PageCommand) override {}
};

QStringList storedSettings()
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vellomar"), QStringLiteral("Orthex"));
    s.beginGroup(QStringLiteral("Settings"));
    QStringList pairs;
    for (const QString& key : s.childKeys())
        pairs << key + QLatin1Char('=') + s.value(key).toString();
    pairs.sort();
    return pairs;
}

void clearSettings()
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vellomar"), QStringLiteral("Orthex"));
    s.remove(QStringLiteral("Settings"));
    s.sync();
}

struct Page {
    explicit Page(const QString& user)
        : folders(settings)
        , doc(MakeDocument(user))
        , options(*doc, commands, settings, folders)
    {
        folders.SetUserFolder(folders.GetDefaultUserFolder());
        QObject::connect(doc.get(), &COrthexDoc::ViewsUpdated, &options, [this] { options.OnUpdate(); ++updates; });
        options.OnInitialUpdate();
    }
    CAppSettings settings;
    CAppFolders folders;
    CNoCommands commands;
    std::unique_ptr<COrthexDoc> doc;
    COptions options;
    int updates = 0;
};
}  // namespace

class OptionsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        clearSettings();
        m_previousBrowse = CBrowseFolder::SetDialogFunction([this](QWidget*, const QString&, const QString&) {
            ++m_browses;
            return m_browseResult;
        });
        m_browses = 0;
        m_browseResult.clear();
    }

    void cleanup()
    {
        CBrowseFolder::SetDialogFunction(m_previousBrowse);
        COptions::SetChangePasswordFunction(nullptr);
    }

    void firstShowingReadsTheStore_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("autoEnabled");
        QTest::newRow("user logged in") << QStringLiteral("anna") << true;
        QTest::newRow("nobody logged in") << QString() << false;
    }

    void firstShowingReadsTheStore()
    {
        QFETCH(QString, user);
        CAppSettings settings;
        settings.SetRate(0);
        settings.SetRepeat(1);
        settings.SetAutoLogInName(QStringLiteral("bob"));
        Page p(user);
        QCOMPARE(p.options.FolderEdit()->text(), CTestEnvironment::Instance().SharedDocuments() + QStringLiteral("/Orthex"));
        QVERIFY(p.options.RateButton(0)->isChecked());
        QVERIFY(p.options.RepeatCheck()->isChecked());
        QVERIFY(!p.options.RandomizeCheck()->isChecked());
        QTEST(p.options.AutoLogInCheck()->isEnabled(), "autoEnabled");
        QCOMPARE(p.options.AutoLogInCheck()->isChecked(), !user.isEmpty());
    }

    void applyWithoutChangesWritesNothing()
    {
        Page p(QStringLiteral("anna"));
        CRecordingMessageSink messages;
        p.options.ApplyButton()->click();
        QCOMPARE(storedSettings(), QStringList());
        QCOMPARE(messages.Texts(), QStringList());
        QCOMPARE(p.updates, 1);  // every page takes the new values
    }

    void nobodyLoggedInLeavesAutoAlone()
    {
        CAppSettings settings;
        settings.SetAutoLogInName(QStringLiteral("bob"));
        Page p{QString()};
        QVERIFY(!p.options.AutoLogInCheck()->isEnabled());
        p.options.ApplyButton()->click();
        QCOMPARE(storedSettings(), QStringList{QStringLiteral("Auto=bob")});
    }

    void autoLogInBoxFollowsALaterLogIn()
    {
        auto session = std::make_unique<CScriptedSession>();
        session->again = [] { return QStringLiteral("bob"); };
        CAppSettings settings;
        CAppFolders folders(settings);
        CNoCommands commands;
        COrthexDoc doc(std::move(session));
        COptions options(doc, commands, settings, folders);
        QObject::connect(&doc, &COrthexDoc::ViewsUpdated, &options, [&options] { options.OnUpdate(); });
        options.OnInitialUpdate();
        QVERIFY(!options.AutoLogInCheck()->isEnabled());
        doc.ChangeUser();
        QVERIFY(options.AutoLogInCheck()->isEnabled());
        options.AutoLogInCheck()->click();
        options.ApplyButton()->click();
        QCOMPARE(storedSettings(), QStringList{QStringLiteral("Auto=bob")});
    }

    void restoreUndoesEdits()
    {
        Page p(QStringLiteral("anna"));
        p.options.RateButton(0)->click();
        p.options.RandomizeCheck()->click();
        p.options.RestoreButton()->click();
        QVERIFY(p.options.RateButton(2)->isChecked());
        QVERIFY(!p.options.RandomizeCheck()->isChecked());
        QCOMPARE(storedSettings(), QStringList());
    }

    void editsStayUntilApplied()
    {
        Page p(QStringLiteral("anna"));
        p.options.RateButton(3)->click();
        p.options.hide();
        p.options.show();
        QVERIFY(p.options.RateButton(3)->isChecked());
        QCOMPARE(storedSettings(), QStringList());
    }

    void choosingAFolder_data()
    {
        QTest::addColumn<QString>("chosen");  // "DEFAULT": the folder already shown
        QTest::addColumn<bool>("changes");
        QTest::newRow("another folder") << QStringLiteral("CLASSROOM") << true;
        QTest::newRow("cancelled") << QString() << false;
        QTest::newRow("the folder shown") << QStringLiteral("DEFAULT") << false;
    }

    void choosingAFolder()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, changes);
        Page p(QStringLiteral("anna"));
        const QString shown = p.options.FolderEdit()->text();
        if (chosen == QLatin1String("CLASSROOM")) {
            chosen = CTestEnvironment::Instance().Root() + QStringLiteral("/classroom");
            QVERIFY(QDir().mkpath(chosen));
        }
        m_browseResult = chosen == QLatin1String("DEFAULT") ? shown : chosen;
        p.options.RateButton(0)->click();  // an edit that the choice must keep
        p.options.BrowseButton()->click();
        QCOMPARE(m_browses, 1);
        QCOMPARE(p.options.FolderEdit()->text(), changes ? chosen : shown);
        QVERIFY(p.options.RateButton(0)->isChecked());
        QCOMPARE(storedSettings(), QStringList());  // nothing until Apply

        p.options.ApplyButton()->click();
        if (changes) {
            QVERIFY(storedSettings().contains(QStringLiteral("DefaultUserFolder=") + chosen));
            QCOMPARE(p.folders.UserFolder(), chosen);  // the next log-in looks there
        } else {
            QVERIFY(!storedSettings().join(QLatin1Char(',')).contains(QStringLiteral("DefaultUserFolder")));
            QCOMPARE(p.folders.UserFolder(), shown);
        }
    }

    void changePassword_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("changed") << true << QStringList{QStringLiteral("Password Changed.")};
        QTest::newRow("cancelled") << false << QStringList();
    }

    void changePassword()
    {
        QFETCH(bool, ok);
        Page p(QStringLiteral("anna"));
        QString folderGiven;
        COptions::SetChangePasswordFunction([&](QWidget*, const QString& folder) {
            folderGiven = folder;
            return ok;
        });
        CRecordingMessageSink messages;
        p.options.ChangePasswordButton()->click();
        QCOMPARE(folderGiven, p.folders.UserFolder());
        QTEST(messages.Texts(), "messages");
        if (ok)
            QCOMPARE(messages.Entries().at(0).icon, MessageIcon::Information);
    }

private:
    CBrowseFolder::DialogFunction m_previousBrowse;
    int m_browses = 0;
    QString m_browseResult;
};

ORTHEX_TEST_MAIN(OptionsTest)
#include "options_test.moc"
