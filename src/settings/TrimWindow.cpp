#include "settings/TrimWindow.h"

#include "base/UiServices.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "document/DocumentFile.h"
#include "document/PaletteColours.h"
#include "pose/PoseLayout.h"
#include "pose/PoseWindow.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>

namespace qvx {

namespace {

constexpr int kPanelWidth = PoseLayout::kPanelWidth, kPanelHeight = PoseLayout::kPanelHeight;
constexpr int kEditLeft = 56;

void setColours(QWidget* w, const QColor& fill, const QColor& text) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, fill);
    p.setColor(QPalette::WindowText, text);
    w->setPalette(p);
}

QFrame* panel(QWidget* parent, const QString& name, QPoint place) {
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    f->setFrameShape(QFrame::Panel);
    f->setFrameShadow(QFrame::Raised);
    f->setAutoFillBackground(true);
    f->setGeometry(QRect(place, QSize(kPanelWidth, kPanelHeight)));
    return f;
}

QToolButton* flatButton(QWidget* parent, const char* name, const QString& hint,
                        QStyle::StandardPixmap icon, int left) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoRaise(true);
    b->setToolTip(hint);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setGeometry(left, 1, 22, 22);
    return b;
}

} // namespace

TrimWindow::TrimWindow(BoardCommands& board, UiServices& services, QWidget* parent)
    : QDialog(parent), m_board(board), m_services(services), m_flows(board, services) {
    setObjectName(QStringLiteral("HomeDlg"));
    setWindowTitle(tr("HomeDlg"));
    setModal(true);
    resize(PoseLayout::kDefaultWidth, PoseLayout::kDefaultHeight);

    for (int n = 1; n <= kChannels; ++n) {
        const size_t i = size_t(n - 1);
        const QString num = QString::number(n);
        QFrame* p = panel(this, QStringLiteral("Panel") + num, PoseLayout::DefaultPlace(n));
        p->setProperty("Tag", n);
        Panel[i] = p;
        Label[i] = new QLabel(PoseLayout::DefaultName(n), p);
        Label[i]->setObjectName(QStringLiteral("Label") + num);
        Label[i]->setGeometry(3, 4, 52, 16);
        Edit[i] = new QLineEdit(p);
        Edit[i]->setObjectName(QStringLiteral("Edit") + num);
        Edit[i]->setProperty("Tag", n);
        const int editWidth = EditWidth(Edit[i]);
        Edit[i]->setGeometry(kEditLeft, 2, editWidth, 20);
        QPalette white = Edit[i]->palette();
        white.setColor(QPalette::Base, Qt::white);
        white.setColor(QPalette::Text, Qt::black);
        Edit[i]->setPalette(white);
        Scroll[i] = new QScrollBar(Qt::Horizontal, p);
        Scroll[i]->setObjectName(QStringLiteral("Scroll") + num);
        Scroll[i]->setProperty("Tag", n);
        const int scrollLeft = kEditLeft + editWidth + 3;
        Scroll[i]->setGeometry(scrollLeft, 4, kPanelWidth - 5 - scrollLeft, 16);
        // Set range: before any value is shown.
        Scroll[i]->setRange(TrimFlows::kMin, TrimFlows::kMax);
        connect(Scroll[i], &QScrollBar::valueChanged, this, [this, n] { ScrollScroll(n); });
        // The end of a drag is one more notification, as every scroll step is.
        connect(Scroll[i], &QScrollBar::sliderReleased, this, [this, n] { ScrollScroll(n); });
        connect(Edit[i], &QLineEdit::returnPressed, this, [this, n] { EditKeyDown(n); });
    }
    Panel26 = panel(this, QStringLiteral("Panel26"), PoseLayout::DefaultPlace(kCommandPanel));
    // The buttons keep their designed Japanese hints in both languages.
    OpenBtn = flatButton(Panel26, "OpenBtn", QStringLiteral("ロードボタン"),
                         QStyle::SP_DialogOpenButton, 3);
    SaveBtn = flatButton(Panel26, "SaveBtn", QStringLiteral("セーブボタン"),
                         QStyle::SP_DialogSaveButton, 26);
    connect(OpenBtn, &QToolButton::clicked, this, &TrimWindow::OpenBtnClick);
    connect(SaveBtn, &QToolButton::clicked, this, &TrimWindow::SaveBtnClick);
    ShowState();
}

