#include "hardware/hcomposite.h"

#include "util/logcategories.h"

#include <QXmlStreamWriter>

#include <algorithm>
#include <utility>

HComposite::HComposite() = default;

HComposite::~HComposite()
{
    const QList<HNode *> children = std::exchange(m_children, {});
    for (HNode *node : children) {
        node->m_parent = nullptr; // nothing to detach from: the list is already empty
        delete node;
    }
}

bool HComposite::writeXml(QXmlStreamWriter &writer)
{
    // A child that has nothing to write (say, an unused chassis) is no failure; the writer's
    // own error state is.
    for (HNode *node : std::as_const(m_children))
        node->writeXml(writer);
    return !writer.hasError();
}

template<typename Find>
HNode *HComposite::firstChildHit(Find find) const
{
    for (const HNode *node : m_children) {
        if (HNode *hit = find(node))
            return hit;
    }
    return nullptr;
}

HNode *HComposite::findByCategory(const QString &category) const
{
    if (HNode *self = HNode::findByCategory(category))
        return self;
    return firstChildHit([&](const HNode *node) { return node->findByCategory(category); });
}

HNode *HComposite::findById(int nodeNumber) const
{
    return firstChildHit([&](const HNode *node) { return node->findById(nodeNumber); });
}

HNode *HComposite::findByCategoryAndId(const QString &category, int nodeNumber) const
{
    if (HNode *self = HNode::findByCategoryAndId(category, nodeNumber))
        return self;
    return firstChildHit(
        [&](const HNode *node) { return node->findByCategoryAndId(category, nodeNumber); });
}

HNode *HComposite::findByAttribute(const QString &name, const QString &value) const
{
    return firstChildHit([&](const HNode *node) { return node->findByAttribute(name, value); });
}

HNode *HComposite::findByCategoryAndAttribute(const QString &category, const QString &name,
                                              const QString &value) const
{
    if (HNode *self = HNode::findByCategoryAndAttribute(category, name, value))
        return self;
    return firstChildHit(
        [&](const HNode *node) { return node->findByCategoryAndAttribute(category, name, value); });
}

bool HComposite::removeChild(HNode *node)
{
    if (!m_children.removeOne(node))
        return false;
    if (node->m_parent == this)
        node->m_parent = nullptr;
    return true;
}

// The passes below walk a copy of the list: a child that deletes itself takes itself out of
// m_children (see ~HNode), which is how it is dropped.
bool HComposite::pruneUnused()
{
    const QList<HNode *> children = m_children;
    for (HNode *node : children)
        node->pruneUnused();
    return m_children.isEmpty();
}

bool HComposite::removeWhereReferenced(bool state)
{
    const QList<HNode *> children = m_children;
    for (HNode *node : children)
        node->removeWhereReferenced(state);
    if (!parentNode())
        return false;
    return HNode::removeWhereReferenced(state);
}

bool HComposite::isReferenced() const
{
    if (HNode::isReferenced())
        return true;
    return std::any_of(m_children.cbegin(), m_children.cend(),
                       [](const HNode *node) { return node->isReferenced(); });
}

void HComposite::clearConfirmed(bool isTop)
{
    HNode::clearConfirmed(isTop);
    for (HNode *node : std::as_const(m_children))
        node->clearConfirmed(false);
}

void HComposite::clearChildReferenced()
{
    HNode::clearChildReferenced();
    for (HNode *node : std::as_const(m_children))
        node->clearChildReferenced();
}

bool HComposite::deleteUnlessKeep()
{
    const QList<HNode *> children = m_children;
    for (HNode *node : children)
        node->deleteUnlessKeep();
    return false;
}

template<typename Collect>
bool HComposite::collect(const QString &category, QList<HNode *> &list, Collect collectInChild)
{
    list.clear();
    if (this->category() == category)
        list.append(this);
    // Each child gets a list of its own: a composite child empties the list it is given.
    for (HNode *node : std::as_const(m_children)) {
        QList<HNode *> found;
        collectInChild(node, found);
        list += found;
    }
    return !list.isEmpty();
}

bool HComposite::collectByCategory(const QString &category, QList<HNode *> &list)
{
    return collect(category, list, [&](HNode *node, QList<HNode *> &found) {
        node->collectByCategory(category, found);
    });
}

bool HComposite::collectMatching(const QString &category, QList<HNode *> &list)
{
    return collect(category, list, [&](HNode *node, QList<HNode *> &found) {
        node->collectMatching(category, found);
    });
}

void HComposite::sortByOrder(QList<HNode *> &list) const
{
    std::stable_sort(list.begin(), list.end(), [](const HNode *a, const HNode *b) {
        return a->sortOrder() < b->sortOrder();
    });
}

bool HComposite::addNode(HNode *node)
{
    if (!node)
        return false;
    if (label() == QLatin1String("2350 Inputs"))
        qCDebug(lcHardware) << "Found 2350 Inputs Group";

    static const QStringList kpa7Models = {QStringLiteral("TQY2315E"), QStringLiteral("TQY3515E"),
                                           QStringLiteral("TQY5915E")};
    const QStringList types = deviceTypes();
    if (std::any_of(kpa7Models.cbegin(), kpa7Models.cend(),
                    [&](const QString &model) { return types.contains(model); })) {
        qCDebug(lcHardware).noquote()
            << "KPA-7 device found in group " + title() + ". Skipping add to tree.";
        return false;
    }

    if (m_children.contains(node))
        return true;
    for (const HNode *above = this; above; above = above->parentNode()) {
        if (above == node) {
            qCWarning(lcHardware) << "HComposite::addNode - a node cannot be its own descendant";
            return false;
        }
    }
    if (HNode *previous = node->parentNode())
        previous->removeChild(node);

    node->setParentNode(this);
    // A chassis owns its protocol; what the tree above it holds (the root holds none) is not
    // pushed into it.
    if (!node->hasMarks(FlagChassis))
        node->setProtocol(protocol());
    m_children.append(node);
    return true;
}

HNode *HComposite::child(int index) const
{
    return m_children.value(index, nullptr);
}

int HComposite::childCount() const
{
    return m_children.size();
}

void HComposite::setProtocol(PProtocol *protocol)
{
    HNode::setProtocol(protocol);
    for (HNode *node : std::as_const(m_children)) {
        if (!node->hasMarks(FlagChassis))
            node->setProtocol(protocol);
    }
}

QString HComposite::category() const
{
    return QStringLiteral("Composite");
}
