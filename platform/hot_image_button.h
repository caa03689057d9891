// A push button whose picture brightens while the mouse is over it, and which Enter presses
// when it has the focus, as Space does.
#ifndef QUORVEL_PLATFORM_HOT_IMAGE_BUTTON_H
#define QUORVEL_PLATFORM_HOT_IMAGE_BUTTON_H

#include <QIcon>
#include <QPushButton>

class HotImageButton : public QPushButton {
    Q_OBJECT

public:
    HotImageButton(const QString& text, const QIcon& image, const QIcon& hotImage, QWidget* parent);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QIcon image_;
    QIcon hotImage_;
};

#endif
