// The toolkit's floor: a plain Qt 6 window of the calculator's size with a
// menu bar and nothing in it, started as the calculator starts.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle("plain Qt window");
    window.menuBar()->addMenu("File");
    auto* client = new QWidget(&window);
    client->setFixedSize(255, 185);
    window.setCentralWidget(client);
    window.show();
    return QApplication::exec();
}
