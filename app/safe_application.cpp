#include "app/safe_application.h"

#include <new>

#include "platform/prompts.h"

namespace {

const char kOutOfMemory[] =
    "There is not enough memory to complete the operation.\r\n\r\nSave your documents.";

}  // namespace

SafeApplication::SafeApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool SafeApplication::notify(QObject* receiver, QEvent* event) {
    return DeliverReportingOutOfMemory([&] { return QApplication::notify(receiver, event); });
}

bool DeliverReportingOutOfMemory(const std::function<bool()>& deliver) {
    static bool reporting = false;
    try {
        return deliver();
    } catch (const std::bad_alloc&) {
        if (!reporting) {
            reporting = true;
            try {
                AppPrompts()->ShowError(QApplication::activeWindow(),
                                        QString::fromLatin1(kOutOfMemory),
                                        QString::fromLatin1(kApplicationTitle));
            } catch (const std::bad_alloc&) {
                // Too little memory even for the message: the program still goes on.
            }
            reporting = false;
        }
        return false;
    }
}
