// SPDX-License-Identifier: MIT
#include "PickList.h"

#include "Collation.h"

#include <algorithm>
#include <stdexcept>

namespace quiz {

PickList::PickList(const Collation& collation) : m_collation(collation) {}

void PickList::Clear() {
    Fill({});
}

void PickList::Fill(std::vector<std::string> texts) {
    if (texts.size() > static_cast<std::size_t>(kMaxItems)) {
        throw std::length_error("Fill: " + std::to_string(texts.size()) +
                                " items are more than a list holds, " + std::to_string(kMaxItems));
    }
    std::stable_sort(
        texts.begin(), texts.end(),
        [this](const std::string& a, const std::string& b) { return m_collation.Less(a, b); });
    if (m_observer != nullptr) {
        m_observer->ListAboutToBeCleared();
    }
    m_items = std::move(texts);
    const bool hadSelection = m_listIndex != -1;
    m_listIndex = -1;
    if (m_observer != nullptr) {
        m_observer->ListCleared();
        if (hadSelection) {
            m_observer->ListIndexChanged(-1);
        }
    }
}

void PickList::AddItem(std::string text) {
    if (ListCount() >= kMaxItems) {
        throw std::length_error("AddItem: the list already holds " + std::to_string(kMaxItems) +
                                " items");
    }
    const auto place = std::upper_bound(
        m_items.begin(), m_items.end(), text,
        [this](const std::string& a, const std::string& b) { return m_collation.Less(a, b); });
    const int index = static_cast<int>(place - m_items.begin());
    if (m_observer != nullptr) {
        m_observer->ItemAboutToBeInserted(index);
    }
    m_items.insert(place, std::move(text));
    const bool selectionMoved = m_listIndex >= index;
    if (selectionMoved) {
        ++m_listIndex;
    }
    if (m_observer != nullptr) {
        m_observer->ItemInserted(index);
        if (selectionMoved) {
            m_observer->ListIndexChanged(m_listIndex);
        }
    }
}

const std::string& PickList::List(int index) const {
    CheckIndex("List", index);
    return m_items[static_cast<std::size_t>(index)];
}

void PickList::SetListIndex(int index) {
    if (index != -1) {
        CheckIndex("ListIndex", index);
    }
    if (index == m_listIndex) {
        return;
    }
    m_listIndex = index;
    if (m_observer != nullptr) {
        m_observer->ListIndexChanged(index);
    }
}

void PickList::RemoveItem(int index) {
    CheckIndex("RemoveItem", index);
    if (m_observer != nullptr) {
        m_observer->ItemAboutToBeRemoved(index);
    }
    m_items.erase(m_items.begin() + index);
    const int oldListIndex = m_listIndex;
    if (m_listIndex == index) {
        m_listIndex = -1;
    } else if (m_listIndex > index) {
        --m_listIndex;
    }
    if (m_observer != nullptr) {
        m_observer->ItemRemoved(index);
        if (m_listIndex != oldListIndex) {
            m_observer->ListIndexChanged(m_listIndex);
        }
    }
}

void PickList::CheckIndex(const char* operation, int index) const {
    if (index < 0 || index >= ListCount()) {
        throw std::out_of_range(std::string(operation) + ": index " + std::to_string(index) +
                                " is outside a list of " + std::to_string(ListCount()) + " items");
    }
}

} // namespace quiz
