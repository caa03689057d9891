#include "platform/lock_keys.h"

#include <QGuiApplication>

#ifdef BERTLV_HAVE_X11
#include <QtGui/qguiapplication_platform.h>
#include <X11/XKBlib.h>
#endif

LockKeyStates ReadLockKeyStates() {
    LockKeyStates states = {false, false, false, false};
#if defined(BERTLV_HAVE_X11) && QT_CONFIG(xcb)
    const auto* x11 = qGuiApp != nullptr
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr) {
        return states;
    }
    // The indicators by their standard names; a keymap without one leaves it off.
    const struct {
        const char* name;
        bool* on;
    } indicators[] = {{"Caps Lock", &states.capsLock},
                      {"Num Lock", &states.numLock},
                      {"Scroll Lock", &states.scrollLock}};
    for (const auto& indicator : indicators) {
        const Atom atom = XInternAtom(display, indicator.name, True);
        Bool on = False;
        if (atom != None &&
            XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr) == True) {
            *indicator.on = on == True;
        }
    }
    states.known = true;
#endif
    return states;
}
