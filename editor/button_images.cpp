#include "editor/button_images.h"

#include "editor/images/arrow-down-hot.xpm"
#include "editor/images/arrow-down.xpm"
#include "editor/images/arrow-up-hot.xpm"
#include "editor/images/arrow-up.xpm"
#include "platform/lazy_icon.h"

QIcon EncodeButtonIcon() {
    return PictureIcon(arrow_down);
}

QIcon EncodeButtonHotIcon() {
    return PictureIcon(arrow_down_hot);
}

QIcon ParseButtonIcon() {
    return PictureIcon(arrow_up);
}

QIcon ParseButtonHotIcon() {
    return PictureIcon(arrow_up_hot);
}
