#include "base/appfolders.h"
#include "base/appsettings.h"
#include "app/optionssettings.h"
#include "sound/speechsynthesizer.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testsettings.h"

#include <QDir>
#include <QSettings>
#include <QtTest>

namespace {
const QString kRateMessage = QStringLiteral("The Recording Rate will not change until you restart Orthex.");
}  // namespace

class OptionsSettingsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadReadsStoredValues_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("autoLogIn");
        QTest::addColumn<bool>("randomize");
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<int>("rate");

        QTest::newRow("defaults") << QStringList() << QStringLiteral("anna") << false << false << false << 2;
        QTest::newRow("all set")
            << QStringList{QStringLiteral("Auto=anna"), QStringLiteral("Randomize List=1"),
                           QStringLiteral("Repeat=1"), QStringLiteral("Rate=0")}
            << QStringLiteral("anna") << true << true << true << 0;
        QTest::newRow("auto names another user: ticked")
            << QStringList{QStringLiteral("Auto=bob")} << QStringLiteral("anna") << true << false << false << 2;
        QTest::newRow("nobody logged in: box keeps its value")
            << QStringList{QStringLiteral("Auto=bob")} << QString() << false << false << false << 2;
        QTest::newRow("rate out of range: none chosen")
            << QStringList{QStringLiteral("Rate=9")} << QStringLiteral("anna") << false << false << false << -1;
    }

    void loadReadsStoredValues()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, user);
        TestSettings::SetStored(stored);
        CAppSettings settings;
        CAppFolders folders(settings);
        COptionsSettings options(settings, folders);
        COptionsValues values;
        options.Load(values, user);
        QTEST(values.autoLogIn, "autoLogIn");
        QTEST(values.randomize, "randomize");
        QTEST(values.repeat, "repeat");
        QTEST(values.rate, "rate");
        QCOMPARE(values.userFolder, CTestEnvironment::Instance().SharedDocuments() + QStringLiteral("/Orthex"));
        // Reading never writes.
        QCOMPARE(TestSettings::Stored(), [&] { QStringList s = stored; s.sort(); return s; }());
    }

    void applyWritesOnlyChanges_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("autoLogIn");
        QTest::addColumn<bool>("randomize");
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("messages");

        const QStringList none;
        QTest::newRow("nothing changed writes nothing")
            << none << QStringLiteral("anna") << false << false << false << 2 << none << none;
        QTest::newRow("only the rate")
            << none << QStringLiteral("anna") << false << false << false << 4
            << QStringList{QStringLiteral("Rate=4")} << QStringList{kRateMessage};
        QTest::newRow("stored rate chosen again")
            << QStringList{QStringLiteral("Rate=4")} << QStringLiteral("anna") << false << false << false << 4
            << QStringList{QStringLiteral("Rate=4")} << none;
        QTest::newRow("randomize and repeat")
            << none << QStringLiteral("anna") << false << true << true << 2
            << QStringList{QStringLiteral("Randomize List=1"), QStringLiteral("Repeat=1")} << none;
        QTest::newRow("switched off again")
            << QStringList{QStringLiteral("Randomize List=1"), QStringLiteral("Repeat=1")}
            << QStringLiteral("anna") << false << false << false << 2
            << QStringList{QStringLiteral("Randomize List=0"), QStringLiteral("Repeat=0")} << none;
        QTest::newRow("nobody logged in leaves Auto alone")
            << QStringList{QStringLiteral("Auto=bob")} << QString() << false << false << false << 2
            << QStringList{QStringLiteral("Auto=bob")} << none;
        QTest::newRow("nobody logged in, box ticked, writes no Auto")
            << none << QString() << true << false << false << 2 << none << none;
        QTest::newRow("box ticked writes the user")
            << none << QStringLiteral("anna") << true << false << false << 2
            << QStringList{QStringLiteral("Auto=anna")} << none;
        QTest::newRow("another user's name stays when ticked")
            << QStringList{QStringLiteral("Auto=bob")} << QStringLiteral("anna") << true << false << false << 2
            << QStringList{QStringLiteral("Auto=bob")} << none;
        QTest::newRow("cleared box empties Auto")
            << QStringList{QStringLiteral("Auto=bob")} << QStringLiteral("anna") << false << false << false << 2
            << QStringList{QStringLiteral("Auto=")} << none;
        QTest::newRow("no rate chosen leaves an odd stored rate")
            << QStringList{QStringLiteral("Rate=9")} << QStringLiteral("anna") << false << false << false << -1
            << QStringList{QStringLiteral("Rate=9")} << none;
    }

    void applyWritesOnlyChanges()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, user);
        QFETCH(QStringList, after);
        TestSettings::SetStored(stored);
        CRecordingMessageSink messages;
        CAppSettings settings;
        CAppFolders folders(settings);
        COptionsSettings options(settings, folders);
        COptionsValues values;
        options.Load(values, user);
        QFETCH(bool, autoLogIn);
        QFETCH(bool, randomize);
        QFETCH(bool, repeat);
        QFETCH(int, rate);
        values.autoLogIn = autoLogIn;
        values.randomize = randomize;
        values.repeat = repeat;
        values.rate = rate;
        options.Apply(values, user);
        after.sort();
        QCOMPARE(TestSettings::Stored(), after);
        QTEST(messages.Texts(), "messages");
    }

    // Automatic playing and the speech: shown as stored, written only when they differ.
    void speechAndAutoPlay_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<bool>("autoPlay");
        QTest::addColumn<QString>("voice");
        QTest::addColumn<int>("speechRate");
        QTest::addColumn<QStringList>("after");

        const QStringList none;
        const QString flite = QStringLiteral("flite/cmu_us_rms");
        const int rate = CSpeechSynthesizer::kDefaultRate;
        QTest::newRow("defaults kept write nothing") << none << false << flite << rate << none;
        QTest::newRow("auto play on") << none << true << flite << rate << QStringList{"AutoPlay=1"};
        QTest::newRow("auto play off again")
            << QStringList{"AutoPlay=1"} << false << flite << rate << QStringList{"AutoPlay=0"};
        QTest::newRow("another voice") << none << false << "gmw/en" << rate << QStringList{"Voice=gmw/en"};
        QTest::newRow("no voice leaves the stored one")
            << QStringList{"Voice=gmw/en"} << false << "" << rate << QStringList{"Voice=gmw/en"};
        QTest::newRow("faster") << none << false << flite << 220 << QStringList{"SpeechRate=220"};
        QTest::newRow("stored values again")
            << QStringList{"AutoPlay=1", "Voice=gmw/en", "SpeechRate=90"} << true << "gmw/en" << 90
            << QStringList{"AutoPlay=1", "SpeechRate=90", "Voice=gmw/en"};
    }

    void speechAndAutoPlay()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, after);
        TestSettings::SetStored(stored);
        CRecordingMessageSink messages;
        CAppSettings settings;
        CAppFolders folders(settings);
        COptionsSettings options(settings, folders);
        COptionsValues values;
        options.Load(values, QStringLiteral("anna"));
        QCOMPARE(values.autoPlay, stored.contains(QStringLiteral("AutoPlay=1")));
        QCOMPARE(values.voice, stored.contains(QStringLiteral("Voice=gmw/en")) ? QStringLiteral("gmw/en")
                                                                                : CSpeechSynthesizer::kDefaultVoice);
        QFETCH(bool, autoPlay);
        QFETCH(QString, voice);
        QFETCH(int, speechRate);
        values.autoPlay = autoPlay;
        values.voice = voice;
        values.speechRate = speechRate;
        stored.sort();
        after.sort();
        QCOMPARE(options.Apply(values, QStringLiteral("anna")), after != stored);
        QCOMPARE(TestSettings::Stored(), after);
        QCOMPARE(messages.Texts(), QStringList());
    }

    void applyNewUserFolder()
    {
        TestSettings::SetStored({});
        CAppSettings settings;
        CAppFolders folders(settings);
        folders.SetUserFolder(folders.GetDefaultUserFolder());
        COptionsSettings options(settings, folders);
        COptionsValues values;
        options.Load(values, QString());

        const QString elsewhere = CTestEnvironment::Instance().Root() + QStringLiteral("/not/there");
        values.userFolder = elsewhere;
        QVERIFY(options.Apply(values, QString()));
        QCOMPARE(TestSettings::Stored(), QStringList{QStringLiteral("DefaultUserFolder=") + elsewhere});
        QCOMPARE(folders.UserFolder(), elsewhere);
        QVERIFY2(!QDir(elsewhere).exists(), "the new folder is neither created nor tested");

        // The same folder again, or an empty one, writes nothing.
        QVERIFY(!options.Apply(values, QString()));
        values.userFolder.clear();
        QVERIFY(!options.Apply(values, QString()));
        QCOMPARE(folders.UserFolder(), elsewhere);
    }
};

ORTHEX_TEST_MAIN(OptionsSettingsTest)
#include "optionssettings_test.moc"
