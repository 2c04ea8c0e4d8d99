#include "widgets/browsefolder.h"
#include "testing/testenvironment.h"

#include <QDir>
#include <QUrl>
#include <QtTest>

class BrowseFolderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { CBrowseFolder::SetDialogFunction({}); }

    void returnsOnlyRealFolders_data()
    {
        const QString root = CTestEnvironment::Instance().Root();
        QTest::addColumn<QString>("dialogAnswer");
        QTest::addColumn<QString>("result");
        QTest::newRow("cancelled") << QString() << QString();
        QTest::newRow("a folder") << root << root;
        QTest::newRow("a folder as a URL") << QUrl::fromLocalFile(root).toString() << root;
        QTest::newRow("a folder that does not exist") << root + QStringLiteral("/gone") << QString();
        QTest::newRow("no file-system path") << QStringLiteral("computer:///") << QString();
        QTest::newRow("relative") << QStringLiteral("home") << QString();
    }

    void returnsOnlyRealFolders()
    {
        QFETCH(QString, dialogAnswer);
        QFETCH(QString, result);
        QString title;
        QString start;
        int calls = 0;
        CBrowseFolder::SetDialogFunction([&](QWidget*, const QString& t, const QString& s) {
            ++calls;
            title = t;
            start = s;
            return dialogAnswer;
        });
        QCOMPARE(CBrowseFolder().BrowseForFolder(), result);
        QCOMPARE(calls, 1);
        QCOMPARE(title, QStringLiteral("Choose a Directory"));
        QCOMPARE(start, QDir::rootPath());
    }

};

ORTHEX_TEST_MAIN(BrowseFolderTest)
#include "browsefolder_test.moc"
