#include "app/quarrin_app.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    quarrin::QuarrinApp quarrin;
    quarrin.start();
    return app.exec();
}
