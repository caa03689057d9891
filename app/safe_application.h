// The editor's application object: an allocation that fails while an event is handled is
// reported and the program goes on, rather than ending with every unsaved document lost.
#ifndef QUORVEL_APP_SAFE_APPLICATION_H
#define QUORVEL_APP_SAFE_APPLICATION_H

#include <QApplication>
#include <functional>

class SafeApplication : public QApplication {
    Q_OBJECT

public:
    SafeApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs `deliver`; when it runs out of memory the user is told and the event counts as not
// handled.
bool DeliverReportingOutOfMemory(const std::function<bool()>& deliver);

#endif
