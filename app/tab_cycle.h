// Tab and Shift+Tab in the main window: through the active document window's controls, then
// through the docked panels', and back. Left to Qt, a document window keeps Tab to itself and
// the panels are out of the keyboard's reach.
#ifndef QUORVEL_APP_TAB_CYCLE_H
#define QUORVEL_APP_TAB_CYCLE_H

#include <QList>

class QMdiArea;
class QWidget;

// Moves the focus as Tab (`forward`) or Shift+Tab does; false when the focus is none of
// `window`'s tab stops, to be left to Qt. `documentOrder` lists the active document window's
// controls in the order Tab takes them; those hidden or disabled are passed over.
bool MoveTabFocus(const QWidget* window, const QMdiArea* area, const QList<QWidget*>& documentOrder,
                  bool forward);

#endif
