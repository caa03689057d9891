// A style whose standard icons are made when first drawn or measured. Qt reads some of them
// from image files, and the first such read loads every image format plugin there is, while
// most of these icons (a toolbar's extension arrow, a line edit's clear button) are seldom
// drawn at all.
#ifndef QUORVEL_PLATFORM_LAZY_ICON_STYLE_H
#define QUORVEL_PLATFORM_LAZY_ICON_STYLE_H

#include <QHash>
#include <QIcon>
#include <QPair>
#include <QProxyStyle>

class LazyIconStyle : public QProxyStyle {
    Q_OBJECT

public:
    // Takes ownership of `base`.
    explicit LazyIconStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override;

private:
    // Widgets ask again for the same icons whenever they lay out (a dock widget's title bar
    // asks for its two buttons' icons to measure them), and each answer would be made anew.
    mutable QHash<QPair<StandardPixmap, Qt::LayoutDirection>, QIcon> icons_;
};

#endif
