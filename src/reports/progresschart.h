#pragma once

#include "reports/progressdata.h"

#include <QChart>
#include <QHash>
#include <QList>
#include <QStringList>

class QAbstractAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
class QXYSeries;

// The chart of a pupil's progress: per cent 0 to 100 upwards, the tests left to right on a
// date axis (or numbered when no date could be read), one line per spelling list with a
// filled point for each finished test and a hollow one for each stopped test. Hovering a point
// reports its tooltip through PointHovered.
class CProgressChart : public QChart
{
    Q_OBJECT
public:
    // The series drawn for one spelling list; a point series is null when it has no points.
    struct SListSeries {
        QLineSeries* line = nullptr;
        QScatterSeries* finished = nullptr;
        QScatterSeries* stopped = nullptr;
    };

    explicit CProgressChart(const SProgressChart& data, const QString& title, QGraphicsItem* parent = nullptr);

    const SProgressChart& Data() const { return m_data; }
    // In the order of Data().series.
    const QList<SListSeries>& ListSeries() const { return m_lists; }
    QAbstractAxis* XAxis() const { return m_pXAxis; }
    QValueAxis* YAxis() const { return m_pYAxis; }

    // The tooltip of the point of a finished or stopped series at that position (of every test
    // drawn there, a blank line apart); empty when there is none.
    QString ToolTipAt(const QXYSeries* series, const QPointF& point) const;

Q_SIGNALS:
    // The pointer entered (state true) or left a point.
    void PointHovered(const QString& toolTip, bool state);

private:
    QScatterSeries* AddPoints(const SProgressSeries& list, bool stopped, const QColor& color);
    void AddXAxis();
    void AddYAxis();

    SProgressChart m_data;
    QList<SListSeries> m_lists;
    // Per point series, the tooltips in the order of its points.
    QHash<const QXYSeries*, QStringList> m_toolTips;
    QAbstractAxis* m_pXAxis = nullptr;
    QValueAxis* m_pYAxis = nullptr;
};
