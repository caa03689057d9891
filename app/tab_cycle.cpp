#include "app/tab_cycle.h"

#include <QApplication>
#include <QMdiArea>
#include <QWidget>

namespace {

// A panel behind another's tab counts as visible, moved out of the window's bounds.
bool TakesTab(const QWidget* widget, const QWidget* window) {
    return widget->window() == window && widget->isVisible() && widget->isEnabled() &&
           (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
           widget->focusProxy() == nullptr && !widget->visibleRegion().isEmpty();
}

// The document window's stops, then the panels', these in the window's focus chain order.
QList<QWidget*> TabStops(const QWidget* window, const QMdiArea* area,
                         const QList<QWidget*>& documentOrder) {
    QList<QWidget*> stops;
    for (QWidget* widget : documentOrder) {
        if (TakesTab(widget, window)) {
            stops.append(widget);
        }
    }
    for (QWidget* widget = window->nextInFocusChain(); widget != window;
         widget = widget->nextInFocusChain()) {
        if (TakesTab(widget, window) && !area->isAncestorOf(widget)) {
            stops.append(widget);
        }
    }
    return stops;
}

QWidget* NextTabStop(const QWidget* window, const QMdiArea* area,
                     const QList<QWidget*>& documentOrder, const QWidget* focus, bool forward) {
    const QList<QWidget*> stops = TabStops(window, area, documentOrder);
    const qsizetype at = stops.indexOf(focus);
    if (at < 0) {
        return nullptr;
    }
    const qsizetype count = stops.size();
    return stops[(at + (forward ? 1 : count - 1)) % count];
}

}  // namespace

bool MoveTabFocus(const QWidget* window, const QMdiArea* area, const QList<QWidget*>& documentOrder,
                  bool forward) {
    QWidget* next = NextTabStop(window, area, documentOrder, QApplication::focusWidget(), forward);
    if (next == nullptr) {
        return false;
    }
    next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}
