// Icons of the program's own pictures, compiled in as XPM data and decoded when first drawn or
// measured: a window makes many of them before it shows, and decoding each, let alone reading
// it through the image readers, would hold the window back.
#ifndef QUORVEL_PLATFORM_PICTURE_ICON_H
#define QUORVEL_PLATFORM_PICTURE_ICON_H

#include <QIcon>

// `xpm` must outlive the icon (the pictures are static data).
QIcon PictureIcon(const char* const* xpm);

#endif
