// SPDX-License-Identifier: MIT
// A pick list as the learner plays it: a list view where the keyboard can also browse.
#pragma once

#include <QFontMetricsF>
#include <QHash>
#include <QListView>
#include <QStyledItemDelegate>
#include <optional>

namespace window {

// Sizes the one item that a view of uniform items asks about at least as wide as the widest text.
class WidestTextDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    [[nodiscard]] int Widest() const { return m_widest; }
    void SetWidest(int width) { m_widest = width; }
    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const override;

private:
    int m_widest = 0;
};

// Selecting an item is picking it, by left click, arrow key or typed letter; other mouse
// buttons pick nothing, since the right one opens the window's menu. With Ctrl, the
// navigation keys (arrows, Page Up and Down, Home, End) only move the current item, which a
// screen reader reads out, so a learner who cannot see the list can hear it before choosing;
// space or Enter then picks the current item.
//
// Items are laid out at one size, which keeps a list of a thousand quick to fill and to take
// items out of; that size is as wide as the widest text, so that any text can be scrolled to.
class PickListView final : public QListView {
    Q_OBJECT

public:
    explicit PickListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    // Shows the engine's selection: the row, or none for -1.
    void ShowListIndex(int row);

signals:
    // The learner changed the selection: the selected row, or -1. The engine's changes, shown
    // by ShowListIndex or made by the model, are not told.
    void picked(int row);

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void MeasureRows(int first, int last);
    void MeasureAll();
    [[nodiscard]] int TextWidth(const QFontMetricsF& metrics, const QString& text);

    // Where a navigation key moves the current item; none for another key.
    static std::optional<CursorAction> Browsing(int key);

    WidestTextDelegate* m_delegate;
    // The advances of the characters seen, in the view's font.
    QHash<QChar, qreal> m_advances;
    QList<QMetaObject::Connection> m_modelConnections;
    // Changes of the model or of the engine's selection under way.
    int m_following = 0;
};

} // namespace window
