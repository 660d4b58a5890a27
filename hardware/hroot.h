#pragma once

#include "hardware/hcomposite.h"

// The top of a hardware tree. Resolves the panel file's connection names and control links to
// nodes of the tree.
class HRoot : public HComposite
{
    Q_OBJECT

public:
    HRoot();

    QString category() const override;

    // The chassis that a connection name names: "Chassis|||<number>" by number, anything else
    // (or a numbered name that no chassis carries) by label. Null when none does.
    HNode *findChassis(const QString &connectionName) const;

    // The node a control's link names inside the chassis of connectionName: by category and
    // number when nodeID is at least 1 and nodeCategory is given, else (or failing that) by
    // label; failing both, a new placeholder block labelled block under that chassis. The node
    // is marked referenced and completes its set-up. Null when no chassis answers: the control
    // stays unlinked.
    HNode *resolveLink(const QString &connectionName, const QString &block, int nodeID,
                       const QString &nodeCategory);

    // The chassis of a panel-file Connection element; a new one labelled name when none answers.
    HNode *resolveConnection(const QString &name);
};
