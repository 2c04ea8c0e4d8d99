#include "widgets/linelistbox.h"
#include "testing/testenvironment.h"

#include <QFontMetrics>
#include <QImage>
#include <QSet>
#include <QtTest>

namespace {
const QColor kBase(255, 255, 255);
const QColor kHighlight(0, 0, 128);
const QColor kHighlightedText(255, 255, 0);
const QColor kText(255, 0, 255);  // the focus frame

QSet<QRgb> coloursIn(const QImage& image, const QRect& rect)
{
    QSet<QRgb> colours;
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            colours.insert(image.pixel(x, y) | 0xff000000u);
    return colours;
}

// The smallest rectangle holding every pixel of the colour inside rect.
QRect boundsOf(const QImage& image, const QRect& rect, QColor colour)
{
    QRect bounds;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if ((image.pixel(x, y) | 0xff000000u) == colour.rgb())
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}
}  // namespace

class LineListBoxTest : public QObject
{
    Q_OBJECT

    static void prepare(CLineListBox& box)
    {
        QPalette palette = box.palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Base, kBase);
            palette.setColor(group, QPalette::Highlight, kHighlight);
            palette.setColor(group, QPalette::HighlightedText, kHighlightedText);
            palette.setColor(group, QPalette::Text, kText);
        }
        box.setPalette(palette);
        QFont font(QStringLiteral("Liberation Sans"), 14);
        font.setStyleStrategy(QFont::NoAntialias);
        box.setFont(font);
        box.resize(300, 200);
    }

private Q_SLOTS:
    void lineHeightIsTheFontHeightPlusLeadingPlusFour_data()
    {
        QTest::addColumn<int>("pointSize");
        QTest::newRow("8 pt") << 8;
        QTest::newRow("12 pt") << 12;
        QTest::newRow("20 pt") << 20;
    }

    void lineHeightIsTheFontHeightPlusLeadingPlusFour()
    {
        QFETCH(int, pointSize);
        CLineListBox box;
        box.setFont(QFont(QStringLiteral("Liberation Sans"), pointSize));
        box.AddLine(QStringLiteral("first"), Qt::red);
        box.AddLine(QStringLiteral("second"), Qt::blue);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QFontMetrics metrics(box.font());
        const int expected = metrics.height() + qMax(0, metrics.leading()) + 4;
        QCOMPARE(box.LineHeight(), expected);
        QCOMPARE(box.visualItemRect(box.item(0)).height(), expected);
        QCOMPARE(box.visualItemRect(box.item(1)).top(), box.visualItemRect(box.item(0)).top() + expected);
    }

    void linesShowTheirOwnColoursUnlessSelected_data()
    {
        QTest::addColumn<int>("selectedRow");  // -1: none
        QTest::newRow("nothing selected") << -1;
        QTest::newRow("second selected") << 1;
    }

    void linesShowTheirOwnColoursUnlessSelected()
    {
        QFETCH(int, selectedRow);
        CLineListBox box;
        prepare(box);
        box.setFocusPolicy(Qt::NoFocus);  // no focus frame among the colours
        const QList<QColor> colours{QColor(200, 0, 0), QColor(0, 150, 0), QColor(0, 0, 220)};
        box.AddLine(QStringLiteral("Right: cat"), colours[0]);
        box.AddLine(QStringLiteral("Wrong: dgo"), colours[1]);
        box.addItem(QStringLiteral("Plain line"));  // no colour of its own: black
        box.SetLineColour(2, colours[2]);
        QCOMPARE(box.LineColour(2), colours[2]);
        box.setCurrentRow(-1);
        box.clearSelection();
        if (selectedRow >= 0)
            box.item(selectedRow)->setSelected(true);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QImage image = box.viewport()->grab().toImage();

        for (int row = 0; row < box.count(); ++row) {
            const QRect rect = box.visualItemRect(box.item(row));
            const bool selected = row == selectedRow;
            const QColor background = selected ? kHighlight : kBase;
            const QColor text = selected ? kHighlightedText : colours[row];
            const QSet<QRgb> seen = coloursIn(image, rect);
            QVERIFY2(seen.contains(background.rgb()), qPrintable(QString::number(row)));
            QVERIFY2(seen.contains(text.rgb()), qPrintable(QString::number(row)));
            for (QRgb c : seen)
                QVERIFY2(c == background.rgb() || c == text.rgb(), qPrintable(QStringLiteral("row %1 has %2").arg(row).arg(c, 0, 16)));
            // The text starts 2 pixels right and 2 down from the line's corner.
            const QRect ink = boundsOf(image, rect, text);
            QVERIFY(ink.left() >= rect.left() + 2);
            QVERIFY(ink.top() >= rect.top() + 2);
            QVERIFY(ink.left() <= rect.left() + 4);
        }
    }

    void anEmptyBoxWithTheFocusDrawsOnlyTheFocusFrame_data()
    {
        QTest::addColumn<bool>("focused");
        QTest::newRow("focused") << true;
        QTest::newRow("not focused") << false;
    }

    void anEmptyBoxWithTheFocusDrawsOnlyTheFocusFrame()
    {
        QFETCH(bool, focused);
        QWidget window;
        auto* box = new CLineListBox(&window);
        prepare(*box);
        auto* other = new QWidget(&window);
        other->setFocusPolicy(Qt::StrongFocus);
        other->move(0, 250);
        window.resize(320, 300);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        if (focused)
            box->setFocus();
        else
            other->setFocus();
        QTRY_COMPARE(box->hasFocus(), focused);
        const QImage image = box->viewport()->grab().toImage();
        const QRect firstLine(0, 0, box->viewport()->width(), box->LineHeight());
        const QSet<QRgb> outside = coloursIn(image, QRect(0, firstLine.bottom() + 1, image.width(), image.height()));
        QCOMPARE(outside, QSet<QRgb>{kBase.rgb()});
        const QSet<QRgb> inside = coloursIn(image, firstLine.adjusted(1, 1, -1, -1));
        QCOMPARE(inside, QSet<QRgb>{kBase.rgb()});
        const QSet<QRgb> frame = coloursIn(image, firstLine);
        QCOMPARE(frame.contains(kText.rgb()), focused);
    }
};

ORTHEX_TEST_MAIN(LineListBoxTest)
#include "linelistbox_test.moc"
