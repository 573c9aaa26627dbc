#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;

namespace qvx {

class FileTypeRegistry;
class ChartCanvas;
struct EditState;

// The document property dialog: canvas size, grid spacing, the file type
// registration and which tool bars show.
class DocumentPropertiesDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kMinimumCanvas = 100;

    DocumentPropertiesDialog(ChartCanvas& canvas, EditState& edit, FileTypeRegistry& registry,
             QWidget* parent = nullptr);

    // The bars the four "Display" boxes show and hide.
    void setBars(QToolBar* commandMenu, QToolBar* partsMenu, QToolBar* commMenu,
                 QToolBar* toolsMenu);

    // Shows the dialog modally; afterwards, whatever closed it, tool mode 0
    // and link drawing off.
    int ShowDocumentProperty();

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
           *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr;
    QLineEdit *FormWidth = nullptr, *FormHeight = nullptr, *GridX = nullptr, *GridY = nullptr;
    QCheckBox* FileIcon = nullptr;
    QCheckBox *ViewCmdMenu = nullptr, *ViewPartMenu = nullptr, *ViewCommMenu = nullptr,
              *ViewToolMenu = nullptr;
    QPushButton* ReWriteBtn = nullptr;

  public slots:
    // Fills the fields from the canvas, grid, registration and bars.
    void FormActivate();
    // Applies the fields when the canvas size is acceptable, and closes.
    void ReWriteBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    ChartCanvas& m_canvas;
    EditState& m_edit;
    FileTypeRegistry& m_registry;
    QToolBar* m_commandMenu = nullptr;
    QToolBar* m_partsMenu = nullptr;
    QToolBar* m_commMenu = nullptr;
    QToolBar* m_toolsMenu = nullptr;
};

} // namespace qvx
