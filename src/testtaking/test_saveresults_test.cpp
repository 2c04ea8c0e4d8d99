#include "testtaking/test.h"

#include "base/appsettings.h"
#include "testing/testsupport.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"

#include <QPushButton>

using namespace TestSupport;

namespace {
class CNoCommands : public IPageCommandTarget
{
public:
    void PostPageCommand(PageCommand) override {}
};
}  // namespace

// The test page writes the results of a finished or stopped test at once, through the
// document's result files.
class TestSaveResultsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Without a writer of its own, the page writes a finished or stopped test's results
    // through the document's result files at once.
    void resultsWrittenThroughTheDocument()
    {
        if (!CTest::WritesResultsThroughDocument())
            QSKIP("COrthexDoc offers no SaveResults() yet: results are written at user change and program end only");
        {
            const CRecordingMessageSink sink;
            int saves = 0;
            auto doc = MakeDocument(QStringLiteral("pupil"), MakeList(QStringLiteral("Saved.orthex"), {QStringLiteral("apple")}),
                                    &saves);
            CNoCommands commands;
            CAppSettings settings;
            CTest page(*doc, commands, settings);
            page.OnInitialUpdate();
            page.Session().SetRecordingFolder(NewFolder(QStringLiteral("recordings")));
            QTest::mouseClick(page.StartButton(), Qt::LeftButton);
            QCOMPARE(saves, 0);
            QTest::mouseClick(page.SkipButton(), Qt::LeftButton);
            QTest::mouseClick(page.NextButton(), Qt::LeftButton);
            QCOMPARE(saves, 1);
            // Stopped before any answer: nothing to write.
            QTest::mouseClick(page.StartButton(), Qt::LeftButton);
            QTest::mouseClick(page.StopButton(), Qt::LeftButton);
            QCOMPARE(saves, 1);
            page.SetStopQuestion([](QWidget*) { return true; });
            QTest::mouseClick(page.StartButton(), Qt::LeftButton);
            QTest::mouseClick(page.SkipButton(), Qt::LeftButton);
            QTest::mouseClick(page.StopButton(), Qt::LeftButton);
            QCOMPARE(saves, 2);
        }
    }
};

ORTHEX_TEST_MAIN(TestSaveResultsTest)
#include "test_saveresults_test.moc"
