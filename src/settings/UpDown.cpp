#include "settings/UpDown.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace qvx {

UpDown::UpDown(int minimum, int maximum, int position, QWidget* parent)
    : QWidget(parent), m_min(minimum), m_max(std::max(minimum, maximum)),
      m_position(std::clamp(position, m_min, m_max)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setFocusPolicy(Qt::NoFocus);
        column->addWidget(b);
    }
    connect(m_up, &QToolButton::pressed, this, [this] { step(+1); });
    connect(m_down, &QToolButton::pressed, this, [this] { step(-1); });
    connect(m_up, &QToolButton::released, this, [this] { emit mouseUp(m_position); });
    connect(m_down, &QToolButton::released, this, [this] { emit mouseUp(m_position); });
}

void UpDown::setPosition(int position) {
    m_position = std::clamp(position, m_min, m_max);
}

void UpDown::step(int delta) {
    setPosition(m_position + delta);
    emit arrowClicked(m_position);
}

} // namespace qvx
