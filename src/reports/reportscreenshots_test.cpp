#include "document/orthexdoc.h"
#include "reports/reports.h"
#include "testing/testenvironment.h"

#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QtTest>

#include <memory>

namespace {
class CNoCommands : public IPageCommandTarget
{
public:
    void PostPageCommand(PageCommand) override {}
};

// A pupil with a few weeks of results.
void fill(COrthexDoc& doc)
{
    doc.SetCurrentUser(QStringLiteral("Emma"));
    const struct {
        const char* list;
        const char* date;
        int correct, words;
    } grades[] = {{"Week 3", "03/18/26, 09:05 AM", 9, 10},     {"Week 3--Repeat", "03/18/26, 09:20 AM", 10, 10},
                  {"Week 2", "03/11/26, 09:10 AM", 7, 9},      {"Week 2--Stopped Test", "03/10/26, 02:40 PM", 2, 3},
                  {"Week 1", "03/04/26, 09:00 AM", 8, 10}};
    for (const auto& g : grades) {
        auto grade = std::make_unique<CGrade>();
        grade->SetListName(QString::fromLatin1(g.list));
        grade->SetDateText(QString::fromLatin1(g.date));
        grade->SetCorrectCount(g.correct);
        grade->SetWordCount(g.words);
        doc.Results().Grades().AddTail(std::move(grade));
    }
    const char* missed[][2] = {{"receive", "recieve"}, {"boxes", "boxs"},    {"knives", "knifes"},
                               {"happiness", "happyness"}, {"phone", "fone"}, {"Monday", "monday"},
                               {"little", "littel"},   {"balloon", "balon"}, {"judge", "juj"}};
    for (const auto& m : missed) {
        auto record = std::make_unique<CMissed>();
        record->SetListName(QStringLiteral("Week 3"));
        record->SetDateText(QStringLiteral("03/18/26, 09:05 AM"));
        record->SetWord(QString::fromLatin1(m[0]));
        record->SetMisspelling(QString::fromLatin1(m[1]));
        doc.Results().Missed().AddTail(std::move(record));
    }
    for (const char* word : {"necessary", "rhythm", "separate", "weird"}) {
        auto record = std::make_unique<CVocabulary>();
        record->SetListName(QStringLiteral("Week 2"));
        record->SetDateText(QStringLiteral("03/11/26, 09:10 AM"));
        record->SetWord(QString::fromLatin1(word));
        doc.Results().Vocabulary().AddTail(std::move(record));
    }
}
}  // namespace

// Pictures of the four reports and of a print preview page, for the documentation. They go
// into ORTHEX_SCREENSHOT_DIR (scripts/update-screenshots sets it), else into the test's
// temporary folder.
class CReportScreenshotsTest : public QObject
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

    void reports_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("file");
        QTest::newRow("grades") << 0 << QStringLiteral("reports-grades.png");
        QTest::newRow("misspelled words") << 1 << QStringLiteral("reports-misspelled-words.png");
        QTest::newRow("vocabulary") << 2 << QStringLiteral("reports-vocabulary.png");
        QTest::newRow("error profile") << 3 << QStringLiteral("reports-error-profile.png");
    }
    void reports()
    {
        QFETCH(int, kind);
        QFETCH(QString, file);
        CNoCommands commands;
        COrthexDoc doc;
        fill(doc);
        CReports page(doc, commands);
        page.resize(page.sizeHint());
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.OnInitialUpdate();
        page.ReportButton(EReportKind(kind))->click();
        QCoreApplication::processEvents();
        Save(page.grab().toImage(), file);
    }

    void printPreview_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("file");
        QTest::newRow("misspelled words") << 1 << QStringLiteral("reports-print-preview.png");
        QTest::newRow("error profile") << 3 << QStringLiteral("reports-error-profile-print-preview.png");
    }
    void printPreview()
    {
        QFETCH(int, kind);
        QFETCH(QString, file);
        CNoCommands commands;
        COrthexDoc doc;
        fill(doc);
        CReports page(doc, commands);
        page.OnInitialUpdate();
        page.ReportButton(EReportKind(kind))->click();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        QPrintPreviewDialog preview(&printer);
        connect(&preview, &QPrintPreviewDialog::paintRequested, &page, &CReports::PrintReport);
        preview.resize(900, 1000);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QCoreApplication::processEvents();
        Save(preview.grab().toImage(), file);
        preview.close();
    }

private:
    void Save(const QImage& image, const QString& file)
    {
        QVERIFY(!image.isNull());
        const QString path = QDir(m_folder).filePath(file);
        QVERIFY(image.save(path, "PNG"));
        QVERIFY(QFileInfo(path).size() > 0);
    }

    QString m_folder;
};

ORTHEX_TEST_MAIN(CReportScreenshotsTest)
#include "reportscreenshots_test.moc"
