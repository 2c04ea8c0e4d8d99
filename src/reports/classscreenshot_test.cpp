#include "reports/classoverviewdlg.h"
#include "testing/testclass.h"
#include "testing/testenvironment.h"

#include <QComboBox>
#include <QDir>
#include <QTest>

// A picture of the class overview for the documentation. It goes into ORTHEX_SCREENSHOT_DIR
// (scripts/update-screenshots sets it), else into the test's temporary folder.
class TestClassScreenshot : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void overview()
    {
        QString folder = qEnvironmentVariable("ORTHEX_SCREENSHOT_DIR");
        if (folder.isEmpty())
            folder = CTestEnvironment::Instance().Root() + QStringLiteral("/screenshots");
        QVERIFY(QDir().mkpath(folder));

        CClassOverviewDlg dialog(TestClass::WriteExample(QStringLiteral("class")));
        dialog.resize(720, 400);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCoreApplication::processEvents();
        const QImage image = dialog.grab().toImage();
        QVERIFY(!image.isNull());
        const QString path = QDir(folder).filePath(QStringLiteral("class-overview.png"));
        QVERIFY(image.save(path, "PNG"));
        QVERIFY(QFileInfo(path).size() > 0);
    }
};

ORTHEX_TEST_MAIN(TestClassScreenshot)
#include "classscreenshot_test.moc"
