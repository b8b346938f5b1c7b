// The yardstick of the idle benchmark: the smallest Qt 6 Widgets program that
// shows a window of the main window's size, and does nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare Qt window"));
    window.resize(480, 350);
    window.show();
    return QApplication::exec();
}
