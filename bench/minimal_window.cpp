// The start-up reference: the least a Qt Widgets program does to show a main window, an empty
// QMainWindow, built like the editor.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal Qt Widgets window"));
    window.show();
    return application.exec();
}
