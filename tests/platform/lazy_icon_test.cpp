#include "platform/lazy_icon.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>
#include <memory>

#include "platform/lazy_icon_style.h"

namespace {

QImage ImageOf(const QIcon& icon) {
    return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(LazyIcon, IsMadeOnceWhenFirstMeasuredAndThenActsAsTheMadeIcon) {
    int made = 0;
    QPixmap red(16, 16);
    red.fill(Qt::red);
    const QIcon icon = LazyIcon([&] {
        ++made;
        return QIcon(red);
    });
    const QIcon copy = icon;
    EXPECT_EQ(made, 0);
    EXPECT_FALSE(copy.isNull());
    EXPECT_EQ(made, 1);
    EXPECT_EQ(icon.actualSize(QSize(32, 32)), QSize(16, 16));
    EXPECT_EQ(ImageOf(icon).pixel(8, 8), QColor(Qt::red).rgba());
    EXPECT_EQ(made, 1);
    EXPECT_TRUE(LazyIcon([] { return QIcon(); }).isNull());
}

TEST(LazyIcon, PictureIconIsNullOnlyWithoutPicture) {
    static const char* const kDot[] = {"1 1 1 1", ". c #0000FF", "."};
    EXPECT_FALSE(PictureIcon(kDot).isNull());
    EXPECT_EQ(ImageOf(PictureIcon(kDot)).pixel(0, 0), QColor(Qt::blue).rgba());
    EXPECT_TRUE(PictureIcon(nullptr).isNull());
}

TEST(LazyIconStyle, StandardIconsLookAsTheBaseStylesAndOutliveTheStyle) {
    std::unique_ptr<QStyle> base(QStyleFactory::create(QStringLiteral("Fusion")));
    ASSERT_NE(base, nullptr);
    QIcon lazy;
    {
        LazyIconStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
        for (const QStyle::StandardPixmap icon :
             {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_DockWidgetCloseButton,
              QStyle::SP_TitleBarNormalButton}) {
            SCOPED_TRACE(icon);
            EXPECT_EQ(ImageOf(style.standardIcon(icon, nullptr, nullptr)),
                      ImageOf(base->standardIcon(icon, nullptr, nullptr)));
        }
        lazy = style.standardIcon(QStyle::SP_ToolBarVerticalExtensionButton, nullptr, nullptr);
    }
    // Made after its style is gone, the icon comes from the application's style.
    EXPECT_FALSE(ImageOf(lazy).isNull());
}

// Counts the icons it is asked to make.
class CountingStyle : public QProxyStyle {
public:
    explicit CountingStyle(int* made) : QProxyStyle(QStringLiteral("Fusion")), made_(made) {}
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        ++*made_;
        return QProxyStyle::standardIcon(icon, option, widget);
    }

private:
    int* made_;
};

TEST(LazyIconStyle, MakesEachStandardIconOncePerLayoutDirection) {
    int made = 0;
    LazyIconStyle style(new CountingStyle(&made));
    QWidget leftToRight;
    QWidget rightToLeft;
    rightToLeft.setLayoutDirection(Qt::RightToLeft);
    const QSize closeSize =
        style.baseStyle()->standardIcon(QStyle::SP_TitleBarCloseButton).actualSize(QSize(16, 16));
    made = 0;
    // A dock widget's title bar asks for its buttons' icons and measures them at every layout.
    for (int layout = 0; layout < 5; ++layout) {
        EXPECT_EQ(style.standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, &leftToRight)
                      .actualSize(QSize(16, 16)),
                  closeSize);
        style.standardIcon(QStyle::SP_TitleBarNormalButton, nullptr, &leftToRight).isNull();
        style.standardIcon(QStyle::SP_TitleBarNormalButton, nullptr, &rightToLeft).isNull();
    }
    EXPECT_EQ(made, 3);
    QStyleOption option;
    option.direction = Qt::RightToLeft;
    const QIcon arrow = style.standardIcon(QStyle::SP_ArrowForward, &option, nullptr);
    const QIcon ltrArrow = style.standardIcon(QStyle::SP_ArrowForward, nullptr, &leftToRight);
    EXPECT_EQ(ImageOf(arrow), ImageOf(style.baseStyle()->standardIcon(QStyle::SP_ArrowBack)));
    EXPECT_EQ(ImageOf(ltrArrow), ImageOf(style.baseStyle()->standardIcon(QStyle::SP_ArrowForward)));
    EXPECT_NE(ImageOf(arrow), ImageOf(ltrArrow));
}

}  // namespace
