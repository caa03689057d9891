#include "platform/hot_image_button.h"

HotImageButton::HotImageButton(const QString& text, const QIcon& image, const QIcon& hotImage,
                               QWidget* parent)
    : QPushButton(image, text, parent), image_(image), hotImage_(hotImage) {
    setCursor(Qt::PointingHandCursor);
}

void HotImageButton::enterEvent(QEnterEvent* event) {
    setIcon(hotImage_);
    QPushButton::enterEvent(event);
}

void HotImageButton::leaveEvent(QEvent* event) {
    setIcon(image_);
    QPushButton::leaveEvent(event);
}
