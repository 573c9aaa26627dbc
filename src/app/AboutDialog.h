#pragma once

#include <QStringList>
#include <QWidget>

class QComboBox;
class QLabel;

namespace qvx {

class BoardCommands;

// The About box: the program's title and version date, and the board's
// identification text, read again each time the window is activated; and the
// program's language, which the settings file keeps for the next start.
class AboutDialog : public QWidget {
    Q_OBJECT
  public:
    static QString TitleText() { return QStringLiteral("Quorvex Orbis5"); }
    static QString VersionDate() { return QStringLiteral("2006/10/06"); }

    explicit AboutDialog(BoardCommands& board, QWidget* parent = nullptr);

    QLabel* TitleLabel = nullptr;
    QLabel* VersionLabel = nullptr;
    QLabel* BoardLabel = nullptr;
    // auto (the locale's), en or ja: chosen here, written to the settings
    // file at once, applied at the next start (LanguageNote says so).
    QComboBox* LanguageBox = nullptr;
    QLabel* LanguageNote = nullptr;

    // Reads the board identification and shows it; blank lines when it cannot be read.
    bool ReadBoardText();
    // The 64 bytes of the identification as four lines of 16 characters.
    static QStringList BoardLines(const QByteArray& info);
    // The main window was activated: the box hides, once it has been the
    // active window since it was shown (a window system without a window
    // manager may hand the activation back to the main window at once).
    void OwnerActivated();

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void languageChosen();

    BoardCommands& m_board;
    bool m_reading = false;
    bool m_activeSinceShown = false;
};

} // namespace qvx
