#include "pose/PoseLayout.h"

#include "base/CommaList.h"
#include "document/IniFile.h"
#include "document/SettingsFile.h"

#include <charconv>
#include <cmath>

namespace qvx {

namespace {

const QString kSection = QString::fromLatin1(SettingsFile::kSection);

// An integer element of a layout value, or the default when it is missing or unreadable.
int element(const QStringList& f, int i, int def) {
    int v = def;
    if (i < f.size() && IniFile::parseInteger(f[i].trimmed(), v)) return v;
    return def;
}

} // namespace

PoseLayout::PoseLayout() {
    for (int p = 1; p <= kPanels; ++p) panels[size_t(p - 1)].place = DefaultPlace(p);
    for (int n = 1; n <= Pose::kChannels; ++n) channels[size_t(n - 1)].name = DefaultName(n);
}

QPoint PoseLayout::DefaultPlace(int panel) {
    constexpr int kRows = 12;
    if (panel >= 1 && panel <= Pose::kChannels)
        return QPoint(((panel - 1) / kRows) * kPanelWidth, ((panel - 1) % kRows) * kPanelHeight);
    switch (panel) {
    case kSpeedPanel: return QPoint(0, 288);
    case kCommandPanel: return QPoint(0, 312);
    case kLinkPanel: return QPoint(kPanelWidth, 288);
    default: return QPoint(0, 0);
    }
}

QString PoseLayout::PanelKey(int panel) {
    switch (panel) {
    case kSpeedPanel: return QStringLiteral("SPEED");
    case kCommandPanel: return QStringLiteral("CMD");
    case kLinkPanel: return QStringLiteral("LINK");
    default: return DefaultName(panel);
    }
}

QString PoseLayout::DefaultName(int channel) { return QStringLiteral("CH") + QString::number(channel); }

QString PoseLayout::RateText(float rate) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, rate);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

std::optional<float> PoseLayout::ParseRate(const QString& text) {
    QString t = text.trimmed();
    t.replace(u',', u'.');
    bool ok = false;
    const float v = t.toFloat(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

void PoseLayout::Read(const IniFile& ini) {
    picturePath = ini.readString(kSection, QStringLiteral("Bmp"), QString());
    backgroundShown = ini.readBool(kSection, QStringLiteral("Background"), false);
    const QStringList form = CommaList::split(ini.readString(kSection, QStringLiteral("Form"), QString()));
    clientWidth = element(form, 0, kDefaultWidth);
    clientHeight = element(form, 1, kDefaultHeight);
    windowColour = quint32(element(form, 2, int(kDefaultColour)));

    for (int p = 1; p <= kPanels; ++p) {
        Panel& panel = panels[size_t(p - 1)];
        const QString key = PanelKey(p);
        if (!ini.valueExists(kSection, key)) continue;
        const QStringList f = CommaList::split(ini.readString(kSection, key, QString()));
        const QPoint def = DefaultPlace(p);
        panel.visible = !f.isEmpty() && f[0] == QLatin1String("1");
        panel.place = QPoint(element(f, 1, def.x()), element(f, 2, def.y()));
        panel.colour = quint32(element(f, 3, int(kDefaultColour)));
        if (p > Pose::kChannels) continue;
        Channel& c = channels[size_t(p - 1)];
        const int kind = element(f, 4, 0);
        c.kind = kind >= 0 && kind <= int(ChannelKind::Param) ? ChannelKind(kind) : ChannelKind::None;
        c.rate = f.size() > 5 ? ParseRate(f[5]).value_or(1.0f) : 1.0f;
        if (f.size() > 6) c.name = f[6];
    }
}

void PoseLayout::Write(IniFile& ini) const {
    ini.writeString(kSection, QStringLiteral("Form"),
                    QStringLiteral("%1,%2,%3").arg(clientWidth).arg(clientHeight).arg(qint32(windowColour)));
    ini.writeString(kSection, QStringLiteral("Bmp"), picturePath);
    ini.writeBool(kSection, QStringLiteral("Background"), backgroundShown);
    for (int p = 1; p <= kPanels; ++p) {
        const Panel& panel = panels[size_t(p - 1)];
        QStringList f{panel.visible ? QStringLiteral("1") : QStringLiteral("0"),
                      QString::number(panel.place.x()), QString::number(panel.place.y()),
                      QString::number(qint32(panel.colour))};
        if (p <= Pose::kChannels) {
            const Channel& c = channels[size_t(p - 1)];
            f << QString::number(int(c.kind)) << RateText(c.rate) << c.name;
        }
        ini.writeString(kSection, PanelKey(p), CommaList::join(f));
    }
}

std::optional<PoseLayout> PoseLayout::Load(const QString& settingsPath) {
    IniFile ini(settingsPath);
    if (!ini.loadAndTestWrite()) return std::nullopt;
    PoseLayout layout;
    layout.Read(ini);
    return layout;
}

bool PoseLayout::Save(const QString& settingsPath) const {
    IniFile ini(settingsPath);
    if (!ini.loadAndTestWrite()) return false;
    Write(ini);
    return ini.save();
}

} // namespace qvx
