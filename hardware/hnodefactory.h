#pragma once

#include <QString>

class HNode;

// Makes the node for a designer class name (the short name, prefixes removed). Names are
// case-sensitive. Null for an empty name and for the classes the tree does not represent
// (controllers, loudspeakers, serial and logic ports); any name it does not know is a block.
class HNodeFactory
{
public:
    // cardType is the designer node's card type, used by I/O channels. The caller owns the node.
    static HNode *create(const QString &className, const QString &cardType);
};
