// SPDX-License-Identifier: MIT
#include "printing/PaperDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <Sheets.h>
#include <array>

namespace window {
namespace {

constexpr const char* kTitle = "Лист за печат";
constexpr const char* kKindLabel = "&Лист:";
constexpr const char* kVariantLabel = "&Вариант:";
constexpr const char* kLearnerLabel = "&Ученик:";
constexpr std::array<const char*, 4> kKinds{"Работен лист", "Отговори", "Празна карта",
                                            "За повторение"};

} // namespace

PaperDialog::PaperDialog(const SheetChoice& choice, bool map, const QStringList& learners,
                         const QString& accept, QWidget* parent)
    : QDialog(parent), m_kind(new QComboBox(this)), m_variant(new QSpinBox(this)),
      m_learner(new QComboBox(this)) {
    setWindowTitle(QString::fromUtf8(kTitle));
    setObjectName(QStringLiteral("PaperDialog"));
    m_kind->setObjectName(QStringLiteral("Kind"));
    m_variant->setObjectName(QStringLiteral("Variant"));
    m_learner->setObjectName(QStringLiteral("Learner"));
    for (const char* kind : kKinds) {
        m_kind->addItem(QString::fromUtf8(kind));
    }
    auto* kinds = static_cast<QStandardItemModel*>(m_kind->model());
    kinds->item(static_cast<int>(SheetKind::BlankMap))->setEnabled(map);
    kinds->item(static_cast<int>(SheetKind::Review))->setEnabled(!learners.isEmpty());
    m_variant->setRange(paper::kFirstVariant, paper::kLastVariant);
    m_variant->setValue(choice.variant);
    m_learner->addItems(learners);
    m_learner->setCurrentIndex(std::max(0, static_cast<int>(learners.indexOf(choice.learner))));
    const bool offered = (choice.kind != SheetKind::BlankMap || map) &&
                         (choice.kind != SheetKind::Review || !learners.isEmpty());
    m_kind->setCurrentIndex(offered ? static_cast<int>(choice.kind) : 0);

    auto* form = new QFormLayout(this);
    form->addRow(QString::fromUtf8(kKindLabel), m_kind);
    form->addRow(QString::fromUtf8(kVariantLabel), m_variant);
    form->addRow(QString::fromUtf8(kLearnerLabel), m_learner);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(accept);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &PaperDialog::ShowKind);
    ShowKind();
}

void PaperDialog::ShowKind() {
    const auto kind = static_cast<SheetKind>(m_kind->currentIndex());
    m_variant->setEnabled(kind != SheetKind::BlankMap);
    m_learner->setEnabled(kind == SheetKind::Review);
}

SheetChoice PaperDialog::Choice() const {
    return {static_cast<SheetKind>(m_kind->currentIndex()), m_variant->value(),
            m_learner->currentText()};
}

} // namespace window
