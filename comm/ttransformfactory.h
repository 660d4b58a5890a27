#pragma once

#include <QString>

#include <memory>

class CAttributes;
class HNode;
class TTransform;

// Chooses a control's value transform by the attribute `transform`.
class TTransformFactory
{
public:
    // A new transform for a known name (exact, case-sensitive); null for any other name.
    static std::unique_ptr<TTransform> create(const QString &name, const CAttributes &attributes,
                                              HNode *node);
    // The transform a control bound to node needs, initialised from its attributes; null
    // without a node or for an unknown transform name.
    static std::unique_ptr<TTransform> create(const CAttributes &attributes, HNode *node);
};
