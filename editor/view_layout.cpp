#include "editor/view_layout.h"

namespace {

// Below this width the buttons and the list shrink in proportion.
const int kNarrowWidth = 360;
const int kStripHeight = 130;
const int kPaneHeight = 100;

}  // namespace

ViewLayout ComputeViewLayout(int left, int top, int right, int bottom) {
    const int width = right - left;
    const int height = bottom - top;
    ViewLayout layout;
    layout.grid = {left, top, width, height - kStripHeight};
    if (width >= kNarrowWidth) {
        layout.encode = {left, bottom - 129, 78, 28};
        layout.parse = {left + 81, bottom - 129, 78, 28};
        layout.modeList = {right - 199, bottom - 126, 198, 28};
    } else {
        const int buttonShare = width * 80 / kNarrowWidth;
        const int listShare = width * 200 / kNarrowWidth;
        layout.encode = {left, bottom - 129, buttonShare - 2, 28};
        layout.parse = {left + buttonShare + 1, bottom - 129, buttonShare - 2, 28};
        layout.modeList = {right - listShare + 1, bottom - 124, listShare - 2, 28};
    }
    layout.pane = {left, bottom - kPaneHeight, width, kPaneHeight};
    return layout;
}

int ViewStripHeight() {
    return kStripHeight;
}
