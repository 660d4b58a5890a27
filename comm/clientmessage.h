#pragma once

#include <QByteArray>

// One message waiting in a TCP client's send queue.
struct ClientMessage
{
    int type = 0; // IInterface::MessageType
    QByteArray data;
    QByteArray expectedReply;
    uint timeoutMs = 0;
    // The parameter a set command writes: a newer command for it replaces this one while both
    // wait. Empty for commands that never replace one another.
    QByteArray target;
};
