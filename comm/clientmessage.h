#pragma once

#include <QByteArray>

// One message waiting in a TCP client's send queue.
struct ClientMessage
{
    int type = 0; // IInterface::MessageType
    QByteArray data;
    QByteArray expectedReply;
    uint timeoutMs = 0;
};
