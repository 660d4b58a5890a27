// The skin reader, from memory onto an object that takes every property it is given.
#include "formats/xskinhandler.h"

#include <QBuffer>
#include <QObject>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    QObject target;
    XSkinHandler::loadSkin(&target, &buffer);
    return 0;
}
