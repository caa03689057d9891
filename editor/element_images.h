// The editor's small pictures, kept as resources.
#ifndef QUORVEL_EDITOR_ELEMENT_IMAGES_H
#define QUORVEL_EDITOR_ELEMENT_IMAGES_H

#include <QIcon>
#include <QList>

// The seven-image strip of the data element grid: 0 empty, 1 constructed element, 2 open
// folder, 3 primitive element, 4 key by a primitive, 5 padding, 6 key by a padding.
QList<QIcon> ElementImages();
// Green arrows, down for Encode and up for Parse; the hot pictures are brighter.
QIcon EncodeButtonIcon();
QIcon EncodeButtonHotIcon();
QIcon ParseButtonIcon();
QIcon ParseButtonHotIcon();

#endif
