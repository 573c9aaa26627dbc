#pragma once

#include "settings/ServoParams.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace qvx {

// The servo parameter dialog: one serial servo's stretch and speed in three
// sets, punch, dead band, damping, reverse, protection, power-free timer and
// the two limits. It has no OK or Cancel: however it is closed, the servo
// setup dialog stores what its controls hold and writes it to the servo.
class ServoParameterDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ServoParameterDialog(QWidget* parent = nullptr);

    QLabel* Label8 = nullptr; // "Stretch"
    QLabel* Label2 = nullptr; // "Speed"
    QComboBox* Stretch1 = nullptr;
    QComboBox* Speed1 = nullptr;
    QComboBox* Stretch2 = nullptr;
    QComboBox* Speed2 = nullptr;
    QComboBox* Stretch3 = nullptr;
    QComboBox* Speed3 = nullptr;
    QComboBox* DeadBand = nullptr;
    QComboBox* Damping = nullptr;
    QComboBox* Punch = nullptr;
    QComboBox* Reverse = nullptr;
    QComboBox* ProtecP = nullptr;
    QComboBox* PowFreeP = nullptr;
    QScrollBar* LimitL = nullptr;
    QScrollBar* LimitR = nullptr;
    QLineEdit* Edit7 = nullptr; // LimitL's position
    QLineEdit* Edit8 = nullptr; // LimitR's position

    void SetControls(const ServoControls& controls);
    ServoControls Controls() const;
};

} // namespace qvx
