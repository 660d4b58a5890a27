#pragma once

#include <QString>

#include <memory>

class PProtocol;

// Chooses a chassis's protocol by its platform text.
class PProtocolFactory
{
public:
    // A PVXBProtocol for a name beginning with "Veloxa", "NVA", "LZ" or "TQ"; null otherwise.
    static std::unique_ptr<PProtocol> create(const QString &name);
};