int TrimWindow::EditWidth(const QLineEdit* edit) {
    // The widest text a trim word gives (the word 0), with the box's own
    // margins of 2 pixels a side and its frame, as QLineEdit sizes itself.
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QString widest = QString::number(0 - TrimFlows::kNeutral);
    const QSize text(edit->fontMetrics().horizontalAdvance(widest) + 2 * 2 + 1,
                     edit->fontMetrics().height());
    return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, edit).width();
}

QStringList TrimWindow::FileFilters() {
    // The main window's document filters, in the same order.
    return {tr("QMX file (*.QMX *.qmx)"), tr("AllFiles (*)")};
}

void TrimWindow::CopyLook(const PoseLayout& layout, const QFont& labelFont) {
    resize(layout.clientWidth, layout.clientHeight);
    const PaletteColours colours(palette());
    for (int n = 1; n <= kChannels; ++n) {
        const size_t i = size_t(n - 1);
        const PoseLayout::Panel& from = layout.panels[i];
        const QColor fill = colours.Resolve(from.colour);
        Panel[i]->move(from.place);
        Panel[i]->setVisible(from.visible);
        setColours(Panel[i], fill, colours.TextColourFor(from.colour));
        Label[i]->setText(layout.channels[i].name);
        Label[i]->setFont(labelFont);
        setColours(Label[i], fill, colours.TextColourFor(from.colour));
    }
    const PoseLayout::Panel& command = layout.panels[size_t(kCommandPanel - 1)];
    Panel26->move(command.place);
    setColours(Panel26, colours.Resolve(command.colour), colours.TextColourFor(command.colour));
}

bool TrimWindow::RunFromMainWindow() {
    if (isVisible()) return false;
    if (!m_flows.Open()) {
        showProblem();
        return false;
    }
    if (m_pose) CopyLook(m_pose->CollectLayout(), m_pose->labelFont());
    ShowState();
    exec();
    if (!m_flows.Close()) showProblem();
    return true;
}

void TrimWindow::showProblem() {
    if (!m_flows.problem().isEmpty()) m_services.ShowStatus(m_flows.problem());
}

void TrimWindow::showChannel(int channel) {
    const size_t i = size_t(channel - 1);
    {
        const QSignalBlocker quiet(Scroll[i]);
        Scroll[i]->setValue(m_flows.positions()[i]);
    }
    // The offset of the word as held, also where the bar had to clamp it.
    Edit[i]->setText(QString::number(m_flows.offsets()[i]));
}

void TrimWindow::ShowState() {
    for (int n = 1; n <= kChannels; ++n)
        showChannel(n);
}

void TrimWindow::ScrollScroll(int channel) {
    // A refused change puts the bar back where the board has it.
    m_flows.SetPosition(channel, Scroll[size_t(channel - 1)]->value());
    showChannel(channel);
}

void TrimWindow::EditKeyDown(int channel) {
    m_flows.EnterOffset(channel, Edit[size_t(channel - 1)]->text());
    showChannel(channel);
}

void TrimWindow::OpenBtnClick() {
    // Refused before the file dialog while the board is busy.
    if (m_board.link().RefuseWhileBusy()) return;
    const auto choice = m_services.GetOpenFileName(tr("Load"), FileFilters());
    if (!choice) return;
    if (m_flows.LoadFile(choice->path) == TrimFlows::LoadResult::BoardFailed) showProblem();
    ShowState();
}

void TrimWindow::SaveBtnClick() {
    const auto choice = m_services.GetSaveFileName(tr("Save"), FileFilters());
    if (!choice) return;
    m_flows.SaveFile(DocumentFile::SaveName(choice->path, choice->filterIndex == 0));
}

} // namespace qvx
