#include "comm/ttransformfactory.h"

#include "canvas/cattributes.h"
#include "comm/ttransform.h"

std::unique_ptr<TTransform> TTransformFactory::create(const CAttributes &attributes, HNode *node)
{
    if (!node)
        return nullptr;
    const bool namesParameter = !attributes.transform().isEmpty() || attributes.structure() != 0 ||
                                !attributes.set().isEmpty() || !attributes.format().isEmpty();
    if (!namesParameter)
        return nullptr;
    return std::make_unique<TTransform>(attributes, node);
}
