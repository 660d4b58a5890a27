#include "app/mainwindow.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    auto application = std::make_unique<QApplication>(argc, argv);
    auto window = std::make_unique<MainWindow>();
    window->setApplication(application.get());
    window->show();
    const int result = application->exec();
    window.reset();
    application.reset();
    return result;
}
