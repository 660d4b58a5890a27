#include "hardware/hnodefactory.h"

#include "hardware/haudioio.h"
#include "hardware/hblock.h"
#include "hardware/hchassis.h"
#include "hardware/hdante.h"
#include "hardware/hgroup.h"
#include "hardware/hnvalink.h"
#include "hardware/hparameterset.h"
#include "hardware/hparametersetlist.h"
#include "hardware/hrcgroup.h"
#include "hardware/hrcroom.h"

#include <QSet>

HNode *HNodeFactory::create(const QString &className, const QString &cardType)
{
    static const QSet<QString> devices = {"NVA",    "QuartzNva", "Bramble",
                                          "Lx2390", "Lx23Bkd",   "Lx550d"};
    static const QSet<QString> inputs = {"Input", "PstnRx", "VoipRx", "UsbRx"};
    static const QSet<QString> outputs = {"Output", "PstnTx", "VoipTx", "UsbTx"};
    static const QSet<QString> links = {"NVALinkTx", "CordaLink"};
    static const QSet<QString> notRepresented = {"Tessel", "Serialin", "Serialout",
                                                 "GPO",    "GPI",      "DeviceNode"};

    if (className.isEmpty() || notRepresented.contains(className))
        return nullptr;
    if (devices.contains(className))
        return new HChassis;
    if (inputs.contains(className))
        return new HAudioIO(cardType, HAudioIO::Input);
    if (outputs.contains(className))
        return new HAudioIO(cardType, HAudioIO::Output);
    if (links.contains(className))
        return new HNVALink;
    if (className == QLatin1String("DanteRx"))
        return new HDante(cardType, HAudioIO::Input);
    if (className == QLatin1String("DanteTx"))
        return new HDante(cardType, HAudioIO::Output);
    if (className == QLatin1String("Group"))
        return new HGroup;
    if (className == QLatin1String("RCGroup"))
        return new HRCGroup;
    if (className == QLatin1String("RCRoom"))
        return new HRCRoom;
    if (className == QLatin1String("ParameterSet"))
        return new HParameterSet;
    if (className == QLatin1String("PanelList"))
        return new HParameterSetList;
    return new HBlock;
}
