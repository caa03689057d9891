// The pictures of the Encode and Parse buttons.
#ifndef QUORVEL_EDITOR_BUTTON_IMAGES_H
#define QUORVEL_EDITOR_BUTTON_IMAGES_H

#include <QIcon>

// Green arrows, down for Encode and up for Parse; the hot pictures are brighter.
QIcon EncodeButtonIcon();
QIcon EncodeButtonHotIcon();
QIcon ParseButtonIcon();
QIcon ParseButtonHotIcon();

#endif
