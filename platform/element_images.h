// The seven-image strip shared by the data element grid and the dictionary tree: 0 empty,
// 1 constructed element, 2 open folder, 3 primitive element, 4 key by a primitive, 5 padding,
// 6 key by a padding.
#ifndef QUORVEL_PLATFORM_ELEMENT_IMAGES_H
#define QUORVEL_PLATFORM_ELEMENT_IMAGES_H

#include <QIcon>
#include <QList>

QList<QIcon> ElementImages();

#endif
