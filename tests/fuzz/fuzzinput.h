#pragma once

#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>

// Puts an input where the readers that take a file name find it; false when it cannot.
inline bool writeFuzzInput(const QString &path, const uint8_t *data, size_t size)
{
    QFile file(path);
    const auto length = qint64(size);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char *>(data), length) == length;
}
