#include "settings/ServoParameterDialog.h"

#include "settings/BoardControls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace qvx {

namespace {

QComboBox* choiceList(QWidget* parent, const char* name, const QStringList& entries) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->addItems(entries);
    return list;
}

// A titled panel holding one widget.
QGroupBox* panel(QWidget* parent, const QString& title, QWidget* inside) {
    auto* box = new QGroupBox(title, parent);
    auto* lay = new QHBoxLayout(box);
    lay->addWidget(inside);
    return box;
}

} // namespace

ServoParameterDialog::ServoParameterDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SVPPrm"));
    setModal(true);
    auto* top = new QVBoxLayout(this);

    auto* sets = new QGroupBox(this);
    auto* grid = new QGridLayout(sets);
    Label8 = new QLabel(tr("Stretch"), sets);
    Label2 = new QLabel(tr("Speed"), sets);
    grid->addWidget(Label8, 0, 1);
    grid->addWidget(Label2, 0, 2);
    Stretch1 = choiceList(sets, "Stretch1", ServoParams::StretchEntries());
    Stretch2 = choiceList(sets, "Stretch2", ServoParams::StretchEntries());
    Stretch3 = choiceList(sets, "Stretch3", ServoParams::StretchEntries());
    Speed1 = choiceList(sets, "Speed1", ServoParams::SpeedEntries());
    Speed2 = choiceList(sets, "Speed2", ServoParams::SpeedEntries());
    Speed3 = choiceList(sets, "Speed3", ServoParams::SpeedEntries());
    const std::array<QComboBox*, 3> stretch{Stretch1, Stretch2, Stretch3};
    const std::array<QComboBox*, 3> speed{Speed1, Speed2, Speed3};
    for (int k = 0; k < 3; ++k) {
        auto* name =
            new QLabel(QStringLiteral("SET%1").arg(k + 1), sets); // not translated: set names
        grid->addWidget(name, k + 1, 0);
        grid->addWidget(stretch[size_t(k)], k + 1, 1);
        grid->addWidget(speed[size_t(k)], k + 1, 2);
    }
    top->addWidget(sets);

    DeadBand = choiceList(this, "DeadBand", ServoParams::DeadBandEntries());
    Damping = choiceList(this, "Damping", ServoParams::DampingEntries());
    Punch = choiceList(this, "Punch", ServoParams::PunchEntries());
    Reverse = choiceList(this, "Reverse", ServoParams::ReverseEntries());
    ProtecP = choiceList(this, "ProtecP", ServoParams::ProtectionEntries());
    PowFreeP = choiceList(this, "PowFreeP", ServoParams::PowerFreeEntries());
    auto* choices = new QGridLayout;
    const std::pair<QString, QComboBox*> panels[] = {
        {tr("Dead band"), DeadBand},
        {tr("Dumping"), Damping},
        {tr("Punch"), Punch},
        {tr("Reverse"), Reverse},
        // These two keep the designed Japanese captions in both languages.
        {QStringLiteral("プロテクション"), ProtecP},
        {QStringLiteral("脱力タイマー"), PowFreeP},
    };
    int at = 0;
    for (const auto& [title, list] : panels) {
        choices->addWidget(panel(this, title, list), at / 3, at % 3);
        ++at;
    }
    top->addLayout(choices);

    // Each limit: a scroll bar 0..60 and a read-only box showing its position.
    const auto limit = [this, top](const QString& title, const char* bar, const char* edit,
                                   QScrollBar*& scroll, QLineEdit*& box) {
        auto* group = new QGroupBox(title, this);
        auto* row = new QHBoxLayout(group);
        scroll = new QScrollBar(Qt::Horizontal, group);
        scroll->setObjectName(QLatin1String(bar));
        scroll->setRange(0, ServoParams::kLimitSteps);
        scroll->setPageStep(1);
        box = new QLineEdit(QStringLiteral("0"), group);
        box->setObjectName(QLatin1String(edit));
        ShowReadOnly(box);
        box->setMaximumWidth(48);
        row->addWidget(scroll, 1);
        row->addWidget(box);
        QLineEdit* shown = box;
        connect(scroll, &QScrollBar::valueChanged, shown,
                [shown](int v) { shown->setText(QString::number(v)); });
        top->addWidget(group);
    };
    limit(tr("LimiterL"), "LimitL", "Edit7", LimitL, Edit7);
    limit(tr("LimiterR"), "LimitR", "Edit8", LimitR, Edit8);
}

void ServoParameterDialog::SetControls(const ServoControls& c) {
    const std::array<QComboBox*, 3> stretch{Stretch1, Stretch2, Stretch3};
    const std::array<QComboBox*, 3> speed{Speed1, Speed2, Speed3};
    for (size_t k = 0; k < 3; ++k) {
        stretch[k]->setCurrentIndex(c.stretch[k]);
        speed[k]->setCurrentIndex(c.speed[k]);
    }
    Punch->setCurrentIndex(c.punch);
    DeadBand->setCurrentIndex(c.deadBand);
    Damping->setCurrentIndex(c.damping);
    Reverse->setCurrentIndex(c.reverse);
    ProtecP->setCurrentIndex(c.protection);
    PowFreeP->setCurrentIndex(c.powerFree);
    LimitL->setValue(c.limitL);
    LimitR->setValue(c.limitR);
    // The boxes show the position even when it did not change.
    Edit7->setText(QString::number(LimitL->value()));
    Edit8->setText(QString::number(LimitR->value()));
}

ServoControls ServoParameterDialog::Controls() const {
    ServoControls c;
    const std::array<QComboBox*, 3> stretch{Stretch1, Stretch2, Stretch3};
    const std::array<QComboBox*, 3> speed{Speed1, Speed2, Speed3};
    // A list with nothing chosen counts as its first entry.
    const auto index = [](const QComboBox* list) { return std::max(list->currentIndex(), 0); };
    for (size_t k = 0; k < 3; ++k) {
        c.stretch[k] = index(stretch[k]);
        c.speed[k] = index(speed[k]);
    }
    c.punch = index(Punch);
    c.deadBand = index(DeadBand);
    c.damping = index(Damping);
    c.reverse = index(Reverse);
    c.protection = index(ProtecP);
    c.powerFree = index(PowFreeP);
    c.limitL = LimitL->value();
    c.limitR = LimitR->value();
    return c;
}

} // namespace qvx
