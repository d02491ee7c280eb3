// SPDX-License-Identifier: MIT
#include "MessageView.h"

#include "WindowDefinition.h"

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
