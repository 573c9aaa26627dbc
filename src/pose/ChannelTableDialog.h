#pragma once

#include "pose/PatternFile.h"
#include "pose/PoseData.h"

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

namespace qvx {

class PoseWindow;
class UiServices;

// The channel table dialog: 24 labelled boxes, one per channel, and a name
// box. It edits link patterns and conversion patterns (kept in the pattern
// file, which it holds in memory from start to end) and, for the pose window,
// the channel names and display rates.
class ChannelTableDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Mode { None, Conversion, Names, Rates, LinkPatterns };
    using Texts = std::array<QString, Pose::kChannels>;

    ChannelTableDialog(PoseWindow& prm, UiServices& services, QWidget* parent = nullptr);
    ~ChannelTableDialog() override;

    std::array<QComboBox*, Pose::kChannels> Cmb{};
    std::array<QLabel*, Pose::kChannels> PortName{};
    QComboBox* ListMenu = nullptr;
    QLabel* ListLabel = nullptr;
    QPushButton *OKBtn = nullptr, *DelBtn = nullptr, *Button1 = nullptr;

    // Reads the pattern file and fills the pose window's pattern list; false
    // when the file exists but cannot be read (the dialog then holds none and
    // will not overwrite it).
    bool LoadPatterns(const QString& path);
    // Writes the pattern file back (at the end of the program).
    bool SavePatterns();
    PatternFile& patterns() { return m_patterns; }

    // Applies conversion entries to the chart's selected items, or returns why
    // it refuses them (nothing changed then). Set by the main window.
    std::function<std::optional<QString>(const Texts& entries, const QString& pattern)> applyConversion;

    // Sets the dialog up for a mode, as opening it does (the modal loop is
    // left to the Run functions).
    void Open(Mode mode);
    Mode mode() const { return m_mode; }
    // The modes, run modally; true when they ended with OK.
    bool RunConversion();
    bool RunNames(const Texts& onBoard);
    bool RunRates(const Texts& rates);
    bool RunLinkPatterns();

    Texts texts() const;
    void setTexts(const Texts& texts);

    // The actions of a stored link pattern for use, or why it cannot be used
    // (incomplete, or an action that cannot be carried out); `actions` is only
    // changed when it can.
    std::optional<QString> LoadLinkPattern(const QString& name, Texts& actions) const;
    // A display rate as the rate mode shows it: up to three decimals.
    static QString RateText(float rate);
    // The entry of the link list that opens this table rather than a pattern.
    static QString EditorEntryText() { return tr("Setting of the combination"); }

  public slots:
    void OKBtnClick();
    void DelBtnClick();
    void ListMenuCloseUp(int index);

  private:
    PatternFile::Kind kind() const;
    void fillNames();
    bool okConversion();
    bool okRates();
    bool okLinkPatterns();
    // Writes the entries under the picked name, or under the typed one, which
    // is then added to the name list; false (after telling why) when refused.
    bool storePattern(const Texts& entries);

    PoseWindow& m_prm;
    UiServices& m_services;
    PatternFile m_patterns;
    bool m_patternsUsable = true;
    Mode m_mode = Mode::None;
    // The name picked from the name box, -1 while none is (typing one clears it).
    int m_selected = -1;
};

} // namespace qvx
