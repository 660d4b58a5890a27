#pragma once

#include "hardware/hnode.h"

#include <QList>

// A node with an ordered list of children that it owns. Operations that concern the whole tree
// are passed on to the children.
class HComposite : public HNode
{
    Q_OBJECT

public:
    HComposite();
    // Deletes the children first, while this node is still whole.
    ~HComposite() override;

    const QList<HNode *> &childNodes() const { return m_children; }

    bool writeXml(QXmlStreamWriter &writer) override;

    HNode *findByCategory(const QString &category) const override;
    HNode *findById(int nodeNumber) const override;
    HNode *findByCategoryAndId(const QString &category, int nodeNumber) const override;
    HNode *findByAttribute(const QString &name, const QString &value) const override;
    HNode *findByCategoryAndAttribute(const QString &category, const QString &name,
                                      const QString &value) const override;

    bool removeChild(HNode *node) override;
    // Children that are unreferenced placeholders delete themselves; an emptied sub-composite
    // stays (it reports itself empty, it does not delete itself). True when no child is left.
    bool pruneUnused() override;
    // The children first, then the rule for this node itself, except at the top of a tree:
    // whoever holds the root keeps it.
    bool removeWhereReferenced(bool state) override;
    // Its own mark, or any child's.
    bool isReferenced() const override;
    void clearConfirmed(bool isTop) override;
    // This node when it matches, then every match below it, in tree order.
    bool collectByCategory(const QString &category, QList<HNode *> &list) override;
    void sortByOrder(QList<HNode *> &list) const override;
    bool collectMatching(const QString &category, QList<HNode *> &list) override;
    void clearChildReferenced() override;
    // Passed to every child; the composite itself stays. Returns false.
    bool deleteUnlessKeep() override;
    bool addNode(HNode *node) override;
    HNode *child(int index) const override;
    int childCount() const override;
    // Stored and passed down; a chassis below keeps its own protocol.
    void setProtocol(PProtocol *protocol) override;
    QString category() const override;

private:
    template<typename Find>
    HNode *firstChildHit(Find find) const;
    template<typename Collect>
    bool collect(const QString &category, QList<HNode *> &list, Collect collectInChild);

    QList<HNode *> m_children;
};
