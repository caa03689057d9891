// Image work that Qt would split over its thread pool runs whole on the thread that asks for it.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <memory>

namespace {

qsizetype ThreadCount() {
    return QDir(QStringLiteral("/proc/self/task"))
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
        .size();
}

QImage Canvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// Each piece of work is large enough for Qt to split it: a fill of more than a hundred spans, a
// conversion of more than a hundred thousand pixels. Each tells whether its result shows.
bool PaintTallScrollBar() {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QScrollBar bar(Qt::Vertical);
    bar.setStyle(fusion.get());
    bar.resize(16, 1500);
    QImage image = Canvas(16, 1500);
    bar.render(&image);
    // The groove's outline runs down the bar's left edge.
    return image.pixelColor(0, 750) != QColor(Qt::white);
}

bool ConvertLargeImage() {
    QImage image = Canvas(600, 600);
    image.setPixelColor(599, 599, Qt::red);
    return image.convertToFormat(QImage::Format_RGB888).pixelColor(599, 599) == QColor(Qt::red);
}

struct ImageWork {
    const char* name;
    bool (*run)();
};

class SerialImageWorkTest : public ::testing::TestWithParam<ImageWork> {};

TEST_P(SerialImageWorkTest, RunsWithoutStartingAThread) {
    const qsizetype threadsBefore = ThreadCount();
    EXPECT_TRUE(GetParam().run());
    EXPECT_EQ(ThreadCount(), threadsBefore);
}

INSTANTIATE_TEST_SUITE_P(Painting, SerialImageWorkTest,
                         ::testing::Values(ImageWork{"TallScrollBar", PaintTallScrollBar},
                                           ImageWork{"Conversion", ConvertLargeImage}),
                         [](const ::testing::TestParamInfo<ImageWork>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
