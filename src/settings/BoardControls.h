#pragma once

#include <QString>

class QLineEdit;
class QPushButton;
class QWidget;

namespace qvx {

// Controls the settings windows share.

// A push button that talks to the board. It is never a default or auto-default
// button, so Enter in a box of its dialog cannot send anything.
QPushButton* BoardButton(const QString& text, QWidget* parent);

// A box that shows a value and takes no typing: read-only, and filled with
// the window's colour so that it does not look like a box to type into.
void ShowReadOnly(QLineEdit* box);

} // namespace qvx
