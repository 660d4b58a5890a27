// veloxa-icons draws the program's images into a folder (normally resources/images), each as
// name.png and name@2x.png.
#include "iconpainter.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "usage: veloxa-icons OUTPUT_FOLDER\n";
        return 2;
    }
    const QDir out(args.at(1));
    const IconPainter painter;
    for (const IconPainter::Icon &icon : painter.icons()) {
        const QString path = out.filePath(icon.path);
        QDir().mkpath(QFileInfo(path).path());
        QString doubled = path;
        doubled.insert(doubled.size() - 4, QStringLiteral("@2x"));
        if (!IconPainter::render(icon, 1).save(path) ||
            !IconPainter::render(icon, 2).save(doubled)) {
            err << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
