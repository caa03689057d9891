// Where the view's windows go for a given client rectangle: the data element grid above a
// 130-unit strip holding the Encode and Parse buttons, the display mode list and the pane.
#ifndef QUORVEL_EDITOR_VIEW_LAYOUT_H
#define QUORVEL_EDITOR_VIEW_LAYOUT_H

struct ViewRect {
    int x;
    int y;
    int width;
    int height;
};

struct ViewLayout {
    ViewRect grid;
    ViewRect encode;
    ViewRect parse;
    ViewRect modeList;
    // Shared by the pane and the three byte tables; one of them is visible.
    ViewRect pane;
};

// Client rectangle from (left, top) to (right, bottom), exclusive.
ViewLayout ComputeViewLayout(int left, int top, int right, int bottom);

// The height of the strip below the grid.
int ViewStripHeight();

#endif
