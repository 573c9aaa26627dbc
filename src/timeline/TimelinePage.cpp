#include "timeline/TimelinePage.h"

#include "timeline/TimelineChart.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qvx {

namespace {

// The chart view that turns a press or a drag with the left button into an
// instant on the time axis.
class PickingView : public QChartView {
  public:
    PickingView(TimelinePage& page, QChart* chart) : QChartView(chart), m_page(page) {}

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) pick(event->position());
        QChartView::mousePressEvent(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (event->buttons() & Qt::LeftButton) pick(event->position());
        QChartView::mouseMoveEvent(event);
    }

  private:
    void pick(const QPointF& at) {
        const QPointF inChart = chart()->mapFromScene(mapToScene(at.toPoint()));
        m_page.pickTime(TimelineChart::TimeAt(*chart(), inChart));
    }
    TimelinePage& m_page;
};

QSpinBox* numberBox(int min, int max, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(min, max);
    box->setValue(value);
    return box;
}

} // namespace

TimelinePage::TimelinePage(QWidget* parent) : QWidget(parent) {
    const TimelineInputs start;
    auto* panel = new QHBoxLayout;
    auto add = [this, panel](const QString& caption, QSpinBox* box, const QString& name) {
        box->setObjectName(name);
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        panel->addWidget(label);
        panel->addWidget(box);
        connect(box, &QSpinBox::valueChanged, this, [this] { recompute(); });
    };
    ButtonBox = numberBox(0, 0xFFFF, start.button, this);
    ButtonBox->setDisplayIntegerBase(16);
    ButtonBox->setPrefix(QStringLiteral("0x")); // not translated: hexadecimal
    add(tr("Buttons"), ButtonBox, QStringLiteral("ButtonBox"));
    for (int i = 0; i < 4; ++i) {
        PaBox[size_t(i)] = numberBox(0, 0xFF, start.receiver[size_t(i)], this);
        add(QStringLiteral("PA%1").arg(i + 1), PaBox[size_t(i)],
            QStringLiteral("PaBox%1").arg(i + 1));
    }
    for (int i = 0; i < 3; ++i) {
        AdBox[size_t(i)] = numberBox(0, TimelineInputs::kAnalogMax, start.analog[size_t(i)], this);
        add(QStringLiteral("AD%1").arg(i + 1), AdBox[size_t(i)],
            QStringLiteral("AdBox%1").arg(i + 1));
    }
    CmpBox =
        numberBox(TimelineInputs::kCompareMin, TimelineInputs::kCompareMax, start.compare, this);
    add(tr("Compare"), CmpBox, QStringLiteral("CmpBox"));
    LimitBox = numberBox(1, 600, Timeline::kDefaultLimitMs / 1000, this);
    LimitBox->setSuffix(QStringLiteral(" s")); // not translated: unit
    add(tr("Limit"), LimitBox, QStringLiteral("LimitBox"));
    panel->addStretch();

    View = new PickingView(*this, new QChart);
    View->setObjectName(QStringLiteral("TimelineView"));
    Status = new QLabel(this);
    Status->setObjectName(QStringLiteral("TimelineStatus"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panel);
    layout->addWidget(View, 1);
    layout->addWidget(Status);
    Status->setText(tr("Compile a motion chart to see its timeline."));
}

TimelineInputs TimelinePage::inputs() const {
    TimelineInputs in;
    in.button = quint16(ButtonBox->value());
    for (int i = 0; i < 4; ++i)
        in.receiver[size_t(i)] = quint8(PaBox[size_t(i)]->value());
    for (int i = 0; i < 3; ++i)
        in.analog[size_t(i)] = AdBox[size_t(i)]->value();
    in.compare = CmpBox->value();
    return in;
}

void TimelinePage::setMotion(std::vector<MotionRecord> records, std::vector<qint32> stepItem,
                             TimelineLabels labels) {
    m_records = std::move(records);
    m_stepItem = std::move(stepItem);
    m_labels = std::move(labels);
    recompute();
}

void TimelinePage::recompute() {
    m_timeline = ComputeTimeline(m_records, m_stepItem, inputs(), LimitBox->value() * 1000);
    TimelineChart::Fill(*View->chart(), m_timeline, m_labels);
    if (!m_timeline.ended)
        Status->setText(TimelineLimitText(m_timeline.limitMs));
    else
        Status->setText(tr("The motion ends after %1 ms of board time.").arg(m_timeline.endMs()));
}

void TimelinePage::pickTime(int timeMs) {
    if (m_timeline.outputs.empty()) return;
    const int sample = m_timeline.sampleAt(timeMs);
    TimelineChart::SetCursor(*View->chart(), sample * Timeline::kSampleMs);
    emit instantPicked(m_timeline.outputs[size_t(sample)], m_timeline.itemAt(sample, m_stepItem));
}

} // namespace qvx
