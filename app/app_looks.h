// The five application looks: each a Qt style, a palette and a way of drawing document tabs.
#ifndef QUORVEL_APP_APP_LOOKS_H
#define QUORVEL_APP_APP_LOOKS_H

#include <QString>

class QMainWindow;
class QMdiArea;

struct AppLook {
    int id;  // 32833 to 32837
    const char* menuText;
    const char* style;  // Qt style key
};

extern const AppLook kAppLooks[5];
const int kDefaultAppLook = 32837;

bool IsAppLook(int id);
// Applies a look to the whole application and to the document tabs of `area`.
void ApplyAppLook(int id, QMainWindow* frame, QMdiArea* area);

#endif
