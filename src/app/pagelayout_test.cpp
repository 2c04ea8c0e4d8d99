#include "testing/shelltestsupport.h"
#include "testing/testenvironment.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QtTest>

#include <algorithm>

using namespace ShellTest;

namespace {
// The page's own controls on its form: not the parts of a control (a spin box's line, a
// table's header), nor what is hidden.
QList<QWidget*> controlsOf(QWidget* form)
{
    QList<QWidget*> controls;
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(form))
            continue;
        if (!qobject_cast<QAbstractButton*>(widget) && !qobject_cast<QLineEdit*>(widget) &&
            !qobject_cast<QAbstractScrollArea*>(widget) && !qobject_cast<QComboBox*>(widget) &&
            !qobject_cast<QAbstractSpinBox*>(widget))
            continue;
        bool part = false;
        for (QWidget* up = widget->parentWidget(); up != form && !part; up = up->parentWidget())
            part = qobject_cast<QAbstractScrollArea*>(up) || qobject_cast<QAbstractSpinBox*>(up) ||
                   qobject_cast<QComboBox*>(up);
        if (!part)
            controls << widget;
    }
    return controls;
}

// The width of the page's widest text box or list.
int widestBox(QWidget* form)
{
    int widest = 0;
    for (QWidget* control : controlsOf(form))
        if (qobject_cast<QLineEdit*>(control) || qobject_cast<QAbstractScrollArea*>(control))
            widest = qMax(widest, control->width());
    return widest;
}
}  // namespace

// Every page of the real main window lays itself out in the window it is given: below its
// smallest size it scrolls rather than cutting controls off, at its form's size it fits, and in
// a large window it grows.
class PageLayoutTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagesStretchAndScroll_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");  // of the window; invalid: the page's form fills the window
        const struct {
            PageCommand page;
            const char* name;
        } pages[] = {{PageCommand::Start, "start"},
                     {PageCommand::Words, "words"},
                     {PageCommand::Test, "test"},
                     {PageCommand::Reports, "reports"},
                     {PageCommand::Options, "options"}};
        const struct {
            QSize size;
            const char* name;
        } sizes[] = {{QSize(560, 420), "560x420"}, {QSize(200, 150), "200x150"}, {QSize(300, 1000), "300x1000"},
                     {QSize(), "form"}, {QSize(1280, 1000), "1280x1000"}};
        for (const auto& page : pages)
            for (const auto& size : sizes)
                QTest::addRow("%s %s", page.name, size.name) << int(page.page) << QString::fromLatin1(page.name)
                                                             << size.size;
    }

    void pagesStretchAndScroll()
    {
        QFETCH(int, page);
        QFETCH(QString, name);
        QFETCH(QSize, size);
        SMainWindow w(QStringLiteral("anna"));
        QVERIFY(w.frame.OpenFile(MakeList(QStringLiteral("layout.orthex"), QStringLiteral("anna"),
                                          {QStringLiteral("believe"), QStringLiteral("receive")})));
        w.frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.frame));
        QVERIFY(w.ShowPage(PageCommand(page)));
        QWidget* view = w.frame.ActivePage();
        auto* scroll = view->findChild<QScrollArea*>(name + QStringLiteral("Scroll"));
        QVERIFY2(scroll, "the page lies on a scrolling form");
        QWidget* form = scroll->widget();
        QCOMPARE(form->objectName(), name + QStringLiteral("Form"));
        // The heading stays on the form.
        const QString heading = view->accessibleName();
        const QList<QLabel*> labels = form->findChildren<QLabel*>();
        QVERIFY2(std::any_of(labels.cbegin(), labels.cend(), [&](QLabel* label) { return label->text() == heading; }),
                 qPrintable(heading));

        // The page's form takes the window's middle, as at the first start.
        const QSize formSize = view->sizeHint();
        w.FitPage(formSize);
        const int widestAtFormSize = widestBox(form);
        if (size.isValid()) {
            w.frame.resize(size);
            Settle();
        }

        const QSize viewport = scroll->viewport()->size();
        for (QWidget* control : controlsOf(form)) {
            const QString what = control->accessibleName() + QLatin1Char(' ') + control->metaObject()->className();
            QVERIFY2(form->rect().contains(QRect(control->mapTo(form, QPoint(0, 0)), control->size())),
                     qPrintable(what));
            QVERIFY2(control->width() >= control->minimumSizeHint().width(), qPrintable(what));
            // A box or list scrolls its own text; any other control shows it whole or not at all.
            if (!qobject_cast<QAbstractScrollArea*>(control))
                QVERIFY2(control->height() >= control->minimumSizeHint().height(), qPrintable(what));
        }
        // What does not fit can be scrolled to.
        QCOMPARE(scroll->horizontalScrollBar()->isVisible(), form->width() > viewport.width());
        QCOMPARE(scroll->verticalScrollBar()->isVisible(), form->height() > viewport.height());
        const bool scrolls = scroll->horizontalScrollBar()->isVisible() || scroll->verticalScrollBar()->isVisible();
        if (!size.isValid())
            QVERIFY2(!scrolls, "the page fits at its form's size");
        if (size == QSize(200, 150))
            QVERIFY(scrolls);
        if (size == QSize(1280, 1000)) {
            QVERIFY(!scrolls);
            QVERIFY2(widestBox(form) > widestAtFormSize,
                     qPrintable(QStringLiteral("%1 at the form's size, %2 now").arg(widestAtFormSize).arg(widestBox(form))));
        }
    }
};

ORTHEX_TEST_MAIN(PageLayoutTest)
#include "pagelayout_test.moc"
