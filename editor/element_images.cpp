#include "editor/element_images.h"

#include <QPixmap>

namespace {

QIcon ButtonIcon(const char* normal, const char* hot) {
    QIcon icon(QString::fromLatin1(normal));
    icon.addPixmap(QPixmap(QString::fromLatin1(hot)), QIcon::Active);
    return icon;
}

}  // namespace

QList<QIcon> ElementImages() {
    Q_INIT_RESOURCE(editor_images);
    QList<QIcon> images;
    for (int i = 0; i < 7; ++i) {
        images << QIcon(QStringLiteral(":/editor/images/element-%1.xpm").arg(i));
    }
    return images;
}

QIcon EncodeButtonIcon() {
    Q_INIT_RESOURCE(editor_images);
    return ButtonIcon(":/editor/images/arrow-down.xpm", ":/editor/images/arrow-down-hot.xpm");
}

QIcon ParseButtonIcon() {
    Q_INIT_RESOURCE(editor_images);
    return ButtonIcon(":/editor/images/arrow-up.xpm", ":/editor/images/arrow-up-hot.xpm");
}
