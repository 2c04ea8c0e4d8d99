#include "testing/shelltestsupport.h"
#include "testing/testenvironment.h"

#include <QDir>
#include <QScrollArea>
#include <QScrollBar>
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
        SMainWindow w(QStringLiteral("Mrs Brown"));
        // A folder as a classroom would have it, rather than the test's temporary one.
        w.folders.SetDefaultUserFolder(QStringLiteral("/home/shared/Orthex"));
        QVERIFY(w.frame.OpenFile(list));
        w.frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.frame));
        QVERIFY(w.ShowPage(PageCommand(page)));
        // The page at the size its form is laid out for, whole in the picture.
        w.FitPage(w.frame.ActivePage()->sizeHint());
        for (QScrollArea* scroll : w.frame.ActivePage()->findChildren<QScrollArea*>())
            QVERIFY(!scroll->horizontalScrollBar()->isVisible() && !scroll->verticalScrollBar()->isVisible());

        const QImage image = w.frame.grab().toImage();
        QVERIFY(!image.isNull());
        const QString path = QDir(m_folder).filePath(file);
        QVERIFY(image.save(path, "PNG"));
        QVERIFY(QFileInfo(path).size() > 0);
    }

private:
    QString m_folder;
};

ORTHEX_TEST_MAIN(ScreenshotsTest)
#include "screenshots_test.moc"
