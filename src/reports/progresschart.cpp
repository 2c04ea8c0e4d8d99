#include "reports/progresschart.h"

#include <QCategoryAxis>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr qreal kMarkerSize = 10;
// At most this many numbers under a numbered axis, so that they never overlap.
constexpr int kMaxNumberLabels = 15;
constexpr qint64 kDayMs = 24 * 60 * 60 * 1000;
constexpr qsizetype kListsInLegendRow = 5;
// Room above 100 and below 0 so that the points of perfect and empty scores are not cut.
constexpr double kPercentMargin = 4;

// One colour per list, told apart also with colour blindness (the Okabe-Ito colours, without
// the yellow that is too pale on white); they repeat after seven lists.
const QColor kListColors[] = {QColor(0x00, 0x72, 0xB2), QColor(0xE6, 0x9F, 0x00), QColor(0x00, 0x9E, 0x73),
                              QColor(0xD5, 0x5E, 0x00), QColor(0xCC, 0x79, 0xA7), QColor(0x56, 0xB4, 0xE9),
                              QColor(0x00, 0x00, 0x00)};

void attach(QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y)
{
    series->attachAxis(x);
    series->attachAxis(y);
}

}  // namespace

CProgressChart::CProgressChart(const SProgressChart& data, const QString& title, QGraphicsItem* parent)
    : QChart(parent), m_data(data)
{
    setTitle(title);
    // A few lists fit in a row under the chart; more need the column at its side, where each
    // keeps its name.
    legend()->setAlignment(m_data.series.size() > kListsInLegendRow ? Qt::AlignRight : Qt::AlignBottom);

    for (const SProgressSeries& list : m_data.series) {
        SListSeries items;
        items.line = new QLineSeries(this);
        items.line->setName(list.name);
        for (const SProgressPoint& p : list.points)
            items.line->append(p.x, p.percent);
        addSeries(items.line);
        // Set after adding: the theme colours every series it is given. The points take the
        // colour of their line.
        const QColor color = kListColors[m_lists.size() % std::size(kListColors)];
        items.line->setPen(QPen(color, 2));
        items.finished = AddPoints(list, false, color);
        items.stopped = AddPoints(list, true, color);
        m_lists.append(items);
    }

    AddXAxis();
    AddYAxis();
    for (QAbstractSeries* series : QChart::series())
        attach(series, m_pXAxis, m_pYAxis);
}

QScatterSeries* CProgressChart::AddPoints(const SProgressSeries& list, bool stopped, const QColor& color)
{
    QStringList toolTips;
    QList<QPointF> points;
    for (const SProgressPoint& p : list.points) {
        if (p.stopped != stopped)
            continue;
        points.append(QPointF(p.x, p.percent));
        toolTips.append(p.toolTip);
    }
    if (points.isEmpty())
        return nullptr;

    auto* series = new QScatterSeries(this);
    series->setName(list.name);
    series->append(points);
    series->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    series->setMarkerSize(kMarkerSize);
    addSeries(series);
    if (stopped) {
        series->setBrush(QBrush(Qt::white));
        series->setPen(QPen(color, 2));
    } else {
        series->setColor(color);
        series->setBorderColor(color);
    }
    // The legend names each list once, by its line.
    for (QLegendMarker* marker : legend()->markers(series))
        marker->setVisible(false);

    m_toolTips.insert(series, toolTips);
    connect(series, &QXYSeries::hovered, this, [this, series](const QPointF& point, bool state) {
        Q_EMIT PointHovered(ToolTipAt(series, point), state);
    });
    return series;
}

void CProgressChart::AddXAxis()
{
    double minX = 0;
    double maxX = 0;
    bool any = false;
    for (const SProgressSeries& list : m_data.series) {
        for (const SProgressPoint& p : list.points) {
            minX = any ? std::min(minX, p.x) : p.x;
            maxX = any ? std::max(maxX, p.x) : p.x;
            any = true;
        }
    }

    if (m_data.timeAxis) {
        auto* axis = new QDateTimeAxis(this);
        axis->setTitleText(QStringLiteral("Date"));
        axis->setFormat(QStringLiteral("MM/dd/yy"));
        // A little room either side so that the first and last points are not cut in half.
        const qint64 span = qint64(maxX - minX);
        const qint64 margin = std::max<qint64>(span / 25, kDayMs / 2);
        axis->setRange(QDateTime::fromMSecsSinceEpoch(qint64(minX) - margin),
                       QDateTime::fromMSecsSinceEpoch(qint64(maxX) + margin));
        m_pXAxis = axis;
    } else {
        auto* axis = new QCategoryAxis(this);
        axis->setTitleText(QStringLiteral("Test"));
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        const int count = any ? int(maxX) : 0;
        const int step = std::max(1, (count + kMaxNumberLabels - 1) / kMaxNumberLabels);
        axis->setStartValue(0.5);
        for (int n = 1; n <= count; n += step)
            axis->append(QString::number(n), n);
        axis->setRange(0.5, count + 0.5);
        m_pXAxis = axis;
    }
    addAxis(m_pXAxis, Qt::AlignBottom);
}

void CProgressChart::AddYAxis()
{
    // 0 to 100 (and a margin), widened to whole tens for a grade outside it (more right answers than words, or
    // a negative count, which only a damaged file holds), so that no point is hidden.
    double low = 0;
    double high = 100;
    for (const SProgressSeries& list : m_data.series) {
        for (const SProgressPoint& p : list.points) {
            // The slack keeps single-precision noise (12 of 10 is 120.000005) from adding a ten.
            low = std::min(low, std::floor(p.percent / 10 + 1e-6) * 10);
            high = std::max(high, std::ceil(p.percent / 10 - 1e-6) * 10);
        }
    }
    m_pYAxis = new QValueAxis(this);
    m_pYAxis->setTitleText(QStringLiteral("Grade (%)"));
    m_pYAxis->setRange(low - kPercentMargin, high + kPercentMargin);
    m_pYAxis->setLabelFormat(QStringLiteral("%.0f"));
    m_pYAxis->setTickType(QValueAxis::TicksDynamic);
    m_pYAxis->setTickAnchor(0);
    m_pYAxis->setTickInterval(std::max(10.0, std::ceil((high - low) / 100) * 10));
    addAxis(m_pYAxis, Qt::AlignLeft);
}

QString CProgressChart::ToolTipAt(const QXYSeries* series, const QPointF& point) const
{
    const auto found = m_toolTips.constFind(series);
    if (found == m_toolTips.constEnd())
        return QString();
    // Tests drawn on the same spot are named together.
    QStringList texts;
    const QList<QPointF> points = series->points();
    for (qsizetype i = 0; i < points.size() && i < found->size(); ++i) {
        if (points[i] == point)
            texts.append(found->at(i));
    }
    return texts.join(QStringLiteral("\n\n"));
}
