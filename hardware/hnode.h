#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

class HChassis;
class HRCGroupInfo;
class PProtocol;
class QXmlAttributes;
class QXmlStreamWriter;

// One node of the hardware tree: a device, an I/O channel, a processing block, a group, a
// parameter set or a room-combining group that a control can be linked to.
//
// Ownership: a composite owns its children and deletes them; nodes are not QObject children of
// one another, so there is exactly one owner and one deletion order (children first, while the
// parent is still whole). A node that is deleted, by its parent or by itself (pruneUnused,
// removeWhereReferenced, deleteUnlessKeep), takes itself out of its parent's list first, so no
// list ever holds a dangling pointer. Nodes must therefore live on the heap.
//
// The owning node is reached through parentNode()/setParentNode(): an overload named setParent
// would hide QObject::setParent and give one name two meanings (QObject ownership and tree
// position), which is how double deletions are made.
class HNode : public QObject
{
    Q_OBJECT

public:
    enum NodeFlag {
        FlagChassis = 1,          // a chassis; it carries a connection name
        FlagPlaceholder = 2,      // made from the panel file, not yet confirmed by the designer
        FlagReferenced = 4,       // used by a control
        FlagKeep = 8,             // never deleted by removeWhereReferenced or deleteUnlessKeep
        FlagMain = 16,            // the main processor
        FlagChildReferenced = 32, // some child became referenced
        FlagConfirmed = 64,       // matched by the designer-project import
    };
    Q_DECLARE_FLAGS(NodeFlags, NodeFlag)
    Q_FLAG(NodeFlags)

    HNode();
    ~HNode() override;

    // --- Fields, in declaration order ---------------------------------------------------
    HNode *parentNode() const { return m_parent; }
    PProtocol *protocol() const { return m_protocol; }

    QString label() const { return m_label; }
    void setLabel(const QString &label) { m_label = label; }
    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    QString scriptFile() const { return m_scriptFile; }
    void setScriptFile(const QString &scriptFile) { m_scriptFile = scriptFile; }
    int controlCount() const { return m_controlCount; }
    void setControlCount(int count) { m_controlCount = count; }
    int actionCount() const { return m_actionCount; }
    void setActionCount(int count) { m_actionCount = count; }
    int orderNumber() const { return m_orderNumber; }
    void setOrderNumber(int number) { m_orderNumber = number; }
    int nodeNumber() const { return m_nodeNumber; }
    void setNodeNumber(int number) { m_nodeNumber = number; }
    QString typenum() const { return m_typenum; }
    void setTypenum(const QString &typenum) { m_typenum = typenum; }
    QString id() const { return m_id; }
    void setId(const QString &id) { m_id = id; }
    NodeFlags marks() const { return m_marks; }
    int sortOrder() const { return m_sortOrder; }
    void setSortOrder(int order) { m_sortOrder = order; }
    int roomNumber() const { return m_roomNumber; }
    void setRoomNumber(int number) { m_roomNumber = number; }
    int rcGroupNumber() const { return m_rcGroupNumber; }
    void setRcGroupNumber(int number) { m_rcGroupNumber = number; }
    int channelCount() const { return m_channelCount; }
    void setChannelCount(int count) { m_channelCount = count; }
    int teleconInputs() const { return m_teleconInputs; }
    void setTeleconInputs(int count) { m_teleconInputs = count; }
    int micInputs() const { return m_micInputs; }
    void setMicInputs(int count) { m_micInputs = count; }
    QString levelMax() const { return m_levelMax; }
    QString levelMin() const { return m_levelMin; }
    void setLevelRange(const QString &max, const QString &min);
    // "max" and "min" texts of level-like designer properties, by property name.
    const QMap<QString, QString> &rangeMax() const { return m_rangeMax; }
    const QMap<QString, QString> &rangeMin() const { return m_rangeMin; }
    void setRange(const QString &property, const QString &max, const QString &min);
    QStringList inputLabels() const { return m_inputLabels; }
    void setInputLabels(const QStringList &labels) { m_inputLabels = labels; }
    QStringList outputNames() const { return m_outputNames; }
    void setOutputNames(const QStringList &names) { m_outputNames = names; }
    // outputNames[index]; "noPortLabel" when the index is out of range.
    QString outputLabel(int index) const;
    // Titles of the amplifiers that a group's assignments reach.
    QStringList deviceTypes() const { return m_deviceTypes; }
    void setDeviceTypes(const QStringList &types) { m_deviceTypes = types; }
    int portIndex() const { return m_portIndex; }
    void setPortIndex(int index) { m_portIndex = index; }
    int pinIndex() const { return m_pinIndex; }
    void setPinIndex(int index) { m_pinIndex = index; }
    bool hasChannelCount() const { return m_hasChannelCount; }
    void setHasChannelCount(bool on) { m_hasChannelCount = on; }
    bool hasLevelRange() const { return m_hasLevelRange; }

