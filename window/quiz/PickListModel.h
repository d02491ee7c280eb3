// SPDX-License-Identifier: MIT
// A Qt list model that shows one of the quiz engine's pick lists.
#pragma once

#include <PickList.h>
#include <QAbstractListModel>

namespace window {

// Reads every row straight from the engine's pick list and follows its changes row by row,
// so a view keeps its scroll position and current item when one item goes.
class PickListModel final : public QAbstractListModel, private quiz::PickListObserver {
    Q_OBJECT

public:
    explicit PickListModel(quiz::PickList& list, QObject* parent = nullptr);
    ~PickListModel() override;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

signals:
    // The engine's selection moved: the index of the selected row, or -1 for none.
    void listIndexChanged(int index);

private:
    void ItemAboutToBeInserted(int index) override;
    void ItemInserted(int index) override;
    void ItemAboutToBeRemoved(int index) override;
    void ItemRemoved(int index) override;
    void ListAboutToBeCleared() override;
    void ListCleared() override;
    void ListIndexChanged(int index) override;

    quiz::PickList& m_list;
};

} // namespace window
