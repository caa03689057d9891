// Status-bar prompts of popup menus that no menu bar opened (context menus).
#ifndef QUORVEL_PLATFORM_MENU_STATUS_TIPS_H
#define QUORVEL_PLATFORM_MENU_STATUS_TIPS_H

class QMenu;
class QWidget;

// A popup menu is a window of its own, so its items' prompts never reach the main window's
// status bar. This hands the prompt of each item under the mouse, in `menu` or any of its
// submenus, to `receiver`, whose parents pass it on, and clears it when the menu closes.
void ForwardMenuStatusTips(QMenu* menu, QWidget* receiver);

#endif
