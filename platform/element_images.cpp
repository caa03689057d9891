#include "platform/element_images.h"

#include <QCoreApplication>

#include "platform/images/element-0.xpm"
#include "platform/images/element-1.xpm"
#include "platform/images/element-2.xpm"
#include "platform/images/element-3.xpm"
#include "platform/images/element-4.xpm"
#include "platform/images/element-5.xpm"
#include "platform/images/element-6.xpm"
#include "platform/lazy_icon.h"

namespace {

// Decoded once per application: every grid and tree of every window shares them.
QList<QIcon>* images = nullptr;

void ReleaseImages() {
    delete images;
    images = nullptr;
}

}  // namespace

QList<QIcon> ElementImages() {
    if (images == nullptr) {
        images = new QList<QIcon>;
        for (const char* const* picture :
             {element_0, element_1, element_2, element_3, element_4, element_5, element_6}) {
            *images << PictureIcon(picture);
        }
        // Pictures go with the application, before the windowing system they belong to.
        qAddPostRoutine(ReleaseImages);
    }
    return *images;
}
