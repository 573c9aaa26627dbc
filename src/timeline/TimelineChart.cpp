#include "timeline/TimelineChart.h"

#include "timeline/MotionTimeline.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsScene>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <cmath>
#include <limits>

namespace qvx {

namespace {

const QString kCursorName = QStringLiteral("timeline-cursor");
const char* const kTimeTitle = QT_TRANSLATE_NOOP("TimelineChart", "Board time (ms)");
const char* const kPositionTitle = QT_TRANSLATE_NOOP("TimelineChart", "Position");

// Marks closer than this share of the time span keep only the first name.
constexpr int kMarkNamesAcross = 8;
// The curve of one channel with the points on straight stretches left out:
// a point is kept where the line from the last kept point can no longer pass
// within the tolerance of every sample since. A move's steps are whole
// positions, shown rounded: a point off the straight line by one step and the
// rounding adds nothing to the curve.
QList<QPointF> curveOf(const Timeline& t, int channel, float rate) {
    const double tolerance = std::abs(double(rate)) + 0.5;
    QList<QPointF> out;
    double lowSlope = -std::numeric_limits<double>::infinity();
    double highSlope = std::numeric_limits<double>::infinity();
    QPointF anchor, last;
    bool open = false;
    for (size_t i = 0; i < t.outputs.size(); ++i) {
        const std::optional<int> v = ShownOutput(t.outputs[i][size_t(channel)], rate);
        if (!v) continue;
        const QPointF p(double(i) * Timeline::kSampleMs, *v);
        if (!open) {
            out << p;
            anchor = p;
            open = true;
            lowSlope = -std::numeric_limits<double>::infinity();
            highSlope = std::numeric_limits<double>::infinity();
            last = p;
            continue;
        }
        const double dx = p.x() - anchor.x();
        const double low = (p.y() - tolerance - anchor.y()) / dx;
        const double high = (p.y() + tolerance - anchor.y()) / dx;
        if (qMax(low, lowSlope) > qMin(high, highSlope)) {
            out << last;
            anchor = last;
            const double dx2 = p.x() - anchor.x();
            lowSlope = (p.y() - tolerance - anchor.y()) / dx2;
            highSlope = (p.y() + tolerance - anchor.y()) / dx2;
        } else {
            lowSlope = qMax(low, lowSlope);
            highSlope = qMin(high, highSlope);
        }
        last = p;
    }
    if (open && out.last() != last) out << last;
    return out;
}

QLineSeries* cursorOf(const QChart& chart) {
    for (QAbstractSeries* s : chart.series())
        if (s->name() == kCursorName) return static_cast<QLineSeries*>(s);
    return nullptr;
}

} // namespace

namespace TimelineChart {

void Fill(QChart& chart, const Timeline& t, const TimelineLabels& labels) {
    chart.removeAllSeries();
    for (QAbstractAxis* a : chart.axes()) {
        chart.removeAxis(a);
        delete a;
    }
    chart.setAnimationOptions(QChart::NoAnimation);
    chart.setDropShadowEnabled(false);
    chart.legend()->setAlignment(Qt::AlignRight);

    const double end = qMax(Timeline::kSampleMs, t.endMs());
    auto* time = new QValueAxis;
    time->setRange(0, end);
    time->applyNiceNumbers();
    time->setLabelFormat(QStringLiteral("%d"));
    time->setTitleText(QCoreApplication::translate("TimelineChart", kTimeTitle));
    auto* position = new QValueAxis;
    position->setTitleText(QCoreApplication::translate("TimelineChart", kPositionTitle));
    chart.addAxis(time, Qt::AlignBottom);
    chart.addAxis(position, Qt::AlignLeft);

    double low = std::numeric_limits<double>::max(), high = std::numeric_limits<double>::lowest();
    for (int c = 0; c < QmxBoard::kChannels; ++c) {
        if (!t.used[size_t(c)]) continue;
        const QList<QPointF> points = curveOf(t, c, labels.rates[size_t(c)]);
        if (points.isEmpty()) continue;
        auto* series = new QLineSeries;
        series->setName(labels.channelNames[size_t(c)]);
        series->replace(points);
        bool moves = false;
        for (const QPointF& p : points) {
            low = qMin(low, p.y());
            high = qMax(high, p.y());
            moves = moves || p.y() != points.front().y();
        }
        chart.addSeries(series);
        // The legend names the channels that move; 24 names would not fit,
        // and a channel held still is one flat line among many.
        if (!moves)
            for (QLegendMarker* marker : chart.legend()->markers(series))
                marker->setVisible(false);
        // A thin line in the theme's colour: cheaper to draw and clearer where
        // curves cross.
        QPen pen = series->pen();
        pen.setWidthF(1.0);
        series->setPen(pen);
        series->attachAxis(time);
        series->attachAxis(position);
    }
    if (low > high) low = -1, high = 1;
    const double margin = qMax(1.0, (high - low) * 0.05);
    position->setRange(low - margin, high + margin);
    position->applyNiceNumbers();

    // The records as marks under the time axis, a name at each. Of records
    // run at the same instant the last is named (the one executing then);
    // names that would crowd the one before are left out.
    auto* marks = new QCategoryAxis;
    marks->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    marks->setRange(time->min(), time->max());
    marks->setStartValue(0);
    marks->setGridLineVisible(true);
    marks->setGridLinePen(QPen(QColor(160, 160, 160), 1, Qt::DotLine));
    const double spacing = end / kMarkNamesAcross;
    double lastMark = -spacing;
    QStringList used;
    for (size_t i = 0; i < t.marks.size(); ++i) {
        const Timeline::Mark& m = t.marks[i];
        if (i + 1 < t.marks.size() && t.marks[i + 1].timeMs == m.timeMs) continue;
        if (m.timeMs - lastMark < spacing) continue;
        QString name = m.item < int(labels.itemNames.size()) ? labels.itemNames[size_t(m.item)]
                                                             : QString::number(m.item);
        // The chart library keys its marks by their text: a name shown again
        // gets invisible spaces to stay apart.
        while (used.contains(name))
            name += QChar(0x200B);
        used << name;
        marks->append(name, m.timeMs);
        lastMark = m.timeMs;
    }
    chart.addAxis(marks, Qt::AlignBottom);
    QObject::connect(time, &QValueAxis::rangeChanged, marks,
                     [marks](qreal min, qreal max) { marks->setRange(min, max); });

    auto* cursor = new QLineSeries;
    cursor->setName(kCursorName);
    cursor->setPen(QPen(Qt::black, 1, Qt::DashLine));
    chart.addSeries(cursor);
    cursor->attachAxis(time);
    cursor->attachAxis(position);
    for (QLegendMarker* marker : chart.legend()->markers(cursor))
        marker->setVisible(false);
    cursor->setVisible(false);
}

void SetCursor(QChart& chart, int timeMs) {
    QLineSeries* cursor = cursorOf(chart);
    if (!cursor) return;
    cursor->setVisible(timeMs >= 0);
    if (timeMs < 0) return;
    const auto* position = qobject_cast<QValueAxis*>(chart.axes(Qt::Vertical).value(0));
    if (!position) return;
    cursor->replace({QPointF(timeMs, position->min()), QPointF(timeMs, position->max())});
}

int TimeAt(QChart& chart, const QPointF& point) {
    const auto* time = qobject_cast<QValueAxis*>(chart.axes(Qt::Horizontal).value(0));
    if (!time) return 0;
    const double x = chart.mapToValue(point, cursorOf(chart)).x();
    return int(std::lround(qBound(time->min(), x, time->max())));
}

QImage Draw(const Timeline& timeline, const TimelineLabels& labels, QSize size) {
    QGraphicsScene scene;
    auto* chart = new QChart;
    scene.addItem(chart);
    Fill(*chart, timeline, labels);
    chart->setGeometry(QRectF(QPointF(0, 0), size));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    // Lines are drawn without antialiasing, as the page's view draws them:
    // thousands of thin segments take about twice as long with it.
    scene.render(&painter, QRectF(QPointF(0, 0), size), QRectF(QPointF(0, 0), size));
    return image;
}

std::unique_ptr<QCoreApplication> NewApplication(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace TimelineChart

} // namespace qvx
