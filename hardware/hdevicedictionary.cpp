#include "hardware/hdevicedictionary.h"

#include <QFile>
#include <QTextStream>

#include <functional>

namespace {

// Calls accept on every line, without its line end, until it returns true. False when the file
// cannot be read or no line was accepted.
bool findLine(const QString &path, const std::function<bool(const QString &)> &accept)
{
    QFile file(path);
    // Text mode: the files end their lines with CR LF.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream stream(&file);
    QString line;
    while (stream.readLineInto(&line)) {
        if (accept(line))
            return true;
    }
    return false;
}

} // namespace

QString HDeviceDictionary::path(const QString &platform, const QString &fileName)
{
    return QStringLiteral(":/data/") + platform + QLatin1Char('/') + fileName;
}

bool HDeviceDictionary::containsLine(const QString &platform, const QString &fileName,
                                     const QString &text)
{
    return findLine(path(platform, fileName), [&](const QString &line) { return line == text; });
}

QStringList HDeviceDictionary::findRow(const QString &platform, const QString &fileName,
                                       const QString &key)
{
    QStringList row;
    findLine(path(platform, fileName), [&](const QString &line) {
        // The trailing empty lines must not answer for an empty key.
        if (line.isEmpty() || line.section(QLatin1Char('\t'), 0, 0) != key)
            return false;
        row = line.split(QLatin1Char('\t'));
        return true;
    });
    return row;
}
