#pragma once

#include <QDialog>

class QComboBox;
class QLabel;

namespace qvx {

// The modal number picker: a prompt, a drop-down list of choices and OK/Cancel.
// Sizes follow the average character width of the dialog font.
class PickNumberDialog : public QDialog {
    Q_OBJECT
public:
    PickNumberDialog(const QString& caption, const QString& prompt, const QStringList& choices,
                     int preselected, QWidget* parent = nullptr);

    int chosenIndex() const;
    QComboBox* list() const { return m_list; }

    static QString InitialText();

private:
    QLabel* m_prompt;
    QComboBox* m_list;
};

} // namespace qvx
