#pragma once

#include <QColor>
#include <QDialog>
#include <QList>
#include <QStringList>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qvx {

class ChannelLabels;
class BoardCommands;
class MotionTable;
struct MotionHeader;

// The data dialog: edits the name, control input and port mask of one motion,
// either the open document's header values or an entry stored on the board.
class MotionDataDialog : public QDialog {
    Q_OBJECT
  public:
    MotionDataDialog(BoardCommands& board, MotionTable& table, MotionHeader& header,
             QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* MotName = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* CntEdit = nullptr;
    QLabel* PortLabel = nullptr;
    std::array<QCheckBox*, 24> PE{};
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

    // Fills the dialog from an entry of the table (entry -1: the open
    // document). A kind other than 0 is a scenario: no ports, boxes disabled.
    void LoadDataDialog(int entry, int kind);
    // The 24-bit mask of the ticked port boxes (PEn is bit n - 1).
    quint32 PortMaskOf() const;
    void SetPortChecks(quint32 mask);

    // The channel labels copied onto the port boxes when the dialog opens.
    void SetChannelLabels(const QStringList& names, const QList<QColor>& colours);
    // Takes the shared labels now and each time they change.
    void followChannelLabels(const ChannelLabels& labels);

    // The open document's header values, edited after a double-click on an
    // empty spot of the canvas. True when they were changed (OK).
    bool EditDocumentHeader(int documentKind);

    // The control input typed, or nothing when it is not a number 0..65535.
    std::optional<int> typedControl() const;

    // Replaces "," and '"' by blanks: the name travels inside comma lists.
    static QString CleanName(const QString& name);

  public slots:
    void Button1Click();
    void Button2Click();
    // Cancel, Esc and the close box: clears the option bit the dialog set.
    void reject() override;
    void Button3Click();

  private:
    void applyChannelLabels();

    BoardCommands& m_board;
    MotionTable& m_table;
    MotionHeader& m_header;
    QStringList m_names;
    QList<QColor> m_colours;
};

} // namespace qvx
