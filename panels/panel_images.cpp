#include "panels/panel_images.h"

#include "platform/element_images.h"

// Resources of a static library are registered by hand, outside any namespace.
static void InitPanelImages() {
    Q_INIT_RESOURCE(panel_images);
}

namespace {

QIcon Picture(const char* name) {
    InitPanelImages();
    return QIcon(QStringLiteral(":/panels/images/%1.xpm").arg(QLatin1String(name)));
}

}  // namespace

QList<QIcon> AnalysisImages() {
    const QList<QIcon> strip = ElementImages();
    return {strip[1],
            Picture("analysis-documents"),
            Picture("analysis-connector"),
            strip[3],
            strip[6],
            Picture("analysis-padlock"),
            strip[4],
            strip[5]};
}

QIcon SortImage(int sortCommand) {
    switch (sortCommand) {
        case 32852:
            return Picture("sort-type");
        case 32853:
            return Picture("sort-source");
        default:
            return Picture("sort-alpha");
    }
}
