#include "settings/BoardControls.h"

#include <QLineEdit>
#include <QPushButton>

namespace qvx {

QPushButton* BoardButton(const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

void ShowReadOnly(QLineEdit* box) {
    box->setReadOnly(true);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    box->setPalette(p);
}

} // namespace qvx
