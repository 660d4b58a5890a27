#include "comm/ttransformfactory.h"

#include "canvas/cattributes.h"
#include "comm/tbin8.h"
#include "comm/tchrl.h"
#include "comm/tgrpv.h"
#include "comm/thexl.h"
#include "comm/tpassthrough.h"
#include "comm/tstrl.h"
#include "comm/tstrv.h"
#include "comm/ttext.h"

namespace {

template<typename T>
std::unique_ptr<TTransform> make(const CAttributes &attributes, HNode *node)
{
    return std::make_unique<T>(attributes, node);
}

using Maker = std::unique_ptr<TTransform> (*)(const CAttributes &, HNode *);

struct Entry
{
    const char *name;
    Maker maker;
};

constexpr Entry entries[] = {
    {"bin8", make<TBin8>}, {"idx8", make<TBin8>}, {"chrL", make<TChrL>},
    {"hexL", make<THexL>}, {"strL", make<TStrL>}, {"strV", make<TStrV>},
    {"grpV", make<TGrpV>}, {"text", make<TText>}, {"passThrough", make<TPassThrough>},
};

} // namespace

std::unique_ptr<TTransform> TTransformFactory::create(const QString &name,
                                                      const CAttributes &attributes, HNode *node)
{
    for (const Entry &entry : entries) {
        if (name == QLatin1String(entry.name))
            return entry.maker(attributes, node);
    }
    return nullptr;
}

std::unique_ptr<TTransform> TTransformFactory::create(const CAttributes &attributes, HNode *node)
{
    if (!node)
        return nullptr;
    std::unique_ptr<TTransform> transform = create(attributes.transform(), attributes, node);
    if (transform)
        transform->initialise();
    return transform;
}
