// The keyboard's Caps Lock, Num Lock and Scroll Lock states.
#ifndef QUORVEL_PLATFORM_LOCK_KEYS_H
#define QUORVEL_PLATFORM_LOCK_KEYS_H

struct LockKeyStates {
    bool known;  // false where the windowing system does not tell
    bool capsLock;
    bool numLock;
    bool scrollLock;
};

// Asks the windowing system (X11, through its keyboard extension); nothing is known elsewhere.
LockKeyStates ReadLockKeyStates();

#endif
