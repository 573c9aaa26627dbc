#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qvx {

class Chart;
class Services;

// The item property dialog: name and size of one item.
class ItemPropertiesDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kMinimumSize = 20;

    ItemPropertiesDialog(Chart& chart, Services& services, QWidget* parent = nullptr);

    // Shows the item's name and size modally; confirmed values go into the
    // item and the selection is cleared. Returns true when the item changed.
    // Nothing happens for an index that is not an item.
    bool ShowItemProperty(int item);

    // The two halves of ShowItemProperty around the modal loop: fill the
    // fields (false for no item) and take the result in.
    bool LoadItem(int item);
    bool ApplyResult(int result);

    int item() const { return m_item; }

    // The canvas whose font the names are drawn in; "Auto" measures in it.
    void setCanvas(const QWidget* canvas) { m_canvas = canvas; }

    QLabel* Label1 = nullptr;
    QLineEdit* NameEdit = nullptr;
    QPushButton* Button2 = nullptr; // "Auto"
    QLabel* Label3 = nullptr;
    QLineEdit* WidthEdit = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* HeightEdit = nullptr;
    QPushButton* Button1 = nullptr; // "Revision"

  public slots:
    void Button2Click();
    void Button1Click();

  private:
    Chart& m_chart;
    Services& m_services;
    int m_item = -1;
    QPointer<const QWidget> m_canvas;
};

} // namespace qvx
