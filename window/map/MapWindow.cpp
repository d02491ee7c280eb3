// SPDX-License-Identifier: MIT
#include "map/MapWindow.h"

#include "map/MapView.h"
#include "speech/VerdictNotification.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

namespace window {
namespace {

constexpr const char* kTitle = "Карта на България";
constexpr const char* kRoundCaption = "Кръг на картата";
constexpr int kGap = 8;

} // namespace

const QColor& MapWindow::kPair = MapView::kRight;
const QColor MapWindow::kSettlement(0x4A, 0x8B, 0xD0);
const QColor& MapWindow::kSite = MapView::kWrong;

MapWindow::MapWindow(const map::ProvinceMap& provinces, QWidget* quizWindow)
    : QWidget(quizWindow, Qt::Window), m_view(new MapView(provinces, this)),
      m_question(new QLabel(this)), m_score(new QLabel(this)), m_line(new QLabel(this)),
      m_legend(new QLabel(this)),
      m_roundButton(new QPushButton(QString::fromUtf8(kRoundCaption), this)),
      m_notification(new VerdictNotification(this)) {
    setObjectName(QStringLiteral("MapWindow"));
    setWindowTitle(QString::fromUtf8(kTitle));
    m_question->setObjectName(QStringLiteral("MapQuestion"));
    m_score->setObjectName(QStringLiteral("MapScore"));
    m_line->setObjectName(QStringLiteral("MapLine"));
    m_legend->setObjectName(QStringLiteral("MapLegend"));
    m_legend->setTextFormat(Qt::RichText);
    m_line->setWordWrap(true);
    m_legend->setWordWrap(true);
    m_question->setWordWrap(true);
    for (QLabel* label : {m_question, m_score, m_line, m_legend}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    m_question->hide();
    m_score->hide();
    m_legend->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(m_question, 1);
    top->addWidget(m_score);
    top->addWidget(m_roundButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_legend);
    layout->addWidget(m_line);
    setTabOrder(m_roundButton, m_view);
    // Escape puts the map away, as it does a dialog.
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    resize(680, 520);
}

void MapWindow::PlaceBeside(const QWidget* quizWindow) {
    const QRect quiz = quizWindow->frameGeometry();
    const QScreen* screen = quizWindow->screen();
    const QRect room = screen != nullptr ? screen->availableGeometry() : quiz;
    // The frame's thickness, which the window system adds once the window is shown.
    const QSize frame = quiz.size() - quizWindow->geometry().size();
    const int right = room.right() - quiz.right() - kGap;
    const int left = quiz.left() - room.left() - kGap;
    // The wider side, the map made narrower to fit it where it must and can.
    const int side = std::max(right, left);
    const int width = std::min(size().width() + frame.width(), side);
    if (width >= minimumSizeHint().width() + frame.width()) {
        resize(width - frame.width(), height());
    }
    const int outer = size().width() + frame.width();
    QPoint at(side == right ? quiz.right() + kGap + 1 : quiz.left() - kGap - outer, quiz.top());
    if (outer > side) {
        at.setX(room.right() - outer + 1);
    }
    at.setY(std::clamp(at.y(), room.top(),
                       std::max(room.top(), room.bottom() - height() - frame.height())));
    move(at);
}

} // namespace window
