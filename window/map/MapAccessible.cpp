// SPDX-License-Identifier: MIT
#include "map/MapAccessible.h"

#include "map/MapView.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <Regions.h>
#include <vector>

namespace window {
namespace {

// One province: it lives as long as the map's interface, which Qt keeps while the view lives.
class ProvinceAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ProvinceAccessible(MapView* view, int province) : m_view(view), m_province(province) {}

    [[nodiscard]] int Province() const { return m_province; }
    [[nodiscard]] const MapView* View() const { return m_view; }

    [[nodiscard]] bool isValid() const override { return !m_view.isNull(); }
    [[nodiscard]] QObject* object() const override { return nullptr; }
    [[nodiscard]] QWindow* window() const override {
        return m_view.isNull() ? nullptr : m_view->window()->windowHandle();
    }
    [[nodiscard]] QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override {
        return nullptr;
    }
    [[nodiscard]] QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_view.data());
    }
    [[nodiscard]] QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* /*child*/) const override {
        return -1;
    }
    [[nodiscard]] QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name || m_view.isNull()) {
            return {};
        }
        return QString::fromStdString(map::RegionText(m_view->Provinces(), m_province));
    }
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}
    [[nodiscard]] QRect rect() const override {
        if (m_view.isNull()) {
            return {};
        }
        const QRect box = m_view->ProvinceBox(m_province);
        return {m_view->mapToGlobal(box.topLeft()), box.size()};
    }
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::ListItem; }
    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state;
        if (m_view.isNull()) {
            state.invalid = true;
            return state;
        }
        state.focusable = true;
        state.selectable = true;
        state.focused = m_view->hasFocus() && m_view->Current() == m_province;
        state.selected = m_view->FillOf(m_province).isValid();
        state.invisible = !m_view->isVisible();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    [[nodiscard]] QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && !m_view.isNull()) {
            m_view->Choose(m_province);
        }
    }
    [[nodiscard]] QStringList keyBindingsForAction(const QString& /*action*/) const override {
        return {};
    }

private:
    QPointer<MapView> m_view;
    int m_province;
};

// The view: a list of the provinces, made as they are first asked for.
class MapAccessible final : public QAccessibleWidget {
public:
    explicit MapAccessible(MapView* view)
        : QAccessibleWidget(view, QAccessible::List),
          m_children(static_cast<std::size_t>(view->Provinces().Count())) {}
    ~MapAccessible() override {
        for (const QAccessible::Id id : m_children) {
            if (id != 0) {
                QAccessible::deleteAccessibleInterface(id);
            }
        }
    }
    MapAccessible(const MapAccessible&) = delete;
    MapAccessible& operator=(const MapAccessible&) = delete;
    MapAccessible(MapAccessible&&) = delete;
    MapAccessible& operator=(MapAccessible&&) = delete;

    [[nodiscard]] int childCount() const override { return static_cast<int>(m_children.size()); }
    [[nodiscard]] QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        QAccessible::Id& id = m_children[static_cast<std::size_t>(index)];
        if (id == 0) {
            id = QAccessible::registerAccessibleInterface(new ProvinceAccessible(View(), index));
        }
        return QAccessible::accessibleInterface(id);
    }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* province = dynamic_cast<const ProvinceAccessible*>(child);
        return province != nullptr && province->View() == View() ? province->Province() : -1;
    }
    [[nodiscard]] QAccessibleInterface* focusChild() const override {
        return View()->hasFocus() && View()->Current() >= 0 ? child(View()->Current()) : nullptr;
    }
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override {
        const int province = View()->ProvinceAt(View()->mapFromGlobal(QPoint(x, y)));
        return province >= 0 ? child(province) : nullptr;
    }

private:
    [[nodiscard]] MapView* View() const { return static_cast<MapView*>(widget()); }

    mutable std::vector<QAccessible::Id> m_children;
};

QAccessibleInterface* MapFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(MapView::staticMetaObject.className()) && object != nullptr &&
        object->isWidgetType()) {
        return new MapAccessible(static_cast<MapView*>(object));
    }
    return nullptr;
}

} // namespace

void InstallMapAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&MapFactory);
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace window