    // --- Identity and addressing --------------------------------------------------------
    // "category", "id", "label", "title" or "typenum" (case-sensitive); anything else is "".
    QString attribute(const QString &name) const;
    // The connection name of the node's chassis: "Chassis|||<nodeNumber>", or the chassis label
    // when it has no number; "???" with no chassis above.
    QString linkName() const;
    // The label of the nearest chassis at or above the node; "???" when there is none.
    QString chassisLabel() const;
    HNode *rootNode() const;
    // The node itself or its nearest ancestor whose marks hold every bit of mask; null if none.
    HNode *ancestorWithMarks(NodeFlags mask) const;

    void setMarks(NodeFlags bits) { m_marks |= bits; }
    void clearMarks(NodeFlags bits) { m_marks &= ~bits; }
    bool hasMarks(NodeFlags mask) const { return (m_marks & mask) == mask; }

    // --- Virtual operations, in the order subclasses fill them --------------------------
    // One designer Property element (attributes name, value, max, min, step).
    virtual void parseProperty(const QXmlAttributes &attributes);
    // One designer Assign element of the node's assignment section.
    virtual void addAssignment(const QXmlAttributes &attributes, bool mergeMode);
    // One attribute of the panel file's Connection element, and the notice that it was stored.
    virtual void setConnectionAttribute(const QString &name, const QString &value);
    virtual void connectionAttributeEnded(const QString &name);
    // Runs once the node has been read or linked; false refuses the node. The base takes the
    // parent's protocol.
    virtual bool completeSetup();
    virtual bool writeXml(QXmlStreamWriter &writer);
    // Called on an existing node that a freshly read node matched; the existing node keeps its
    // own data.
    virtual void mergeFrom(HNode *node);

    // A leaf answers for itself. A composite answers with the first hit among its children, in
    // order; in the searches by category it tests itself first (so a chassis or a
    // room-combining group is found by its own category).
    virtual HNode *findByCategory(const QString &category) const;
    virtual HNode *findById(int nodeNumber) const;
    virtual HNode *findByCategoryAndId(const QString &category, int nodeNumber) const;
    virtual HNode *findByAttribute(const QString &name, const QString &value) const;
    virtual HNode *findByCategoryAndAttribute(const QString &category, const QString &name,
                                              const QString &value) const;

    // Takes node out of the child list without deleting it; false if it was not there.
    virtual bool removeChild(HNode *node);
    // Deletes unreferenced placeholders; true when this node deleted itself (leaf) or is left
    // without children (composite).
    virtual bool pruneUnused();
    virtual void clearReferenced();
    // Deletes the nodes whose isReferenced() equals state, FlagKeep aside; true when this node
    // deleted itself.
    virtual bool removeWhereReferenced(bool state);
    // Only for a node with a parent: sets FlagReferenced and the parent's FlagChildReferenced,
    // or clears FlagReferenced.
    virtual void setReferenced(bool on);
    virtual bool isReferenced() const;
    // Clears FlagConfirmed unless isTop; a composite then clears it below itself.
    virtual void clearConfirmed(bool isTop);

