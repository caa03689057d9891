// The widget that menu and toolbar commands act on.
#ifndef QUORVEL_PLATFORM_COMMAND_FOCUS_H
#define QUORVEL_PLATFORM_COMMAND_FOCUS_H

class QWidget;

// Starts following the focus; commands ask CommandFocusWidget() from then on. Idempotent.
void TrackCommandFocus();

// The focus widget, except while a menu bar or a menu holds the keyboard (Alt pressed, a menu
// opened from the keyboard): then the widget that had the focus before, which the command is
// meant for.
QWidget* CommandFocusWidget();

#endif
