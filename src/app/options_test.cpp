#include "base/appfolders.h"
#include "base/appsettings.h"
#include "widgets/browsefolder.h"
#include "app/options.h"
#include "testing/shelltestsupport.h"
#include "sound/speechsynthesizer.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testsettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QtTest>

using namespace ShellTest;

namespace {
class CNoCommands : public IPageCommandTarget
{
public:
    void PostPageCommand(PageCommand) override {}
};

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// Both voices these tests choose between are installed.
bool bothVoicesInstalled()
{
    int found = 0;
    for (const CVoice& voice : CSpeechSynthesizer::EnglishVoices())
        found += voice.id == QLatin1String("gmw/en-US") || voice.id == QLatin1String("gmw/en");
    return found == 2;
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
        TestSettings::SetStored({});
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
        QCOMPARE(TestSettings::Stored(), QStringList());
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
        QCOMPARE(TestSettings::Stored(), QStringList{QStringLiteral("Auto=bob")});
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
        QCOMPARE(TestSettings::Stored(), QStringList{QStringLiteral("Auto=bob")});
    }

    void restoreUndoesEdits()
    {
        Page p(QStringLiteral("anna"));
        p.options.RateButton(0)->click();
        p.options.RandomizeCheck()->click();
        p.options.RestoreButton()->click();
        QVERIFY(p.options.RateButton(2)->isChecked());
        QVERIFY(!p.options.RandomizeCheck()->isChecked());
        QCOMPARE(TestSettings::Stored(), QStringList());
    }

    void editsStayUntilApplied()
    {
        Page p(QStringLiteral("anna"));
        p.options.RateButton(3)->click();
        p.options.hide();
        p.options.show();
        QVERIFY(p.options.RateButton(3)->isChecked());
        QCOMPARE(TestSettings::Stored(), QStringList());
    }

