// SPDX-License-Identifier: MIT
// A pick list as the learner plays it: a list view where the keyboard can also browse.
#pragma once

#include <QListView>
#include <optional>

namespace window {

// Selecting an item is picking it, by click, arrow key or typed letter. With Ctrl, the
// navigation keys (arrows, Page Up and Down, Home, End) only move the current item, which a
// screen reader reads out, so a learner who cannot see the list can hear it before choosing;
// space or Enter then picks the current item.
class PickListView final : public QListView {
    Q_OBJECT

public:
    explicit PickListView(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Where a navigation key moves the current item; none for another key.
    static std::optional<CursorAction> Browsing(int key);
};

} // namespace window
