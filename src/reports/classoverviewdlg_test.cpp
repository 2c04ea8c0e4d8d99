#include "base/appfolders.h"
#include "base/appsettings.h"
#include "document/orthexdoc.h"
#include "reports/classoverviewdlg.h"
#include "reports/reports.h"
#include "testing/recordingmessagesink.h"
#include "testing/testclass.h"
#include "users/teachergate.h"
#include "users/teacherpassword.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"

#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTreeView>
#include <QtTest>

namespace {
class CNoCommands : public IPageCommandTarget
{
public:
    void PostPageCommand(PageCommand) override {}
};

// The rows a view shows, each as its texts joined with "|".
QStringList shown(const QTreeView& view)
{
    QStringList rows;
    const QAbstractItemModel& model = *view.model();
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList texts;
        for (int c = 0; c < model.columnCount(); ++c)
            texts << model.index(r, c).data().toString();
        rows << texts.join(QLatin1Char('|'));
    }
    return rows;
}
}  // namespace

class ClassOverviewDlgTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_folder = TestClass::WriteExample(QStringLiteral("class")); }

    // The tables and the list picker bind the class results; the damaged pupil is named above.
    void tables_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("overview of one list") << 0 << "Week 1"
                                              << QStringList{"Ann|4|100.0|72.5||ok", "Ben|0||||ok", "Cleo|0||||ok",
                                                             "dora|||||damaged"};
        QTest::newRow("words of one list") << 1 << "Week 2" << QStringList{"believe|2|2", "Monday|1|1"};
        QTest::newRow("profile") << 2 << "" << QStringList{"ie/ei|4|80.0 %|2|Ann, Ben", "capital letters|1|20.0 %|1|Ben"};
    }
    void tables()
    {
        QFETCH(int, table);
        QFETCH(QString, list);
        QFETCH(QStringList, rows);
        CClassOverviewDlg dialog(m_folder);
        dialog.show();
        QCOMPARE(dialog.ListCombo()->count(), 3);  // all lists, Week 1, Week 2
        QVERIFY(dialog.FaultLabel()->isVisible());
        QVERIFY(dialog.FaultLabel()->text().contains(QStringLiteral("dora.sp4")));
        dialog.TableCombo()->setCurrentIndex(table);
        dialog.ListCombo()->setCurrentIndex(qMax(0, dialog.ListCombo()->findText(list)));
        QCOMPARE(shown(*dialog.View()), rows);
    }

    // A pupil's row opens that pupil's four reports, read-only; a damaged pupil's opens nothing.
    void openPupil_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<int>>("reportRows");  // grades, misspelled words, vocabulary, profile
        QTest::newRow("Ann") << 0 << QList<int>{7, 3, 0, 1};
        QTest::newRow("Cleo, without results") << 2 << QList<int>{0, 0, 0, 0};
        QTest::newRow("dora, damaged") << 3 << QList<int>();
    }
    void openPupil()
    {
        QFETCH(int, row);
        QFETCH(QList<int>, reportRows);
        CClassOverviewDlg dialog(m_folder);
        dialog.show();
        QTreeView* view = dialog.View();
        view->setCurrentIndex(view->model()->index(row, 0));
        QCOMPARE(dialog.OpenButton()->isEnabled(), !reportRows.isEmpty());
        QTest::keyClick(view, Qt::Key_Return);
        auto* pupil = dialog.findChild<CPupilReportsDlg*>();
        QCOMPARE(pupil != nullptr, !reportRows.isEmpty());
        if (!pupil)
            return;
        QList<int> counts;
        for (EReportKind kind : kReportKinds) {
            pupil->ShowReport(kind);
            counts << pupil->View()->model()->rowCount();
            QCOMPARE(pupil->View()->editTriggers(), QAbstractItemView::NoEditTriggers);
        }
        QCOMPARE(counts, reportRows);
    }

    void exportCsv()
    {
        const QString path = TestFiles::InRoot(QStringLiteral("overview.csv"));
        QString offered;
        CReports::SetSaveFileFunction([&](QWidget*, const QString& suggested) {
            offered = suggested;
            return path;
        });
        CClassOverviewDlg dialog(m_folder);
        dialog.ShowTable(ClassTables::ETable::Overview, QStringLiteral("Week 2"));
        dialog.ExportButton()->click();
        CReports::SetSaveFileFunction({});
        QVERIFY2(offered.endsWith(QStringLiteral("/class overview.csv")), qPrintable(offered));
        QCOMPARE(TestFiles::Read(path), QByteArray("User,Tests,Newest,Average,Trend,Status\r\nAnn,3,90.0,66.7,,ok\r\n"
                                                   "Ben,2,75.0,75.0,,ok\r\nCleo,0,,,,ok\r\ndora,,,,,damaged\r\n"));
    }

    void print()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed, so the printout cannot be read back");
        const QString pdf = TestFiles::InRoot(QStringLiteral("class.pdf"));
        CReports::SetPreviewFunction([&](QWidget*, QPrinter& printer, const std::function<void(QPrinter*)>& paint) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            paint(&printer);
        });
        CClassOverviewDlg dialog(m_folder);
        dialog.ShowTable(ClassTables::ETable::Words);
        dialog.PrintButton()->click();
        CReports::SetPreviewFunction({});
        QProcess process;
        process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(process.waitForFinished(30000));
        const QString text = QString::fromUtf8(process.readAllStandardOutput()).simplified();
        for (const char* part : {"Words Missed Most", "Word", "Pupils", "believe", "Monday", "receive"})
            QVERIFY2(text.contains(QLatin1String(part)), qPrintable(text));
    }

    // The reports page opens the overview of the user folder the program uses.
    void reportsPageButton()
    {
        CAppSettings settings;
        const QString folder = CAppFolders(settings).GetDefaultUserFolder();
        TestClass::Write(folder, {{QStringLiteral("Gus"), {QStringLiteral("Week 5|d|1|2")}, {}}});
        CNoCommands commands;
        COrthexDoc doc;
        CReports page(doc, commands);
        page.OnInitialUpdate();
        page.ClassOverviewButton()->click();
        auto* overview = page.findChild<CClassOverviewDlg*>();
        QVERIFY(overview);
        QCOMPARE(shown(*overview->View()), QStringList{"Gus|1|50.0|50.0||ok"});
        QVERIFY(overview->FaultLabel()->isHidden());
    }

    // With a teacher password the overview opens only for it.
    void teacherPassword_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("opens");
        QTest::newRow("right") << "Eule 7" << true;
        QTest::newRow("wrong") << "Eule" << false;
    }
    void teacherPassword()
    {
        QFETCH(QString, typed);
        QFETCH(bool, opens);
        QVERIFY(CTeacherPassword(m_folder).Set(QStringLiteral("Eule 7")));
        TeacherGate::SetAskFunction([&](QWidget*, const QString&) { return std::optional<QString>(typed); });
        CRecordingMessageSink messages;
        QWidget parent;
        CClassOverviewDlg* overview = CClassOverviewDlg::Open(m_folder, &parent);
        TeacherGate::SetAskFunction({});
        QVERIFY(CTeacherPassword(m_folder).Set(QString()));
        QCOMPARE(overview != nullptr, opens);
    }

private:
    QString m_folder;
};

ORTHEX_TEST_MAIN(ClassOverviewDlgTest)
#include "classoverviewdlg_test.moc"
