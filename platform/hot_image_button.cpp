#include "platform/hot_image_button.h"

#include <QKeyEvent>

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

void HotImageButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // A key held down presses it once.
    if (!event->isAutoRepeat()) {
        click();
    }
    event->accept();
}
