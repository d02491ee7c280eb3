// SPDX-License-Identifier: MIT
#include "quiz/MessageView.h"

#include "quiz/WindowDefinition.h"

namespace window {

MessageView::MessageView(QWidget* parent) : QPlainTextEdit(parent) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setReadOnly(true);
    setAcceptDrops(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QString::fromUtf8(kText1AccessibleName));
}

} // namespace window
