// SPDX-License-Identifier: MIT
// What to put on paper: the kind of sheet, its variant and, for a review sheet, the learner.
#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QSpinBox;

namespace window {

enum class SheetKind { Worksheet, Key, BlankMap, Review };

struct SheetChoice {
    SheetKind kind = SheetKind::Worksheet;
    int variant = 1;
    QString learner;
};

class PaperDialog final : public QDialog {
    Q_OBJECT

public:
    // The blank map is offered where the table's regions are provinces, the review sheet where
    // there are learners; `accept` names what the dialog's button does ("Печат…").
    PaperDialog(const SheetChoice& choice, bool map, const QStringList& learners,
                const QString& accept, QWidget* parent);

    [[nodiscard]] SheetChoice Choice() const;

private:
    void ShowKind();

    QComboBox* m_kind;
    QSpinBox* m_variant;
    QComboBox* m_learner;
};

} // namespace window
