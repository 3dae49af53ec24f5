#include "screens/accessibility.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>

#include "screens/instructions_screen.h"
#include "screens/main_menu.h"
#include "screens/pricing_screen.h"
#include "screens/result_label.h"
#include "screens/scroll_events.h"
#include "screens/unit_captions.h"

namespace volantra {
namespace {

// A bar whose top holds the larger percentage reports that percentage; any other bar
// reports its position, as Qt's own interface does.
class PercentBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit PercentBarAccessible(QScrollBar* bar)
        : QAccessibleWidget(bar, QAccessible::ScrollBar), bar_(bar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return QString::number(Shown(bar_->value()));
        }
        return QAccessibleWidget::text(kind);
    }

    QVariant currentValue() const override { return Shown(bar_->value()); }
    void setCurrentValue(const QVariant& value) override { bar_->setValue(Shown(value.toInt())); }
    QVariant maximumValue() const override { return bar_->maximum(); }
    QVariant minimumValue() const override { return bar_->minimum(); }
    QVariant minimumStepSize() const override { return bar_->singleStep(); }

private:
    // The mirror is its own inverse: position to percentage and back.
    int Shown(int value) const { return Mirrors() ? Mirrored(*bar_, value) : value; }
    bool Mirrors() const {
        return bar_->findChild<ScrollEvents*>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
    }

    QScrollBar* bar_;
};

// The plain frames drawn around groups of controls, and the menu's background picture.
bool IsDecoration(const QWidget* widget) {
    if (widget->metaObject() == &QFrame::staticMetaObject) {
        return true;
    }
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label != nullptr && label->text().isEmpty() && !label->pixmap().isNull();
}

// A screen is read as a window of its controls and captions, without the decoration a
// screen reader would only announce as an unnamed "frame" or image, and without the unit
// captions, which its boxes' descriptions end with.
class ScreenAccessible : public QAccessibleWidget {
public:
    explicit ScreenAccessible(QWidget* screen) : QAccessibleWidget(screen, QAccessible::Window) {}

    int childCount() const override { return static_cast<int>(Children().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = Children();
        if (index < 0 || index >= children.size()) {
            return nullptr;
        }
        return QAccessible::queryAccessibleInterface(children.at(index));
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) {
            return -1;
        }
        return static_cast<int>(Children().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    QList<QWidget*> Children() const {
        QList<QWidget*> children;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child != nullptr && !child->isWindow() && !IsDecoration(child) &&
                !IsUnitCaption(child) && qobject_cast<QMenu*>(child) == nullptr) {
                children << child;
            }
        }
        return children;
    }
};

// A result box is read with its name and its full text, whatever size it is drawn at.
class ResultLabelAccessible : public QAccessibleWidget {
public:
    explicit ResultLabelAccessible(ResultLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText), label_(label) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) {
            return label_->SpokenText();
        }
        return QAccessibleWidget::text(kind);
    }

private:
    ResultLabel* label_;
};

QAccessibleInterface* VolantraAccessible(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    if (className == QLatin1String(PricingScreen::staticMetaObject.className()) ||
        className == QLatin1String(MainMenu::staticMetaObject.className()) ||
        className == QLatin1String(InstructionsScreen::staticMetaObject.className())) {
        return new ScreenAccessible(widget);
    }
    if (className == QLatin1String(ResultLabel::staticMetaObject.className())) {
        return new ResultLabelAccessible(static_cast<ResultLabel*>(widget));
    }
    if (className == QLatin1String("QScrollBar")) {
        return new PercentBarAccessible(static_cast<QScrollBar*>(widget));
    }
    return nullptr;
}

}  // namespace

void InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&VolantraAccessible);
        return true;
    }();
    (void)installed;
}

}  // namespace volantra
