// The peers of the game's start-up measurement: the least Qt Widgets program
// that shows a window of the game's size, blank or (with --text) with one
// line of text, which brings in the font set-up that any window with text pays.
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Minimal");
    window.resize(979, 679);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        (new QLabel("TAMSEL HOTEL", &window))->move(8, 8);
    window.show();
    return app.exec();
}
