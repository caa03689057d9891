// The start-up reference: the least a Qt Widgets program does to show a main window, an empty
// QMainWindow, built like the editor. It takes the editor's first size (most of the screen,
// centred), so that both fill the same area when they first draw.
#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QStyle>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal Qt Widgets window"));
    const QRect available = window.screen()->availableGeometry();
    window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                           available.size() * 80 / 100, available));
    window.show();
    return application.exec();
}
