// The panels' pictures: the Analysis panel's eight images and the three sort pictures.
#ifndef QUORVEL_PANELS_PANEL_IMAGES_H
#define QUORVEL_PANELS_PANEL_IMAGES_H

#include <QIcon>
#include <QList>

// 0 hierarchy, 1 two documents, 2 connector, 3 magenta cube, 4 key and cyan cube, 5 padlock
// and cyan cube, 6 key and magenta cube, 7 cyan cube.
QList<QIcon> AnalysisImages();
// Alphabetical, by type, by source.
QIcon SortImage(int sortCommand);

#endif
