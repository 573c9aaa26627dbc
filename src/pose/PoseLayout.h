#pragma once

#include "document/ItemColours.h"
#include "pose/PoseData.h"

#include <QPoint>
#include <QString>
#include <array>
#include <optional>

namespace qvx {

class IniFile;

// The arrangement of the pose window as the settings file keeps it: where its
// 27 panels sit, their colours and visibility, each channel's stored display
// kind, display rate and name, the window's size and colour and its
// background picture. Read once at start, written once at the end.
struct PoseLayout {
    static constexpr int kPanels = 27;
    static constexpr int kSpeedPanel = 25, kCommandPanel = 26, kLinkPanel = 27;
    static constexpr int kPanelWidth = 254, kPanelHeight = 24;
    static constexpr int kDefaultWidth = 2 * kPanelWidth, kDefaultHeight = 14 * kPanelHeight;
    static constexpr quint32 kDefaultColour = ItemColours::kButtonFace;

    struct Panel {
        bool visible = true;
        QPoint place;
        quint32 colour = kDefaultColour;
    };
    struct Channel {
        ChannelKind kind = ChannelKind::None;
        float rate = 1.0f;
        QString name;
    };

    // Panel 1..27 at index 0..26; channel 1..24 at index 0..23.
    std::array<Panel, kPanels> panels;
    std::array<Channel, Pose::kChannels> channels;
    int clientWidth = kDefaultWidth;
    int clientHeight = kDefaultHeight;
    quint32 windowColour = kDefaultColour;
    QString picturePath;
    bool backgroundShown = false;

    PoseLayout();

    // Where panel 1..27 sits when the settings say nothing.
    static QPoint DefaultPlace(int panel);
    // "CH1".."CH24", "SPEED", "CMD", "LINK".
    static QString PanelKey(int panel);
    // The name a channel has until the user gives it another.
    static QString DefaultName(int channel);

    // The layout keys of section "QVX3"; what is missing or unreadable keeps
    // its default.
    void Read(const IniFile& ini);
    void Write(IniFile& ini) const;

    // Reads the layout from the settings file after the test write; nothing
    // when the file cannot be written back (the window keeps its defaults).
    static std::optional<PoseLayout> Load(const QString& settingsPath);
    // Writes the layout keys into the settings file, keeping every other key;
    // false (and nothing written) when the file cannot be written.
    bool Save(const QString& settingsPath) const;

    // A display rate as the file holds it: the shortest text that reads back
    // as the same number; and back, with "," accepted as the decimal
    // separator; nothing for text that is no finite number.
    static QString RateText(float rate);
    static std::optional<float> ParseRate(const QString& text);
};

} // namespace qvx
