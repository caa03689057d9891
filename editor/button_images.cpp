#include "editor/button_images.h"

// Resources of a static library are registered by hand, outside any namespace.
static void InitEditorImages() {
    Q_INIT_RESOURCE(editor_images);
}

namespace {

QIcon Picture(const char* name) {
    InitEditorImages();
    return QIcon(QStringLiteral(":/editor/images/%1.xpm").arg(QLatin1String(name)));
}

}  // namespace

QIcon EncodeButtonIcon() {
    return Picture("arrow-down");
}

QIcon EncodeButtonHotIcon() {
    return Picture("arrow-down-hot");
}

QIcon ParseButtonIcon() {
    return Picture("arrow-up");
}

QIcon ParseButtonHotIcon() {
    return Picture("arrow-up-hot");
}
