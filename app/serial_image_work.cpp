// Keeps Qt's image work on the thread that asks for it.
//
// Qt's raster painter splits any fill of more than about a hundred spans over its global thread
// pool and waits for the pieces, unless the painting thread is one of the pool's own. Widgets
// mostly fill thin shapes with one span per pixel row, such as the outline of a scroll bar or the
// edge of a toolbar: the fill takes microseconds, the hand-over to threads that sleep on other
// processors far longer. The main window's first drawing handed about a hundred pieces to the
// pool, started two threads for them, and took about 4 ms longer than without them.
//
// Qt 6 asks QThreadPool::contains only to decide whether to split image work (fills,
// conversions, smooth scaling), and this program keeps no thread pool of its own. Defined here,
// in the executable, this answer takes the place of Qt's for every library that asks: each
// thread counts as a pool thread, so such work runs whole where it was asked for.
#include <QThreadPool>

bool QThreadPool::contains(const QThread*) const {
    return true;
}
