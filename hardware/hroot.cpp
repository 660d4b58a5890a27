#include "hardware/hroot.h"

#include "hardware/hblock.h"
#include "hardware/hchassis.h"

#include <memory>

namespace {
const QString ChassisCategory = QStringLiteral("Chassis");
const QString Separator = QStringLiteral("|||");

// addNode leaves a node it refuses with its caller, who then lets it go.
template<typename Node>
Node *adopt(HNode *parent, std::unique_ptr<Node> node)
{
    if (!parent->addNode(node.get()))
        return nullptr;
    return node.release();
}
} // namespace

HRoot::HRoot() = default;

QString HRoot::category() const
{
    return QStringLiteral("Root");
}

HNode *HRoot::findChassis(const QString &connectionName) const
{
    const QStringList parts = connectionName.split(Separator);
    if (parts.size() == 2 && parts.first() == ChassisCategory) {
        // A part that is not a number reads as 0, and 0 is "no number": it names no chassis
        // (matching it would pick whichever chassis came without one).
        const int number = parts.at(1).toInt();
        if (number >= 1) {
            if (HNode *chassis = findByCategoryAndId(ChassisCategory, number))
                return chassis;
        }
        // Without the designer project, the chassis of a numbered Connection element has no
        // number; it carries the connection name as its label.
    }
    return findByCategoryAndAttribute(ChassisCategory, QStringLiteral("label"), connectionName);
}

HNode *HRoot::resolveLink(const QString &connectionName, const QString &block, int nodeID,
                          const QString &nodeCategory)
{
    HNode *chassis = findChassis(connectionName);
    if (!chassis)
        return nullptr;

    HNode *node = nullptr;
    if (nodeID >= 1 && !nodeCategory.isEmpty())
        node = chassis->findByCategoryAndId(nodeCategory, nodeID);
    if (!node)
        node = chassis->findByAttribute(QStringLiteral("label"), block);
    if (!node) {
        auto placeholder = std::make_unique<HBlock>();
        placeholder->setLabel(block);
        node = adopt(chassis, std::move(placeholder));
        if (!node)
            return nullptr;
    }

    // A selector group (type 3) takes the panel's block text as its label.
    if (node->title() == QLatin1String("Group") && node->typenum() == QLatin1String("3"))
        node->setLabel(block);
    node->setReferenced(true);
    node->completeSetup();
    return node;
}

HNode *HRoot::resolveConnection(const QString &name)
{
    if (HNode *chassis = findChassis(name))
        return chassis;
    auto chassis = std::make_unique<HChassis>();
    chassis->setLabel(name);
    return adopt(this, std::move(chassis));
}
