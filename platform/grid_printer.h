// Prints a grid: its header and every row, sub-rows indented under their parent, over as many
// pages as it takes.
#ifndef QUORVEL_PLATFORM_GRID_PRINTER_H
#define QUORVEL_PLATFORM_GRID_PRINTER_H

class GridCtrl;
class QPagedPaintDevice;

void PrintGrid(const GridCtrl* grid, QPagedPaintDevice* device);

#endif
