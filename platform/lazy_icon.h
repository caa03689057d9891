// Icons made when first drawn or measured. A window makes many icons before it shows, most of
// which are not drawn then, or ever: decoding each, let alone reading it through the image
// readers, would hold the window back.
#ifndef QUORVEL_PLATFORM_LAZY_ICON_H
#define QUORVEL_PLATFORM_LAZY_ICON_H

#include <QIcon>
#include <functional>

// An icon that calls `make` once, when it is first needed, and then behaves as its result.
QIcon LazyIcon(std::function<QIcon()> make);

// An icon of one of the program's own pictures, compiled in as XPM data; `xpm` must outlive the
// icon (the pictures are static data).
QIcon PictureIcon(const char* const* xpm);

#endif
