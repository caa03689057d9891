#include "platform/lazy_icon_style.h"

#include <QApplication>
#include <QPointer>
#include <QStyleOption>
#include <QWidget>

#include "platform/lazy_icon.h"

LazyIconStyle::LazyIconStyle(QStyle* base) : QProxyStyle(base) {}

QIcon LazyIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                  const QWidget* widget) const {
    // What a standard icon depends on is the layout direction; the option and the widget may
    // be gone by the time the icon is made, and one icon serves every widget that asks.
    const Qt::LayoutDirection direction = option != nullptr   ? option->direction
                                          : widget != nullptr ? widget->layoutDirection()
                                                              : QGuiApplication::layoutDirection();
    const QPair<StandardPixmap, Qt::LayoutDirection> key(icon, direction);
    const auto known = icons_.constFind(key);
    if (known != icons_.constEnd()) {
        return *known;
    }
    const QIcon made = LazyIcon([base = QPointer<QStyle>(baseStyle()), icon, direction] {
        QStyleOption styleOption;
        styleOption.direction = direction;
        // After a change of look the icon comes from the style in use.
        QStyle* style = base != nullptr ? base.data() : QApplication::style();
        return style->standardIcon(icon, &styleOption, nullptr);
    });
    icons_.insert(key, made);
    return made;
}
