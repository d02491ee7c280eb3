// SPDX-License-Identifier: MIT
// A sorted list of texts with at most one selected item, as the learner sees it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quiz {

class Collation;

// The most items a pick list holds: every position in it then fits in a 16-bit signed number.
inline constexpr int kMaxItems = 32767;

// Told of every change to a pick list, so that a view can follow it without a copy of its
// own. Insertions and removals are announced before and after they happen, because that is
// how Qt's item models must report them. Observers must not change the list from inside.
class PickListObserver {
public:
    virtual void ItemAboutToBeInserted(int index) = 0;
    virtual void ItemInserted(int index) = 0;
    virtual void ItemAboutToBeRemoved(int index) = 0;
    virtual void ItemRemoved(int index) = 0;
    virtual void ListAboutToBeCleared() = 0;
    virtual void ListCleared() = 0;
    virtual void ListIndexChanged(int index) = 0;

protected:
    ~PickListObserver() = default;
};

// Indexes count from 0 and -1 means no selection. Bad indexes throw std::out_of_range, and
// an item beyond the 32767 that a 16-bit index can reach throws std::length_error.
class PickList {
public:
    explicit PickList(const Collation& collation);
    PickList(const PickList&) = delete;
    PickList& operator=(const PickList&) = delete;

    void Clear();
    // The texts in sorted order in place of the items, told to the observer as one clearing;
    // equal texts keep their order.
    void Fill(std::vector<std::string> texts);
    // Inserts at the sorted place; an equal text goes after the ones already there.
    void AddItem(std::string text);
    [[nodiscard]] int ListCount() const { return static_cast<int>(m_items.size()); }
    [[nodiscard]] const std::string& List(int index) const;
    [[nodiscard]] int ListIndex() const { return m_listIndex; }
    void SetListIndex(int index);
    // Later items move up one place; the selection follows its item, or goes with it.
    void RemoveItem(int index);

    // The observer must outlive the list or be removed first.
    void SetObserver(PickListObserver* observer) { m_observer = observer; }

private:
    void CheckIndex(const char* operation, int index) const;

    const Collation& m_collation;
    std::vector<std::string> m_items;
    int m_listIndex = -1;
    PickListObserver* m_observer = nullptr;
};

} // namespace quiz
