#include "base/appfolders.h"
#include "base/appsettings.h"
#include "app/mainframe.h"
#include "testing/shelltestsupport.h"
#include "testing/testenvironment.h"

#include <QDir>
#include <QtTest>

using namespace ShellTest;

// Pictures of the main window on each page, for the documentation. They go into
// ORTHEX_SCREENSHOT_DIR (scripts/update-screenshots sets it), else into the test's temporary
// folder.
class ScreenshotsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_folder = qEnvironmentVariable("ORTHEX_SCREENSHOT_DIR");
        if (m_folder.isEmpty())
            m_folder = CTestEnvironment::Instance().Root() + QStringLiteral("/screenshots");
        QVERIFY(QDir().mkpath(m_folder));
    }

    void everyPage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("file");
        QTest::newRow("start") << 1 << QStringLiteral("start-page.png");
        QTest::newRow("words") << 2 << QStringLiteral("words-page.png");
        QTest::newRow("test") << 3 << QStringLiteral("test-page.png");
        QTest::newRow("reports") << 4 << QStringLiteral("reports-page.png");
        QTest::newRow("options") << 5 << QStringLiteral("options-page.png");
    }

    void everyPage()
    {
        QFETCH(int, page);
        QFETCH(QString, file);
        const QString list = MakeList(QStringLiteral("Week 3.orthex"), QStringLiteral("Mrs Brown"),
                                      {QStringLiteral("believe"), QStringLiteral("receive"), QStringLiteral("ceiling"),
                                       QStringLiteral("neighbour"), QStringLiteral("weight")});
        QVERIFY(!list.isEmpty());
        CAppSettings settings;
        CAppFolders folders(settings);
        // A folder as a classroom would have it, rather than the test's temporary one.
        folders.SetDefaultUserFolder(QStringLiteral("/home/shared/Orthex"));
        auto doc = MakeDocument(QStringLiteral("Mrs Brown"));
        CMainFrame frame(*doc, settings, folders);
        doc->SetHost(&frame);
        frame.SetNewListPathFunction([](CAppFolders&, QWidget*) { return std::optional<QString>(); });
        doc->NewDocument();
        QVERIFY(frame.OpenFile(list));
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCoreApplication::processEvents();
        QAction* action = frame.PageAction(PageCommand(page));
        if (PageCommand(page) != frame.CurrentPage()) {
            QVERIFY(action->isEnabled());
            action->trigger();
        }
        QCOMPARE(int(frame.CurrentPage()), page);
        QCoreApplication::processEvents();

        const QImage image = frame.grab().toImage();
        QVERIFY(!image.isNull());
        QVERIFY(image.width() >= frame.centralWidget()->width());
        const QString path = QDir(m_folder).filePath(file);
        QVERIFY(image.save(path, "PNG"));
        QVERIFY(QFileInfo(path).size() > 0);
    }

private:
    QString m_folder;
};

ORTHEX_TEST_MAIN(ScreenshotsTest)
#include "screenshots_test.moc"
