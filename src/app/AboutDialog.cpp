#include "app/AboutDialog.h"

#include "app/Settings.h"
#include "base/Cp932.h"
#include "base/Language.h"
#include "board/BoardCommands.h"

#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace qvx {

AboutDialog::AboutDialog(BoardCommands& board, QWidget* parent)
    : QWidget(parent, Qt::Window), m_board(board) {
    setObjectName(QStringLiteral("TInfoDlg"));
    setWindowTitle(TitleText());
    auto* top = new QVBoxLayout(this);
    TitleLabel = new QLabel(TitleText(), this);
    QFont big = TitleLabel->font();
    if (big.pixelSize() > 0)
        big.setPixelSize(big.pixelSize() * 8 / 5);
    else
        big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    TitleLabel->setFont(big);
    VersionLabel = new QLabel(VersionDate(), this);
    BoardLabel = new QLabel(this);
    BoardLabel->setObjectName(QStringLiteral("BoardLabel"));
    BoardLabel->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    BoardLabel->setFrameShape(QFrame::Panel);
    BoardLabel->setFrameShadow(QFrame::Sunken);
    BoardLabel->setText(BoardLines({}).join(u'\n'));
    for (QLabel* l : {TitleLabel, VersionLabel, BoardLabel}) {
        l->setAlignment(Qt::AlignCenter);
        top->addWidget(l);
    }

    auto* languageRow = new QHBoxLayout;
    auto* languageLabel = new QLabel(tr("Language:"), this);
    LanguageBox = new QComboBox(this);
    LanguageBox->setObjectName(QStringLiteral("Language"));
    const QString automatic = QStringLiteral("auto");
    LanguageBox->addItem(tr("As the system"), automatic);
    // Each language is named in itself, so that it is found whatever the
    // program speaks now.
    LanguageBox->addItem(QStringLiteral("English"), QStringLiteral("en")); // not translated: a name
    LanguageBox->addItem(QStringLiteral("日本語"), QStringLiteral("ja"));  // not translated: a name
    languageLabel->setBuddy(LanguageBox);
    const int current =
        LanguageBox->findData(Settings::ReadLanguage(Settings::SettingsPath()).toLower());
    LanguageBox->setCurrentIndex(std::max(current, 0));
    languageRow->addWidget(languageLabel);
    languageRow->addWidget(LanguageBox, 1);
    top->addLayout(languageRow);
    LanguageNote = new QLabel(this);
    LanguageNote->setObjectName(QStringLiteral("LanguageNote"));
    LanguageNote->setWordWrap(true);
    top->addWidget(LanguageNote);
    connect(LanguageBox, &QComboBox::activated, this, &AboutDialog::languageChosen);
}

void AboutDialog::languageChosen() {
    const QString path = Settings::SettingsPath();
    if (Settings::WriteLanguage(path, LanguageBox->currentData().toString()))
        LanguageNote->setText(tr("The language changes at the next start."));
    else
        LanguageNote->setText(tr("The language could not be saved in %1.").arg(path));
}

QStringList AboutDialog::BoardLines(const QByteArray& info) {
    QStringList lines;
    for (int i = 0; i < 4; ++i) {
        QByteArray part = info.mid(16 * i, 16);
        part.replace('\0', ' ');
        part = part.leftJustified(16, ' ');
        lines << Cp932::decode(part);
    }
    return lines;
}

bool AboutDialog::ReadBoardText() {
    if (m_reading) return false;
    m_reading = true;
    QByteArray info;
    const bool ok = m_board.ReadBoardInfo(info);
    BoardLabel->setText(BoardLines(ok ? info : QByteArray()).join(u'\n'));
    m_reading = false;
    return ok;
}

void AboutDialog::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        m_activeSinceShown = true;
        ReadBoardText();
    }
}

void AboutDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_activeSinceShown = false;
    // Read once shown as well, for window systems that never activate it.
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && !m_activeSinceShown) ReadBoardText();
    });
}

void AboutDialog::OwnerActivated() {
    if (m_activeSinceShown) hide();
}

} // namespace qvx
