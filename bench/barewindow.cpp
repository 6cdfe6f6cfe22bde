// The yardstick for the pad's first window: the least a Qt Widgets program
// does to put one window with one label on the screen.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Jotwell Pro"));
    label.show();
    return app.exec();
}
