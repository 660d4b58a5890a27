#include "comm/pprotocolfactory.h"

#include "comm/pfileprotocol.h"
#include "comm/pvxbprotocol.h"

std::unique_ptr<PProtocol> PProtocolFactory::create(const QString &name)
{
    static const char *const deviceFamilies[] = {"Veloxa", "NVA", "LZ", "TQ"};
    for (const char *family : deviceFamilies) {
        if (name.startsWith(QLatin1String(family)))
            return std::make_unique<PVXBProtocol>();
    }
    if (name == QLatin1String("File"))
        return std::make_unique<PFileProtocol>();
    return nullptr;
}
