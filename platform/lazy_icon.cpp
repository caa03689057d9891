#include "platform/lazy_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <optional>
#include <utility>

namespace {

class LazyIconEngine : public QIconEngine {
public:
    // `null` answers isNull() without making the icon, where that is known beforehand.
    LazyIconEngine(std::function<QIcon()> make, std::optional<bool> null)
        : make_(std::move(make)), null_(null) {}

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
    void addPixmap(const QPixmap& pixmap, QIcon::Mode mode, QIcon::State state) override {
        Icon().addPixmap(pixmap, mode, state);
    }
    void addFile(const QString& fileName, const QSize& size, QIcon::Mode mode,
                 QIcon::State state) override {
        Icon().addFile(fileName, size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    QString iconName() override { return Icon().name(); }
    bool isNull() override { return null_.has_value() ? *null_ : Icon().isNull(); }
    QIconEngine* clone() const override { return new LazyIconEngine(*this); }

private:
    QIcon& Icon() {
        if (make_) {
            icon_ = make_();
            make_ = nullptr;
        }
        return icon_;
    }

    std::function<QIcon()> make_;
    std::optional<bool> null_;
    QIcon icon_;
};

}  // namespace

QIcon LazyIcon(std::function<QIcon()> make) {
    return QIcon(new LazyIconEngine(std::move(make), std::nullopt));
}

QIcon PictureIcon(const char* const* xpm) {
    // Widgets ask whether an icon is null long before they draw it.
    return QIcon(new LazyIconEngine([xpm] { return QIcon(QPixmap(xpm)); }, xpm == nullptr));
}
