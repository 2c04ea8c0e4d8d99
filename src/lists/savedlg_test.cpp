#include "base/appfolders.h"
#include "base/appsettings.h"
#include "widgets/browsefolder.h"
#include "lists/savedlg.h"
#include "testing/testenvironment.h"
#include "testing/testsettings.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QtTest>

namespace {
template <typename T>
T* child(QDialog& dialog, const char* name)
{
    return dialog.findChild<T*>(QString::fromLatin1(name));
}
}  // namespace

class SaveDlgTest : public QObject
{
    Q_OBJECT

    QString m_lists;
    QString m_other;

private Q_SLOTS:
    void init()
    {
        QFile::remove(TestSettings::StorePath());
        m_lists = CTestEnvironment::Instance().Root() + QStringLiteral("/Lists");
        m_other = CTestEnvironment::Instance().Root() + QStringLiteral("/Other lists");
        QDir().mkpath(m_lists);
        QDir().mkpath(m_other);
        CAppSettings settings;
        QVERIFY(settings.SetSaveFolderValue(m_lists));
    }

    void cleanup() { CBrowseFolder::SetDialogFunction({}); }

    void showsTheControlsAndTheSaveFolder()
    {
        CAppSettings settings;
        CAppFolders folders(settings);
        CSaveDlg dialog(folders);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Creating a new Spelling List ..."));
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.font().family(), QStringLiteral("Arial"));
        QCOMPARE(dialog.font().pointSize(), 12);
        auto* name = child<QLineEdit>(dialog, "listNameEdit");
        auto* folder = child<QLineEdit>(dialog, "saveFolderEdit");
        auto* path = child<QLineEdit>(dialog, "pathEdit");
        QVERIFY(name && folder && path);
        QVERIFY(!name->isReadOnly());
        QVERIFY(folder->isReadOnly());
        QVERIFY(path->isReadOnly());
        QCOMPARE(name->text(), QString());
        QCOMPARE(folder->text(), m_lists);
        QCOMPARE(path->text(), QString());
        QCOMPARE(name->accessibleName(), QStringLiteral("Enter a name for your spelling list:"));
        QCOMPARE(child<QPushButton>(dialog, "changeFolderButton")->text(), QStringLiteral("Click to change save folder."));
        QCOMPARE(child<QPushButton>(dialog, "nextButton")->text(), QStringLiteral("Next"));
        QVERIFY(child<QPushButton>(dialog, "nextButton")->isDefault());
        QCOMPARE(child<QPushButton>(dialog, "cancelButton")->text(), QStringLiteral("Cancel"));
    }

    void thePathFollowsEveryKeystroke()
    {
        CAppSettings settings;
        CAppFolders folders(settings);
        CSaveDlg dialog(folders);
        dialog.show();
        auto* name = child<QLineEdit>(dialog, "listNameEdit");
        auto* path = child<QLineEdit>(dialog, "pathEdit");
        const QString typed = QStringLiteral("Week 1");
        for (int i = 1; i <= typed.size(); ++i) {
            QTest::keyClick(name, typed.at(i - 1).toLatin1());
            QCOMPARE(path->text(), m_lists + QLatin1Char('/') + typed.left(i) + QStringLiteral(".orthex"));
        }
        QCOMPARE(name->cursorPosition(), typed.size());
    }

    void nextReturnsThePath_data()
    {
        QTest::addColumn<QString>("keys");  // typed; '\b' erases
        QTest::addColumn<QString>("path");  // relative to the save folder; "-" is the empty path
        QTest::newRow("nothing typed") << "" << "-";
        QTest::newRow("a name") << "Week 1" << "/Week 1.orthex";
        QTest::newRow("typed and erased") << "ab\b\b" << "/.orthex";
    }

    void nextReturnsThePath()
    {
        QFETCH(QString, keys);
        QFETCH(QString, path);
        CAppSettings settings;
        CAppFolders folders(settings);
        CSaveDlg dialog(folders);
        dialog.show();
        auto* name = child<QLineEdit>(dialog, "listNameEdit");
        for (QChar c : keys) {
            if (c == QLatin1Char('\b'))
                QTest::keyClick(name, Qt::Key_Backspace);
            else
                QTest::keyClick(name, c.toLatin1());
        }
        QTimer::singleShot(0, name, [name] { QTest::keyClick(name, Qt::Key_Return); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(dialog.Path(), path == QLatin1String("-") ? QString() : m_lists + path);
    }

    void cancelReturnsNothing()
    {
        CAppSettings settings;
        CAppFolders folders(settings);
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<CSaveDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QTest::keyClicks(child<QLineEdit>(*dialog, "listNameEdit"), QStringLiteral("abc"));
            child<QPushButton>(*dialog, "cancelButton")->click();
        });
        QCOMPARE(CSaveDlg::AskPath(folders), std::nullopt);
    }

    void changingTheFolder_data()
    {
        QTest::addColumn<QString>("answer");  // what the folder picker returns: "other", "same" or ""
        QTest::addColumn<bool>("changes");
        QTest::newRow("another folder") << "other" << true;
        QTest::newRow("the same folder") << "same" << false;
        QTest::newRow("picker cancelled") << "" << false;
    }

    void changingTheFolder()
    {
        QFETCH(QString, answer);
        QFETCH(bool, changes);
        const QString chosen = answer == QLatin1String("other") ? m_other : answer == QLatin1String("same") ? m_lists : QString();
        int calls = 0;
        CBrowseFolder::SetDialogFunction([&](QWidget*, const QString&, const QString&) {
            ++calls;
            return chosen;
        });
        CAppSettings settings;
        CAppFolders folders(settings);
        CSaveDlg dialog(folders);
        dialog.show();
        QTest::keyClicks(child<QLineEdit>(dialog, "listNameEdit"), QStringLiteral("Week 1"));
        child<QPushButton>(dialog, "changeFolderButton")->click();
        QCOMPARE(calls, 1);
        const QString folder = changes ? m_other : m_lists;
        QCOMPARE(child<QLineEdit>(dialog, "saveFolderEdit")->text(), folder);
        QCOMPARE(child<QLineEdit>(dialog, "pathEdit")->text(), folder + QStringLiteral("/Week 1.orthex"));
        // The stored folder changes at once, even though the dialog is then cancelled.
        child<QPushButton>(dialog, "cancelButton")->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(CAppSettings().SaveFolderValue(), folder);
        QCOMPARE(CSaveDlg(folders).SaveFolder(), folder);
    }
};

ORTHEX_TEST_MAIN(SaveDlgTest)
#include "savedlg_test.moc"
