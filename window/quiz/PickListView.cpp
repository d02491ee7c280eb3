// SPDX-License-Identifier: MIT
#include "quiz/PickListView.h"

#include "quiz/WindowDefinition.h"

#include <QFontMetricsF>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QtMath>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace window {

QSize WidestTextDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const int margins =
        size.width() - option.fontMetrics.horizontalAdvance(index.data().toString());
    size.setWidth(std::max(size.width(), m_widest + margins));
    return size;
}

PickListView::PickListView(QWidget* parent)
    : QListView(parent), m_delegate(new WidestTextDelegate(this)) {
    setUniformItemSizes(true);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAccessibleDescription(QString::fromUtf8(kListAccessibleDescription));
}

void PickListView::ShowListIndex(int row) {
    ++m_following;
    if (row < 0) {
        selectionModel()->clearSelection();
    } else {
        selectionModel()->select(model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
    }
    --m_following;
}

void PickListView::setModel(QAbstractItemModel* model) {
    for (const QMetaObject::Connection& connection : m_modelConnections) {
        disconnect(connection);
    }
    m_modelConnections.clear();
    // The model's own changes move the selection too, and they are no picks. These are
    // connected before the selection model is made, so that the view knows of a change before
    // the selection model acts on it, and knows its end after.
    const auto follow = [this] {
        ++m_following;
    };
    const auto followed = [this] {
        --m_following;
    };
    if (model != nullptr) {
        m_modelConnections
            << connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, follow)
            << connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, follow)
            << connect(model, &QAbstractItemModel::modelAboutToBeReset, this, follow);
    }
    QListView::setModel(model);
    // Any other change of selection counts, by mouse, keyboard or an assistive technology.
    m_modelConnections << connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
                                  [this] {
                                      if (m_following > 0) {
                                          return;
                                      }
                                      const QModelIndexList rows = selectionModel()->selectedRows();
                                      emit picked(rows.isEmpty() ? -1 : rows.first().row());
                                  });
    if (model != nullptr) {
        m_modelConnections << connect(model, &QAbstractItemModel::rowsInserted, this, followed)
                           << connect(model, &QAbstractItemModel::rowsRemoved, this, followed)
                           << connect(model, &QAbstractItemModel::modelReset, this, followed);
        // A view keeps its scroll position through a reset; refilled, a list starts at the top.
        m_modelConnections << connect(model, &QAbstractItemModel::modelReset, this,
                                      &QAbstractItemView::scrollToTop);
        // Taking items out can only leave the widest as wide as it was, or less, so only new
        // items are measured.
        m_modelConnections << connect(model, &QAbstractItemModel::modelReset, this,
                                      &PickListView::MeasureAll)
                           << connect(model, &QAbstractItemModel::rowsInserted, this,
                                      [this](const QModelIndex&, int first, int last) {
                                          MeasureRows(first, last);
                                      });
    }
    MeasureAll();
}

void PickListView::changeEvent(QEvent* event) {
    QListView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_advances.clear();
        MeasureAll();
    }
}

void PickListView::MeasureAll() {
    m_delegate->SetWidest(0);
    if (model() != nullptr) {
        MeasureRows(0, model()->rowCount() - 1);
    }
}

void PickListView::MeasureRows(int first, int last) {
    const QFontMetricsF metrics(font());
    std::vector<std::pair<int, int>> widths; // estimated width, row
    int estimatedWidest = 0;
    for (int row = first; row <= last; ++row) {
        widths.emplace_back(TextWidth(metrics, model()->index(row, 0).data().toString()), row);
        estimatedWidest = std::max(estimatedWidest, widths.back().first);
    }
    // A text is drawn laid out whole, which hinting and kerning can make a few pixels wider
    // than its advances add up to (Windows' fonts under Wine do): the widest few are laid out.
    const QFontMetrics laidOut(font());
    int widest = m_delegate->Widest();
    for (const auto& [width, row] : widths) {
        widest = std::max(widest, width);
        if (width * 10 >= estimatedWidest * 9) {
            widest = std::max(widest,
                              laidOut.horizontalAdvance(model()->index(row, 0).data().toString()));
        }
    }
    m_delegate->SetWidest(widest);
}

int PickListView::TextWidth(const QFontMetricsF& metrics, const QString& text) {
    // Laying out each text would take a thousand-pair table twice as long to show. A table
    // has few distinct characters, and a text is as wide as its characters' advances add up
    // to, give or take the odd kerning pair; beyond the basic plane it is laid out after all.
    // Advances are fractions of a pixel: rounded one by one, they would add up short.
    qreal width = 0;
    for (const QChar c : text) {
        if (c.isSurrogate()) {
            return qCeil(metrics.horizontalAdvance(text));
        }
        auto advance = m_advances.find(c);
        if (advance == m_advances.end()) {
            advance = m_advances.insert(c, metrics.horizontalAdvance(c));
        }
        width += *advance;
    }
    return qCeil(width);
}

std::optional<QAbstractItemView::CursorAction> PickListView::Browsing(int key) {
    switch (key) {
    case Qt::Key_Up:
        return MoveUp;
    case Qt::Key_Down:
        return MoveDown;
    case Qt::Key_PageUp:
        return MovePageUp;
    case Qt::Key_PageDown:
        return MovePageDown;
    case Qt::Key_Home:
        return MoveHome;
    case Qt::Key_End:
        return MoveEnd;
    default:
        return std::nullopt;
    }
}

bool PickListView::viewportEvent(QEvent* event) {
    // Qt's views select on any button's press, and here a selection is a pick: other buttons
    // are taken here, before the view sees them.
    const auto type = event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
         type == QEvent::MouseButtonDblClick) &&
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        event->accept();
        return true;
    }
    return QListView::viewportEvent(event);
}

void PickListView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier) {
        if (const auto action = Browsing(event->key())) {
            const QModelIndex current = moveCursor(*action, Qt::NoModifier);
            if (current.isValid()) {
                selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
                scrollTo(current);
            }
            event->accept();
            return;
        }
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && modifiers == Qt::NoModifier && currentIndex().isValid()) {
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

} // namespace window
