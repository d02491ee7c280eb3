// SPDX-License-Identifier: MIT
// The defined window's controls: made with their names, captions and colours, placed at any
// size and text scale, and the window painted. Trevika.cpp wires them to the engine and flows.
#include "quiz/ContextMenu.h"
#include "quiz/FittingLabel.h"
#include "quiz/MessageView.h"
#include "quiz/PickListModel.h"
#include "quiz/PickListView.h"
#include "quiz/Trevika.h"
#include "quiz/WindowColours.h"
#include "quiz/WindowLayout.h"
#include "quiz/WindowZoom.h"
#include "speech/VerdictNotification.h"

#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

namespace window {

QFont Trevika::DefinedFont() {
    return QFont(
        QStringList{QString::fromLatin1(kFontFamily), QString::fromLatin1(kFallbackFontFamily)},
        kFontPointSize, QFont::Normal);
}

void Trevika::CreateControls() {
    for (std::size_t member = 0; member < m_label1.size(); ++member) {
        auto* label = new QLabel(QString::fromUtf8(kLabel1Captions[member]), this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(member));
        label->setAutoFillBackground(true);
        SetColours(label, kLabelColour);
        m_label1[member] = label;
    }

    QPlainTextEdit* text = m_text1[0] = new MessageView(this);
    text->setObjectName(QStringLiteral("Text1_0"));

    std::array<quiz::PickList*, 2> pickLists{&m_quiz.Settlements(), &m_quiz.Sites()};
    for (std::size_t member = 0; member < m_list1.size(); ++member) {
        m_models[member] = std::make_unique<PickListModel>(*pickLists[member]);
        auto* list = new PickListView(this);
        list->setObjectName(QStringLiteral("List1_%1").arg(member));
        list->setModel(m_models[member].get());
        m_label1[member + 1]->setBuddy(list);
        m_list1[member] = list;
    }

    QPushButton* button = m_command1[0] =
        new QPushButton(QString::fromUtf8(kCommand1Captions[0]), this);
    button->setObjectName(QStringLiteral("Command1_0"));
    button->setStyleSheet(ButtonStyleSheet());

    m_score = new FittingLabel(this);
    m_score->setObjectName(QStringLiteral("Score"));
    m_score->setAlignment(Qt::AlignCenter);
    // Drawn on the window's own background, which it does not fill.
    SetColours(m_score, kWindowColour);
    m_notification = new VerdictNotification(this);

    setTabOrder(text, m_list1[0]);
    setTabOrder(m_list1[0], m_list1[1]);
    setTabOrder(m_list1[1], button);
    text->setFocus(Qt::OtherFocusReason);
}

void Trevika::LayOut() {
    const QSize client = size();
    const qreal scale = m_zoom->Scale();
    for (std::size_t member = 0; member < m_label1.size(); ++member) {
        m_label1[member]->setGeometry(Place(kLabel1[member], client, scale));
    }
    for (std::size_t member = 0; member < m_list1.size(); ++member) {
        m_list1[member]->setGeometry(Place(kList1[member], client, scale));
    }
    m_text1[0]->setGeometry(Place(kText1[0], client, scale));
    m_command1[0]->setGeometry(Place(kCommand1[0], client, scale));
    m_score->setGeometry(Place(kScore, client, scale));
    m_menu->Button()->setGeometry(Place(kMenuButton, client, scale));
}

void Trevika::SetScale(qreal scale) {
    QFont scaled = DefinedFont();
    scaled.setPointSizeF(kFontPointSize * scale);
    setFont(scaled);
    // A control with a style sheet keeps the font it had when the sheet was set.
    m_command1[0]->setFont(scaled);
    // As large as the scale asks, as far as the screen has room, never below the defined size.
    QSize least = LeastClientSize(scale);
    if (const QScreen* shown = screen()) {
        const QSize frame = frameGeometry().size() - geometry().size();
        least = least.boundedTo(shown->availableGeometry().size() - frame);
    }
    least = least.expandedTo(ToPixels(kClient).size());
    setMinimumSize(least);
    resize(size().expandedTo(least));
    LayOut();
}

void Trevika::resizeEvent(QResizeEvent* /*event*/) {
    LayOut();
}

void Trevika::paintEvent(QPaintEvent* /*event*/) {
    // Painted rather than set in the palette, which every child would inherit: the lists
    // and the message box keep the platform's colours.
    QPainter(this).fillRect(rect(), ToColour(kWindowColour));
}

} // namespace window
