#include "preview/ChannelMappingDialog.h"

#include "preview/RobotModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>

namespace qvx {

namespace {
QString noJointText() {
    return QCoreApplication::translate("qvx::ChannelMappingDialog", "(none)");
}
} // namespace

ChannelMappingDialog::ChannelMappingDialog(const RobotModel& model, const ChannelMapping& mapping,
                                           QWidget* parent)
    : QDialog(parent), m_model(model), m_start(mapping) {
    setObjectName(QStringLiteral("ChannelMappingDlg"));
    setWindowTitle(tr("Channel mapping"));

    QStringList joints{noJointText()};
    for (const ModelJoint& j : model.joints())
        if (j.movable()) joints << j.name;

    auto* rows = new QWidget;
    auto* grid = new QGridLayout(rows);
    int column = 1;
    for (const char* title : {QT_TR_NOOP("Joint"), QT_TR_NOOP("Sign"),
                              QT_TR_NOOP("Degrees per unit"), QT_TR_NOOP("Offset (degrees)"), ""})
        grid->addWidget(new QLabel(*title ? tr(title) : QString()), 0, column++);
    for (int n = 1; n <= kChannels; ++n) {
        const size_t k = size_t(n - 1);
        const ChannelDrive& d = mapping.drives[k];
        const QString number = QString::number(n);
        // A channel's name is the same in every language.
        const QString channel = QStringLiteral("CH") + number;
        grid->addWidget(new QLabel(channel), n, 0);

        Joint[k] = new QComboBox;
        Joint[k]->setObjectName(QStringLiteral("Joint") + number);
        Joint[k]->addItems(joints);
        // A joint the model lacks stays chosen, so that OK keeps it as it was.
        if (!d.joint.isEmpty() && !joints.contains(d.joint)) Joint[k]->addItem(d.joint);
        Joint[k]->setCurrentIndex(d.joint.isEmpty() ? 0 : Joint[k]->findText(d.joint));

        Sign[k] = new QComboBox;
        Sign[k]->setObjectName(QStringLiteral("Sign") + number);
        Sign[k]->addItems({QStringLiteral("+"), QStringLiteral("-")});
        Sign[k]->setCurrentIndex(d.sign < 0 ? 1 : 0);

        Rate[k] = new QDoubleSpinBox;
        Rate[k]->setObjectName(QStringLiteral("Rate") + number);
        Rate[k]->setDecimals(6);
        Rate[k]->setRange(-100, 100);
        Rate[k]->setValue(d.degreesPerUnit);

        Offset[k] = new QDoubleSpinBox;
        Offset[k]->setObjectName(QStringLiteral("Offset") + number);
        Offset[k]->setDecimals(3);
        Offset[k]->setRange(-3600, 3600);
        Offset[k]->setValue(d.offsetDegrees);

        Move[k] = new QCheckBox(tr("move this channel"));
        Move[k]->setObjectName(QStringLiteral("Move") + number);
        connect(Move[k], &QCheckBox::toggled, this, [this, n](bool on) { moveChannel(n, on); });

        int c = 1;
        for (QWidget* w :
             std::initializer_list<QWidget*>{Joint[k], Sign[k], Rate[k], Offset[k], Move[k]})
            grid->addWidget(w, n, c++);
    }
    auto* scroll = new QScrollArea;
    scroll->setWidget(rows);
    scroll->setWidgetResizable(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* page = new QVBoxLayout(this);
    page->addWidget(scroll);
    page->addWidget(buttons);
    resize(640, 520);

    m_wiggleTimer = new QTimer(this);
    m_wiggleTimer->setInterval(kWiggleStepMs);
    connect(m_wiggleTimer, &QTimer::timeout, this, &ChannelMappingDialog::wiggleStep);
}

ChannelMapping ChannelMappingDialog::mapping() const {
    ChannelMapping m = m_start;
    for (size_t k = 0; k < m.drives.size(); ++k) {
        ChannelDrive& d = m.drives[k];
        d.joint = Joint[k]->currentIndex() <= 0 ? QString() : Joint[k]->currentText();
        d.sign = Sign[k]->currentIndex() == 1 ? -1 : 1;
        // A value the user did not touch keeps every digit it had: the box
        // rounds to its decimals.
        const ChannelDrive& was = m_start.drives[k];
        if (Rate[k]->value() != Rate[k]->valueFromText(Rate[k]->textFromValue(was.degreesPerUnit)))
            d.degreesPerUnit = Rate[k]->value();
        if (Offset[k]->value() !=
            Offset[k]->valueFromText(Offset[k]->textFromValue(was.offsetDegrees)))
            d.offsetDegrees = Offset[k]->value();
    }
    return m;
}

void ChannelMappingDialog::moveChannel(int n, bool on) {
    if (on) {
        // One channel moves at a time.
        const int was = m_wiggled;
        m_wiggled = n;
        if (was && was != n) Move[size_t(was - 1)]->setChecked(false);
        m_wiggleMs = 0;
        m_wiggleTimer->start();
        wiggleStep();
    } else if (n == m_wiggled) {
        m_wiggled = 0;
        m_wiggleTimer->stop();
        emit jointWiggled(-1, 0);
    }
}

void ChannelMappingDialog::wiggleStep() {
    if (!m_wiggled) return;
    const size_t k = size_t(m_wiggled - 1);
    const int joint =
        Joint[k]->currentIndex() <= 0 ? -1 : m_model.jointIndex(Joint[k]->currentText());
    if (joint < 0) return;
    const double phase = 2 * std::numbers::pi * m_wiggleMs / kWigglePeriodMs;
    m_wiggleMs = (m_wiggleMs + kWiggleStepMs) % kWigglePeriodMs;
    const double amount = Offset[k]->value() + kWiggleDegrees * std::sin(phase);
    const bool sliding = m_model.joints()[size_t(joint)].kind == JointKind::Prismatic;
    emit jointWiggled(joint, sliding ? amount / 1000 : amount * std::numbers::pi / 180);
}

void ChannelMappingDialog::done(int result) {
    if (m_wiggled) Move[size_t(m_wiggled - 1)]->setChecked(false);
    QDialog::done(result);
}

} // namespace qvx
