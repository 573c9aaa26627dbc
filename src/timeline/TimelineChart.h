#pragma once

#include <QImage>
#include <QSize>
#include <memory>

class QChart;
class QCoreApplication;

namespace qvx {

struct Timeline;
struct TimelineLabels;

// The chart of a timeline, built with the chart library: one line per used
// channel (its position over board time, in the pose window's units), the
// records as marks on the time axis with their items' names under them, and a
// cursor line. The same chart is shown on the Timeline page and drawn by
// `qvx timeline --png`.
namespace TimelineChart {

// Replaces what the chart shows by the timeline.
void Fill(QChart& chart, const Timeline& timeline, const TimelineLabels& labels);
// Puts the cursor line at the time (ms of board time); a negative time hides it.
void SetCursor(QChart& chart, int timeMs);
// The time (ms) at a point of the chart's own coordinates, kept to the plot.
int TimeAt(QChart& chart, const QPointF& point);
// The chart of the timeline drawn to a picture of the size given.
QImage Draw(const Timeline& timeline, const TimelineLabels& labels, QSize size);

// The application qvx runs in when it draws a chart: the chart library needs
// the toolkit's widgets, run here without a screen (offscreen).
std::unique_ptr<QCoreApplication> NewApplication(int& argc, char** argv);

} // namespace TimelineChart

} // namespace qvx
