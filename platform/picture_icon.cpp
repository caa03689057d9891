#include "platform/picture_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace {

class PictureIconEngine : public QIconEngine {
public:
    explicit PictureIconEngine(const char* const* xpm) : xpm_(xpm) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    bool isNull() override { return xpm_ == nullptr; }
    QIconEngine* clone() const override { return new PictureIconEngine(*this); }

private:
    const QIcon& Icon() {
        if (icon_.isNull()) {
            icon_ = QIcon(QPixmap(xpm_));
        }
        return icon_;
    }

    const char* const* xpm_;
    QIcon icon_;
};

}  // namespace

QIcon PictureIcon(const char* const* xpm) {
    return QIcon(new PictureIconEngine(xpm));
}
