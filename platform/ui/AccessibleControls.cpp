#include "platform/ui/AccessibleControls.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

namespace platform {
namespace {

const char* const PressClicksMark = "platformPressLikeAClick";
const char* const NamedListMark = "platformListByAccessibleName";

class ClickingButton : public QAccessibleWidget {
public:
    explicit ClickingButton(QAbstractButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::Role role() const override {
        return button()->isCheckable() ? QAccessible::CheckBox : QAccessible::Button;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = button()->isCheckable();
        state.checked = button()->isChecked();
        state.pressed = button()->isDown();
        return state;
    }

    QStringList actionNames() const override {
        QStringList names;
        if (button()->isEnabled()) {
            names << pressAction();
            if (button()->isCheckable())
                names << toggleAction();
        }
        return names + QAccessibleWidget::actionNames();
    }

    // The click is queued, so that the tool has its answer before a handler
    // opens a modal box.
    void doAction(const QString& action) override {
        if (action == pressAction() || action == toggleAction()) {
            if (button()->isEnabled())
                button()->animateClick();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

class NamedList : public QAccessibleWidget {
public:
    explicit NamedList(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text which) const override {
        const QString text = QAccessibleWidget::text(which);
        if (which == QAccessible::Value || (which == QAccessible::Name && text.isEmpty()))
            return list()->currentText();
        return text;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        return state;
    }

    // The drop-down's entries are its one child, as the toolkit has them.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == list()->view() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* MarkedControls(const QString&, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    if (object->property(PressClicksMark).toBool())
        if (auto* button = qobject_cast<QAbstractButton*>(object))
            return new ClickingButton(button);
    if (object->property(NamedListMark).toBool())
        if (auto* list = qobject_cast<QComboBox*>(object); list && !list->isEditable())
            return new NamedList(list);
    return nullptr;
}

// Marks the control and makes sure the accessible object it has from now on
// is the one the mark asks for, even if the toolkit made its own before.
template <typename Wanted> void Mark(QWidget& control, const char* mark) {
    static const bool installed = [] {
        QAccessible::installFactory(MarkedControls);
        return true;
    }();
    (void)installed;
    control.setProperty(mark, true);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&control);
    if (accessible && !dynamic_cast<Wanted*>(accessible))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(accessible));
}

} // namespace

void PressLikeAClick(QAbstractButton& button) {
    Mark<ClickingButton>(button, PressClicksMark);
}

void NameListByItsAccessibleName(QComboBox& list) {
    Mark<NamedList>(list, NamedListMark);
}

} // namespace platform