    // Appends every node of the category; a composite first empties the list. True when the
    // list ends non-empty.
    virtual bool collectByCategory(const QString &category, QList<HNode *> &list);
    // Sorts list by sortOrder, ascending, equal keys keeping their order (composite form).
    virtual void sortByOrder(QList<HNode *> &list) const;
    // The contract of collectByCategory, with the node's own idea of matching (I/O channels
    // answer for a group of I/O categories).
    virtual bool collectMatching(const QString &category, QList<HNode *> &list);

    virtual void clearChildReferenced();
    // Deletes the node unless it has FlagKeep; true when it was deleted.
    virtual bool deleteUnlessKeep();
    virtual bool isOnline() const;
    // Attaches node as the last child; false when the node is not attached (then the caller
    // still owns it). A leaf attaches nothing.
    virtual bool addNode(HNode *node);
    virtual HNode *child(int index) const;
    virtual int childCount() const;
    // Called on a chassis after node was attached to it or merged into it.
    virtual void nodeAttached(HNode *node);
    virtual void setProtocol(PProtocol *protocol);
    // The chassis a freshly read node is attached to.
    virtual HChassis *selectAttachChassis(HChassis *mainChassis, HChassis *activeChassis) const;
    // ":/data/<platform>/<title without blanks>_<typenum>.xml".
    virtual QString templatePath() const;
    // Asked up the parent chain; the chassis answers. Empty with no chassis above.
    virtual QString platform() const;
    // The node of another tree (or subtree) that stands for this one: the node of the same
    // category with the same number, else with the same label.
    virtual HNode *findCounterpart(const HNode *otherTree) const;
    // The untranslated name that panel and project files store and that lookups match.
    virtual QString category() const;
    // The category as a person reads it.
    QString categoryText() const;
    virtual void setParentNode(HNode *parent);

    // --- Room combining: room blocks, rooms and groups fill these -------------------------
    // A room-combining block registers its room with its chassis's state.
    virtual void registerRooms(HRCGroupInfo *state);
    // A room asks its group to add it to the selected combo or take it out.
    virtual void clickRoom();
    // A room's current colour; "black" for nodes that are not rooms.
    virtual QString roomColor() const;
    // The names of the other rooms in a room's combo.
    virtual QStringList combinedRoomNames() const;
    // A group's combo slots: one colour per slot, and the slot chosen for the next room click.
    virtual QStringList comboColors() const;
    virtual QString comboColor(int index) const;
    virtual int selectedCombo() const;
    virtual void selectCombo(int index);

protected:
    // Drops every "." and blank from the title: "Param. Set" becomes "ParamSet".
    void removeTitlePunctuation();

signals:
    void queryResponseReady();
    void updateComboColorList();
    void updateRoomColor(const QString &colour, int roomID);
    void sendMessage(const QString &command, int roomID);
    void showErrorDialog(const QString &message, int roomID);

private:
    friend class HComposite;

    void parseBlockProperty(const QString &name, const QXmlAttributes &attributes);

    HNode *m_parent = nullptr;
    PProtocol *m_protocol = nullptr; // owned by the chassis
    QString m_label;
    QString m_title;
    QString m_scriptFile;
    int m_controlCount = 0;
    int m_actionCount = 0;
    int m_orderNumber = 0;
    int m_nodeNumber = 0;
    QString m_typenum;
    QString m_id;
    NodeFlags m_marks = FlagPlaceholder;
    int m_sortOrder = -1;
    int m_roomNumber = -1;
    int m_rcGroupNumber = -1;
    int m_channelCount = 0;
    int m_teleconInputs = 0;
    int m_micInputs = 0;
    QString m_levelMax;
    QString m_levelMin;
    QMap<QString, QString> m_rangeMax;
    QMap<QString, QString> m_rangeMin;
    QStringList m_inputLabels;
    QStringList m_outputNames;
    QStringList m_deviceTypes;
    int m_portIndex = -1;
    int m_pinIndex = -1;
    bool m_hasChannelCount = false;
    bool m_hasLevelRange = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(HNode::NodeFlags)
