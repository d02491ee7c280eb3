// SPDX-License-Identifier: MIT
#include "quiz/PickListModel.h"

namespace window {

PickListModel::PickListModel(quiz::PickList& list, QObject* parent)
    : QAbstractListModel(parent), m_list(list) {
    m_list.SetObserver(this);
}

PickListModel::~PickListModel() {
    m_list.SetObserver(nullptr);
}

int PickListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_list.ListCount();
}

QVariant PickListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    // The tooltip repeats the text so that a name wider than the list can still be read whole.
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    return QString::fromStdString(m_list.List(index.row()));
}

void PickListModel::ItemAboutToBeInserted(int index) {
    beginInsertRows({}, index, index);
}

void PickListModel::ItemInserted(int /*index*/) {
    endInsertRows();
}

void PickListModel::ItemAboutToBeRemoved(int index) {
    beginRemoveRows({}, index, index);
}

void PickListModel::ItemRemoved(int /*index*/) {
    endRemoveRows();
}

void PickListModel::ListAboutToBeCleared() {
    beginResetModel();
}

void PickListModel::ListCleared() {
    endResetModel();
}

void PickListModel::ListIndexChanged(int index) {
    emit listIndexChanged(index);
}

} // namespace window
