#include "widgets/enterpressesbutton.h"
#include "testing/testenvironment.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {
// A page that routes Enter itself, as the test page does: it counts the Enter presses that reach it.
class CEnterPage : public QDialog
{
public:
    int entersSeen = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            ++entersSeen;
        QDialog::keyPressEvent(event);
    }
};
}  // namespace

class EnterPressesButtonTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enterOnTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("autoRepeat");
        QTest::addColumn<bool>("leftToPage");
        QTest::addColumn<int>("focusedClicks");
        QTest::addColumn<int>("defaultClicks");  // the dialog's default button
        QTest::addColumn<int>("pageSaw");
        QTest::newRow("Return") << int(Qt::Key_Return) << 0 << false << false << 1 << 0 << 0;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false << false << 1 << 0 << 0;
        QTest::newRow("held down") << int(Qt::Key_Return) << 0 << true << false << 0 << 0 << 0;
        QTest::newRow("with Ctrl") << int(Qt::Key_Return) << int(Qt::ControlModifier) << false << false << 0 << 0 << 1;
        QTest::newRow("left to the page") << int(Qt::Key_Return) << 0 << false << true << 0 << 1 << 1;
        QTest::newRow("Space, as before") << int(Qt::Key_Space) << 0 << false << false << 1 << 0 << 0;
    }

    // A dialog with a default button and another, focused one that is not: Enter presses the
    // focused one, where Qt alone would press the default.
    void enterOnTheFocusedButton()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, autoRepeat);
        QFETCH(bool, leftToPage);
        QFETCH(int, focusedClicks);
        QFETCH(int, defaultClicks);
        QFETCH(int, pageSaw);
        CEnterPressesButton filter;
        qApp->installEventFilter(&filter);
        CEnterPage page;
        auto* focused = new QPushButton(QStringLiteral("Skip Word"), &page);
        focused->setAutoDefault(false);
        auto* ok = new QPushButton(QStringLiteral("OK"), &page);
        ok->setDefault(true);
        auto* layout = new QHBoxLayout(&page);
        layout->addWidget(focused);
        layout->addWidget(ok);
        if (leftToPage)
            CEnterPressesButton::LeaveEnterToPage(focused);
        page.show();
        QApplication::setActiveWindow(&page);
        QVERIFY(QTest::qWaitForWindowActive(&page));
        focused->setFocus();
        QVERIFY(focused->hasFocus());
        QSignalSpy focusedSpy(focused, &QPushButton::clicked);
        QSignalSpy defaultSpy(ok, &QPushButton::clicked);
        if (key == Qt::Key_Space) {
            QTest::keyClick(focused, Qt::Key_Space);
        } else {
            QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), QString(), autoRepeat);
            QApplication::sendEvent(focused, &press);
        }
        QCOMPARE(focusedSpy.size(), focusedClicks);
        QCOMPARE(defaultSpy.size(), defaultClicks);
        QCOMPARE(page.entersSeen, pageSaw);
    }
};

ORTHEX_TEST_MAIN(EnterPressesButtonTest)
#include "enterpressesbutton_test.moc"
