#pragma once

#include <memory>

class CAttributes;
class HNode;
class TTransform;

// Chooses the value transform of a control from its attributes.
class TTransformFactory
{
public:
    // Null unless the control is bound to a node and names a parameter (a transform, a
    // structure, a value set or a format).
    static std::unique_ptr<TTransform> create(const CAttributes &attributes, HNode *node);
};