    // The speech and the automatic playing show what is stored; an unchanged Apply writes
    // nothing, also where the page shows a stand-in for a stored value it cannot show.
    void speechShownFromTheStore_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("voice");
        QTest::addColumn<int>("rate");
        QTest::addColumn<bool>("autoPlay");
        const QString flite = QStringLiteral("flite/cmu_us_rms");
        const int rate = CSpeechSynthesizer::kDefaultRate;
        QTest::newRow("defaults") << QStringList() << flite << rate << false;
        QTest::newRow("stored") << QStringList{"Voice=gmw/en", "SpeechRate=200", "AutoPlay=1"} << "gmw/en" << 200
                                << true;
        QTest::newRow("espeak-ng's voice stored before Flite came") << QStringList{"Voice=gmw/en-US"} << "gmw/en-US"
                                                                    << rate << false;
        QTest::newRow("voice not installed: the default") << QStringList{"Voice=xx/none"} << flite << rate << false;
        QTest::newRow("rate too fast: the fastest") << QStringList{"SpeechRate=1000"} << flite << 450 << false;
        QTest::newRow("rate too slow: the slowest") << QStringList{"SpeechRate=5"} << flite << 80 << false;
    }

    void speechShownFromTheStore()
    {
        if (!bothVoicesInstalled())
            QSKIP("the espeak-ng voices gmw/en-US and gmw/en are not installed here");
        QFETCH(QStringList, stored);
        TestSettings::SetStored(stored);
        Page p(QStringLiteral("anna"));
        QCOMPARE(p.options.VoiceCombo()->accessibleName(), QStringLiteral("Voice"));
        QCOMPARE(p.options.SpeechRateSpin()->accessibleName(), QStringLiteral("Words per minute"));
        QCOMPARE(p.options.AutoPlayCheck()->accessibleName(), QStringLiteral("Play each word automatically"));
        QCOMPARE(p.options.VoiceCombo()->itemText(0), QStringLiteral("Flite: English (America), Rms, man"));
        QVERIFY(p.options.VoiceCombo()->findText(QStringLiteral("espeak-ng: English (America)")) > 0);
        QCOMPARE(p.options.SpeechRateSpin()->minimum(), CSpeechSynthesizer::kMinRate);
        QCOMPARE(p.options.SpeechRateSpin()->maximum(), CSpeechSynthesizer::kMaxRate);

        QTEST(p.options.VoiceCombo()->currentData().toString(), "voice");
        QTEST(p.options.SpeechRateSpin()->value(), "rate");
        QTEST(p.options.AutoPlayCheck()->isChecked(), "autoPlay");
        CRecordingMessageSink messages;
        p.options.ApplyButton()->click();
        QCOMPARE(TestSettings::Stored(), sorted(stored));
        QCOMPARE(messages.Texts(), QStringList());
    }

    void speechWrittenByApply_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("voices");  // chosen in turn
        QTest::addColumn<int>("rate");            // 0: left alone
        QTest::addColumn<bool>("clickAutoPlay");
        QTest::addColumn<QStringList>("after");
        const QStringList none;
        QTest::newRow("voice") << none << QStringList{"gmw/en"} << 0 << false << QStringList{"Voice=gmw/en"};
        QTest::newRow("voice for a missing one")
            << QStringList{"Voice=xx/none"} << QStringList{"gmw/en"} << 0 << false << QStringList{"Voice=gmw/en"};
        QTest::newRow("voice chosen and back") << QStringList{"Voice=gmw/en"} << QStringList{"gmw/en-US", "gmw/en"}
                                               << 0 << false << QStringList{"Voice=gmw/en"};
        QTest::newRow("rate") << none << none << 200 << false << QStringList{"SpeechRate=200"};
        QTest::newRow("rate from one out of range")
            << QStringList{"SpeechRate=1000"} << none << 300 << false << QStringList{"SpeechRate=300"};
        QTest::newRow("auto play ticked") << none << none << 0 << true << QStringList{"AutoPlay=1"};
        QTest::newRow("auto play cleared") << QStringList{"AutoPlay=1"} << none << 0 << true
                                           << QStringList{"AutoPlay=0"};
        QTest::newRow("all three") << none << QStringList{"gmw/en"} << 90 << true
                                   << QStringList{"AutoPlay=1", "SpeechRate=90", "Voice=gmw/en"};
    }

    void speechWrittenByApply()
    {
        if (!bothVoicesInstalled())
            QSKIP("the espeak-ng voices gmw/en-US and gmw/en are not installed here");
        QFETCH(QStringList, stored);
        QFETCH(QStringList, voices);
        QFETCH(int, rate);
        QFETCH(bool, clickAutoPlay);
        QFETCH(QStringList, after);
        TestSettings::SetStored(stored);
        Page p(QStringLiteral("anna"));
        for (const QString& voice : voices)
            p.options.VoiceCombo()->setCurrentIndex(p.options.VoiceCombo()->findData(voice));
        if (rate)
            p.options.SpeechRateSpin()->setValue(rate);
        if (clickAutoPlay)
            p.options.AutoPlayCheck()->click();
        QCOMPARE(TestSettings::Stored(), sorted(stored));  // nothing until Apply
        CRecordingMessageSink messages;
        p.options.ApplyButton()->click();
        QCOMPARE(TestSettings::Stored(), sorted(after));
        QCOMPARE(messages.Texts(), QStringList());
        // The page shows what it wrote.
        p.options.RestoreButton()->click();
        if (!voices.isEmpty())
            QCOMPARE(p.options.VoiceCombo()->currentData().toString(), voices.last());
        if (rate)
            QCOMPARE(p.options.SpeechRateSpin()->value(), rate);
    }

    // The two boxes show what is stored, are named by their captions, come after the speech in
    // the keyboard order, and are written by Apply only when changed.
    void largerTextAndEnterSpeaks_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<bool>("clickLarger");
        QTest::addColumn<bool>("clickEnter");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("untouched") << QStringList() << false << false << QStringList();
        QTest::newRow("larger text ticked") << QStringList() << true << false << QStringList{"LargerText=1"};
        QTest::newRow("enter ticked") << QStringList() << false << true << QStringList{"EnterSpeaksAndAdds=1"};
        QTest::newRow("both cleared") << QStringList{"EnterSpeaksAndAdds=1", "LargerText=1"} << true << true
                                      << QStringList{"EnterSpeaksAndAdds=0", "LargerText=0"};
    }

    void largerTextAndEnterSpeaks()
    {
        QFETCH(QStringList, stored);
        QFETCH(bool, clickLarger);
        QFETCH(bool, clickEnter);
        QFETCH(QStringList, after);
        TestSettings::SetStored(stored);
        Page p(QStringLiteral("anna"));
        QCheckBox* larger = p.options.LargerTextCheck();
        QCheckBox* enter = p.options.EnterSpeaksAndAddsCheck();
        QCOMPARE(larger->accessibleName(), QStringLiteral("Larger text on the test page"));
        QCOMPARE(enter->accessibleName(), QStringLiteral("Enter in the word box speaks and adds the word"));
        QCOMPARE(larger->isChecked(), stored.contains(QStringLiteral("LargerText=1")));
        QCOMPARE(enter->isChecked(), stored.contains(QStringLiteral("EnterSpeaksAndAdds=1")));
        // The whole page in the keyboard's order, the two boxes after the speech.
        const QList<QWidget*> expected = {
            p.options.FolderEdit(), p.options.BrowseButton(), p.options.RepeatCheck(), p.options.AutoLogInCheck(),
            p.options.RandomizeCheck(), p.options.AutoPlayCheck(), p.options.ChangePasswordButton(),
            p.options.TeacherPasswordButton(), p.options.RateButton(0), p.options.RateButton(1), p.options.RateButton(2),
            p.options.RateButton(3), p.options.RateButton(4), p.options.VoiceCombo(), p.options.SpeechRateSpin(), larger,
            enter, p.options.ApplyButton(), p.options.RestoreButton()};
        QList<QWidget*> order;
        for (QWidget* w = expected.first(); order.size() < expected.size(); w = w->nextInFocusChain())
            if (p.options.isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
                order << w;
        QCOMPARE(order, expected);

        if (clickLarger)
            larger->click();
        if (clickEnter)
            enter->click();
        QCOMPARE(TestSettings::Stored(), sorted(stored));  // nothing until Apply
        p.options.ApplyButton()->click();
        QCOMPARE(TestSettings::Stored(), sorted(after.isEmpty() ? stored : after));
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
        QCOMPARE(TestSettings::Stored(), QStringList());  // nothing until Apply

        p.options.ApplyButton()->click();
        if (changes) {
            QVERIFY(TestSettings::Stored().contains(QStringLiteral("DefaultUserFolder=") + chosen));
            QCOMPARE(p.folders.UserFolder(), chosen);  // the next log-in looks there
        } else {
            QVERIFY(!TestSettings::Stored().join(QLatin1Char(',')).contains(QStringLiteral("DefaultUserFolder")));
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
