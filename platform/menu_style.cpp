#include "platform/menu_style.h"

#include <QStyleOptionMenuItem>
#include <QWidget>

MenuStyle::MenuStyle(QStyle* base) : QProxyStyle(base) {}

int MenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const {
    if (hint == SH_Menu_Scrollable) {
        return 1;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void MenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    // The bar has the focus only while the keyboard is on it; a title under the mouse is
    // selected too, and stays as the style draws it. The Windows look draws the keyboard's
    // title raised already.
    if (element == CE_MenuBarItem && item != nullptr && (item->state & State_Selected) &&
        widget != nullptr && widget->hasFocus() &&
        baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0) {
        QStyleOptionMenuItem open = *item;
        open.state |= State_Sunken;
        QProxyStyle::drawControl(element, &open, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
