#include "app/aboutdlg.h"
#include "testing/testenvironment.h"
#include "testing/testlayout.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class AboutDlgTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsTheVersionAndClosesWithOk()
    {
        CAboutDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About Orthex"));
        QVERIFY(dialog.isModal());
        auto* version = dialog.findChild<QLabel*>(QStringLiteral("versionLabel"));
        QVERIFY(version);
        QCOMPARE(version->text(), QStringLiteral("Orthex, Version 4.2.0.0"));
        QVERIFY(!dialog.findChild<QLabel*>(QStringLiteral("aboutLabel"))->text().isEmpty());

        QPushButton* ok = nullptr;
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            if (b->text() == QLatin1String("OK"))
                ok = b;
        QVERIFY(ok);

        // Made as small as the window system lets, its text and OK stay whole.
        dialog.show();
        dialog.resize(1, 1);
        QCoreApplication::processEvents();
        QCOMPARE(TestLayout::Misplaced(dialog, {version, dialog.findChild<QLabel*>(QStringLiteral("aboutLabel")), ok}),
                 QString());
        QTimer::singleShot(0, ok, [ok] { ok->click(); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    }
};

ORTHEX_TEST_MAIN(AboutDlgTest)
#include "aboutdlg_test.moc"
