#include "panels/panel_images.h"

#include "panels/images/analysis-connector.xpm"
#include "panels/images/analysis-documents.xpm"
#include "panels/images/analysis-padlock.xpm"
#include "panels/images/sort-alpha.xpm"
#include "panels/images/sort-source.xpm"
#include "panels/images/sort-type.xpm"
#include "platform/element_images.h"
#include "platform/lazy_icon.h"

QList<QIcon> AnalysisImages() {
    const QList<QIcon> strip = ElementImages();
    return {strip[1],
            PictureIcon(analysis_documents),
            PictureIcon(analysis_connector),
            strip[3],
            strip[6],
            PictureIcon(analysis_padlock),
            strip[4],
            strip[5]};
}

QIcon SortImage(int sortCommand) {
    switch (sortCommand) {
        case 32852:
            return PictureIcon(sort_type);
        case 32853:
            return PictureIcon(sort_source);
        default:
            return PictureIcon(sort_alpha);
    }
}
