#include "platform/element_images.h"

// Resources of a static library are registered by hand, outside any namespace.
static void InitPlatformImages() {
    Q_INIT_RESOURCE(platform_images);
}

QList<QIcon> ElementImages() {
    InitPlatformImages();
    QList<QIcon> images;
    for (int i = 0; i < 7; ++i) {
        images << QIcon(QStringLiteral(":/platform/images/element-%1.xpm").arg(i));
    }
    return images;
}
