#pragma once

#include <QString>

class HNode;

// Node operations that transforms and the protocol need but that only some node classes offer.
// A node offers one by declaring it Q_INVOKABLE with the signature given here; a node without it
// gets the neutral answer, so a half-built hardware tree never breaks a read.
class TNodeCalls
{
public:
    // "int meterNumber()": the number in a meter-status query; 0 when not offered.
    static int meterNumber(const HNode *node);
    // "int channelIndex(QString)": position of a channel name; -1 when not offered.
    static int channelIndex(const HNode *node, const QString &name);
    // "bool noneFlag()": a 0 value is sent as "N"; false when not offered.
    static bool noneFlag(const HNode *node);
    // "QString queryText()": the free-text query; empty when not offered.
    static QString queryText(const HNode *node);
    // "QString replyText()": the free-text reply last taken; empty when not offered.
    static QString replyText(const HNode *node);
    // "void setReplyText(QString)": hands a free-text reply to the node.
    static void setReplyText(HNode *node, const QString &text);
    // "bool pollVetoed()": the node must not be polled now; false when not offered.
    static bool pollVetoed(const HNode *node);
};
