#pragma once

#include <QWidget>

class QToolButton;

namespace qvx {

// An up-down control: two arrow buttons stepping a position between a minimum
// and a maximum. Pressing an arrow steps the position and tells at once
// (arrowClicked); releasing the mouse tells again (mouseUp), so a window can
// show each step and act once the user lets go.
class UpDown : public QWidget {
    Q_OBJECT
  public:
    UpDown(int minimum, int maximum, int position, QWidget* parent = nullptr);

    int position() const { return m_position; }
    // Clamped to the range; tells nobody.
    void setPosition(int position);
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

  signals:
    void arrowClicked(int position);
    void mouseUp(int position);

  private:
    void step(int delta);

    int m_min, m_max, m_position;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
};

} // namespace qvx
