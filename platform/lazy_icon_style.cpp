#include "platform/lazy_icon_style.h"

#include <QApplication>
#include <QPointer>
#include <QStyleOption>
#include <QWidget>

#include "platform/lazy_icon.h"

LazyIconStyle::LazyIconStyle(QStyle* base) : QProxyStyle(base) {}

QIcon LazyIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                  const QWidget* widget) const {
    // The option and the widget may be gone by the time the icon is made: what the icon
    // depends on is kept instead.
    const Qt::LayoutDirection direction = option != nullptr   ? option->direction
                                          : widget != nullptr ? widget->layoutDirection()
                                                              : QGuiApplication::layoutDirection();
    return LazyIcon([base = QPointer<QStyle>(baseStyle()), icon, direction,
                     owner = QPointer<const QWidget>(widget)] {
        QStyleOption made;
        made.direction = direction;
        // After a change of look the icon comes from the style in use.
        QStyle* style = base != nullptr ? base.data() : QApplication::style();
        return style->standardIcon(icon, &made, owner.data());
    });
}
