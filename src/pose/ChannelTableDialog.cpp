#include "pose/ChannelTableDialog.h"

#include "base/UiServices.h"
#include "pose/ChannelEntry.h"
#include "pose/LinkPattern.h"
#include "pose/PoseLayout.h"
#include "pose/PoseWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qvx {

using namespace Pose;

namespace {

constexpr int kRows = 8;

const QStringList kLinkProposals = {QStringLiteral("PRM(?)"), QStringLiteral("MOV(?)"), QStringLiteral("TTL(?)"),
                                    QStringLiteral("SET(?)"), QStringLiteral("FREE"),   QStringLiteral("TCH")};
const QStringList kConversionProposals = {QStringLiteral("CopyTo(?)"), QStringLiteral("ReadTo(?)"),
                                          QStringLiteral("Change(?)"), QStringLiteral("Reverse"),
                                          QStringLiteral("ADD(?)"),    QStringLiteral("MUL(?)"),
                                          QStringLiteral("SPD(?)")};

void setLabelLook(QLabel* label, const QFont& font, const QColor& fill, const QColor& text) {
    label->setFont(font);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, fill);
    p.setColor(QPalette::WindowText, text);
    label->setPalette(p);
}

} // namespace

ChannelTableDialog::ChannelTableDialog(PoseWindow& prm, UiServices& services, QWidget* parent)
    : QDialog(parent), m_prm(prm), m_services(services) {
    setObjectName(QStringLiteral("PortDlg"));
    setModal(true);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    for (int n = 1; n <= kChannels; ++n) {
        const size_t k = size_t(n - 1);
        auto* label = new QLabel(PoseLayout::DefaultName(n), this);
        label->setObjectName(QStringLiteral("PortName") + QString::number(n));
        label->setMinimumWidth(64);
        label->setMargin(2);
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("Cmb") + QString::number(n));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setMaxVisibleItems(20);
        box->setMinimumWidth(110);
        PortName[k] = label;
        Cmb[k] = box;
        const int column = (n - 1) / kRows, row = (n - 1) % kRows;
        grid->addWidget(label, row, 2 * column);
        grid->addWidget(box, row, 2 * column + 1);
    }

    ListLabel = new QLabel(tr("Name"), this);
    ListLabel->setObjectName(QStringLiteral("ListLabel"));
    ListMenu = new QComboBox(this);
    ListMenu->setObjectName(QStringLiteral("ListMenu"));
    ListMenu->setEditable(true);
    ListMenu->setInsertPolicy(QComboBox::NoInsert);
    ListMenu->setMinimumWidth(180);
    connect(ListMenu, &QComboBox::activated, this, &ChannelTableDialog::ListMenuCloseUp);
    // Typing a name is not picking one.
    connect(ListMenu, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (m_selected >= 0 && text != ListMenu->itemText(m_selected)) m_selected = -1;
    });
    OKBtn = new QPushButton(tr("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setAutoDefault(false);
    DelBtn = new QPushButton(tr("Deletion"), this);
    DelBtn->setObjectName(QStringLiteral("DelBtn"));
    DelBtn->setAutoDefault(false);
    Button1 = new QPushButton(tr("Cancel"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    connect(OKBtn, &QPushButton::clicked, this, &ChannelTableDialog::OKBtnClick);
    connect(DelBtn, &QPushButton::clicked, this, &ChannelTableDialog::DelBtnClick);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ListLabel);
    bottom->addWidget(ListMenu, 1);
    bottom->addSpacing(12);
    bottom->addWidget(OKBtn);
    bottom->addWidget(DelBtn);
    bottom->addWidget(Button1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addLayout(bottom);
}

ChannelTableDialog::~ChannelTableDialog() = default;

// ---- the pattern file ----

bool ChannelTableDialog::LoadPatterns(const QString& path) {
    m_patterns = PatternFile(path);
    m_patternsUsable = m_patterns.load();
    m_prm.SetLinkNames(m_patterns.names(PatternFile::Kind::Link));
    return m_patternsUsable;
}

bool ChannelTableDialog::SavePatterns() {
    // A file that could not be read is not overwritten with an empty one.
    return m_patternsUsable && m_patterns.save();
}

PatternFile::Kind ChannelTableDialog::kind() const {
    return m_mode == Mode::Conversion ? PatternFile::Kind::Conversion : PatternFile::Kind::Link;
}

void ChannelTableDialog::fillNames() {
    const QSignalBlocker block(ListMenu);
    ListMenu->clear();
    ListMenu->addItems(m_patterns.names(kind()));
    ListMenu->setCurrentIndex(-1);
    ListMenu->setEditText(QString());
    m_selected = -1;
}

std::optional<QString> ChannelTableDialog::LoadLinkPattern(const QString& name, Texts& actions) const {
    return qvx::LoadLinkPattern(m_patterns, name, actions);
}

QString ChannelTableDialog::RateText(float rate) {
    // "0.###": up to three decimals, no trailing zeros.
    QString t = QString::number(double(rate), 'f', 3);
    while (t.endsWith(u'0')) t.chop(1);
    if (t.endsWith(u'.')) t.chop(1);
    if (t == QLatin1String("-0")) t = QStringLiteral("0");
    return t;
}

// ---- modes ----

void ChannelTableDialog::Open(Mode mode) {
    m_mode = mode;
    const bool patterns = mode == Mode::Conversion || mode == Mode::LinkPatterns;
    // The conversion caption is the designed Japanese one in both languages.
    static const char* const captions[] = {"", nullptr, QT_TR_NOOP("Change of the name"),
                                           QT_TR_NOOP("Change if the frequency rate"),
                                           QT_TR_NOOP("Setting of the assigned motion")};
    setWindowTitle(mode == Mode::Conversion ? QStringLiteral("変換") : tr(captions[int(mode)]));
    ListMenu->setVisible(patterns);
    ListLabel->setVisible(patterns);
    DelBtn->setVisible(patterns);
    if (mode == Mode::LinkPatterns) m_prm.ClearLinkActions(false);
    if (patterns) fillNames();

    const QStringList& proposals = mode == Mode::Conversion ? kConversionProposals : kLinkProposals;
    for (int n = 1; n <= kChannels; ++n) {
        QComboBox* box = Cmb[size_t(n - 1)];
        box->clear();
        if (patterns) box->addItems(proposals);
        box->setCurrentIndex(-1);
        box->setEditText(QString());
        // The names mode labels the board's channels by number; the others by the window's names.
        QLabel* label = PortName[size_t(n - 1)];
        label->setText(mode == Mode::Names ? PoseLayout::DefaultName(n) : m_prm.channelName(n));
        setLabelLook(label, m_prm.labelFont(), m_prm.panelColour(n), m_prm.panelTextColour(n));
    }
}

bool ChannelTableDialog::RunConversion() {
    Open(Mode::Conversion);
    return exec() == QDialog::Accepted;
}

bool ChannelTableDialog::RunNames(const Texts& onBoard) {
    Open(Mode::Names);
    setTexts(onBoard);
    return exec() == QDialog::Accepted;
}

bool ChannelTableDialog::RunRates(const Texts& rates) {
    Open(Mode::Rates);
    setTexts(rates);
    return exec() == QDialog::Accepted;
}

bool ChannelTableDialog::RunLinkPatterns() {
    Open(Mode::LinkPatterns);
    return exec() == QDialog::Accepted;
}

ChannelTableDialog::Texts ChannelTableDialog::texts() const {
    Texts t;
    for (size_t k = 0; k < t.size(); ++k) t[k] = Cmb[k]->currentText();
    return t;
}

void ChannelTableDialog::setTexts(const Texts& texts) {
    for (size_t k = 0; k < texts.size(); ++k) Cmb[k]->setEditText(texts[k]);
}

// ---- the name box ----

void ChannelTableDialog::ListMenuCloseUp(int index) {
    if (index < 0 || (m_mode != Mode::Conversion && m_mode != Mode::LinkPatterns)) return;
    const QString name = ListMenu->itemText(index);
    ListMenu->setCurrentIndex(index);
    m_selected = index;
    const std::optional<PatternFile::Pattern> pattern = m_patterns.pattern(kind(), name);
    if (!pattern) return;
    if (const std::optional<QString> problem = pattern->incompleteText(name)) {
        // A hand-edited pattern short of entries is shown as far as it goes, and said so.
        m_services.ShowMessageBox(MsgIcon::Warning, MsgButtons::Ok, 0, MsgLanguage::English,
                                  *problem);
    }
    setTexts(pattern->entries);
}

void ChannelTableDialog::DelBtnClick() {
    if (m_selected < 0) return;
    const QString name = ListMenu->itemText(m_selected);
    if (m_services.ShowMessageBox(MsgIcon::Warning, MsgButtons::YesNo, 0, MsgLanguage::English,
                                  name + tr("Do you delete this?")) != ResultYes)
        return;
    m_patterns.removeName(kind(), name);
    fillNames();
    for (QComboBox* box : Cmb) {
        if (m_mode == Mode::Conversion) {
            box->setCurrentIndex(0);
        } else {
            box->setCurrentIndex(-1);
            box->setEditText(QString());
        }
    }
    if (m_mode == Mode::LinkPatterns) {
        m_prm.SetLinkNames(m_patterns.names(PatternFile::Kind::Link));
        m_prm.ClearLinkActions(true);
    }
}

bool ChannelTableDialog::storePattern(const Texts& entries) {
    const bool picked = m_selected >= 0;
    const QString name = picked ? ListMenu->itemText(m_selected) : ListMenu->currentText();
    // The entries are written first: a name or an entry the file cannot hold
    // is refused before the name is listed.
    if (const std::optional<QString> problem = m_patterns.writePattern(kind(), name, entries)) {
        m_services.ShowMessageBox(MsgIcon::Warning, MsgButtons::Ok, 0, MsgLanguage::English,
                                  *problem);
        return false;
    }
    if (picked) return true;
    // A typed name is always added, even when it is listed already.
    m_patterns.addName(kind(), name);
    fillNames();
    m_selected = ListMenu->count() - 1;
    ListMenu->setCurrentIndex(m_selected);
    return true;
}

// ---- OK ----

void ChannelTableDialog::OKBtnClick() {
    bool ok = true;
    switch (m_mode) {
    case Mode::Conversion: ok = okConversion(); break;
    case Mode::Rates: ok = okRates(); break;
    case Mode::LinkPatterns: ok = okLinkPatterns(); break;
    case Mode::Names:
    case Mode::None: break;
    }
    if (ok) accept();
}

bool ChannelTableDialog::okConversion() {
    const Texts entries = texts();
    const QString typed = m_selected >= 0 ? ListMenu->itemText(m_selected) : ListMenu->currentText();
    // A name that cannot be stored is refused before anything is applied.
    if (m_selected < 0 && !typed.isEmpty()) {
        if (const std::optional<QString> problem = PatternFile::CheckPatternName(typed)) {
            m_services.ShowMessageBox(MsgIcon::Warning, MsgButtons::Ok, 0, MsgLanguage::English,
                                      *problem);
            return false;
        }
    }
    // The entries are applied next: a pattern the conversion refuses is
    // neither applied nor saved, and the dialog stays open.
    if (applyConversion) {
        if (const std::optional<QString> refusal = applyConversion(entries, typed)) {
            m_services.ShowMessageBox(MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::English,
                                      *refusal);
            return false;
        }
    }
    // Without a typed name nothing is saved.
    if (m_selected < 0 && typed.isEmpty()) return true;
    storePattern(entries);
    return true;
}

bool ChannelTableDialog::okRates() {
    const Texts rates = texts();
    for (int n = 1; n <= kChannels; ++n) {
        const std::optional<float> rate = PoseLayout::ParseRate(rates[size_t(n - 1)]);
        if (rate && *rate == 0.0f) {
            m_services.ShowMessageBox(
                MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::English,
                tr("CH%1: a display rate of 0 cannot show a position").arg(n));
            return false;
        }
    }
    return true;
}

bool ChannelTableDialog::okLinkPatterns() {
    const Texts actions = texts();
    if (const int bad = ValidateLinkPattern(actions)) {
        m_services.ShowMessageBox(MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::English,
                                  tr("CH%1There is an error in the input of").arg(bad));
        return false;
    }
    if (m_selected < 0) {
        const QString typed = ListMenu->currentText();
        if (typed == EditorEntryText()) {
            m_services.ShowMessageBox(MsgIcon::Warning, MsgButtons::Ok, 0, MsgLanguage::English,
                                      QString());
            return false;
        }
        if (typed.isEmpty()) {
            m_services.ShowMessageBox(MsgIcon::Warning, MsgButtons::Ok, 0, MsgLanguage::English,
                                      PatternFile::NoNameText());
            return false;
        }
    }
    if (!storePattern(actions)) return false;
    m_prm.SetLinkNames(m_patterns.names(PatternFile::Kind::Link));
    m_prm.ClearLinkActions(true);
    return true;
}

} // namespace qvx
