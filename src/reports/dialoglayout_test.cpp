#include "base/appfolders.h"
#include "base/appsettings.h"
#include "document/orthexdoc.h"
#include "lists/importwordsdlg.h"
#include "lists/savedlg.h"
#include "reports/classoverviewdlg.h"
#include "reports/progresschartdlg.h"
#include "testing/testenvironment.h"
#include "testing/testlayout.h"
#include "testing/testrecords.h"
#include "users/changepwdlg.h"
#include "users/logindlg.h"
#include "widgets/waitdlg.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QtTest>

#include <functional>
#include <memory>

namespace {
// Each dialog with the control that takes the room it is given: across, and down too unless
// the dialog has nothing to show more of.
struct SDialog {
    const char* name;
    std::function<std::unique_ptr<QDialog>()> make;
    const char* grower;  // object or accessible name
    bool growsDown;
};

COrthexDoc& document()
{
    static COrthexDoc doc;
    return doc;
}

CAppFolders& folders()
{
    static CAppSettings settings;
    static CAppFolders appFolders(settings);
    return appFolders;
}

const SDialog kDialogs[] = {
    {"log in", [] { return std::make_unique<CLogInDlg>(); }, "nameBox", true},
    {"change password", [] { return std::make_unique<CChangePWDlg>(); }, "nameBox", true},
    {"new list", [] { return std::make_unique<CSaveDlg>(folders()); }, "pathEdit", false},
    {"import words", [] { return std::make_unique<CImportWordsDlg>(document(), QStringList()); }, "wordsEdit", true},
    {"class overview",
     [] { return std::make_unique<CClassOverviewDlg>(CTestEnvironment::Instance().Root()); }, "Class Rows", true},
    {"pupil's reports",
     [] {
         SClassPupil pupil;
         pupil.name = QStringLiteral("Gus");
         return std::make_unique<CPupilReportsDlg>(pupil);
     },
     "Report Rows", true},
    {"progress chart",
     [] {
         return std::make_unique<CProgressChartDlg>(TestRecords::Grades({QStringLiteral("Week 1|03/04/26, 09:00 AM|8|10")}),
                                                    QStringLiteral("Gus"));
     },
     "Progress chart", true},
    {"wait", [] { return std::make_unique<CWaitDlg>(); }, "waitText", true},
};

QWidget* findGrower(const QDialog& dialog, const QString& name)
{
    for (QWidget* child : dialog.findChildren<QWidget*>())
        if (child->objectName() == name || child->accessibleName() == name)
            return child;
    return nullptr;
}
}  // namespace

class DialogLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void shrinksAndGrows_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(kDialogs)); ++i)
            QTest::newRow(kDialogs[i].name) << i;
    }

    // Made as small as the window system lets, a dialog still shows every control whole;
    // made larger, its list or text takes the room.
    void shrinksAndGrows()
    {
        QFETCH(int, index);
        const SDialog& spec = kDialogs[index];
        const std::unique_ptr<QDialog> dialog = spec.make();
        dialog->setAttribute(Qt::WA_DeleteOnClose, false);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QWidget* grower = findGrower(*dialog, QString::fromLatin1(spec.grower));
        QVERIFY(grower);

        dialog->resize(1, 1);
        QCoreApplication::processEvents();
        QVERIFY(dialog->width() >= dialog->minimumSizeHint().width());
        QVERIFY(dialog->height() >= dialog->minimumSizeHint().height());
        QList<const QWidget*> controls{grower};
        for (const QWidget* child : dialog->findChildren<QWidget*>())
            if (child->isVisible() && (qobject_cast<const QAbstractButton*>(child) || qobject_cast<const QLabel*>(child)))
                controls << child;
        QCOMPARE(TestLayout::Misplaced(*dialog, controls), QString());

        const QSize small = grower->size();
        dialog->resize(dialog->size() + QSize(300, 200));
        QCoreApplication::processEvents();
        QVERIFY(grower->width() > small.width() + 200);
        QCOMPARE(grower->height() > small.height() + 100, spec.growsDown);
        QCOMPARE(TestLayout::Misplaced(*dialog, controls), QString());
    }
};

ORTHEX_TEST_MAIN(DialogLayoutTest)
#include "dialoglayout_test.moc"
