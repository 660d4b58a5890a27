#pragma once

#include "formats/xmlhandler.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDomDocument>
#include <QHash>
#include <QStringList>

#include <memory>
#include <optional>

class HChassis;
class HNode;
class HRoot;
class MProject;

// Reads the designer project (".vxj") into the hardware tree: devices, card channels, blocks,
// groups, parameter sets, panel lists and room-combining groups, then what each group, set and
// list drives. In merge mode a read node that matches one of the tree gives way to it.
class XVXJHandler : public XmlHandler
{
    Q_DECLARE_TR_FUNCTIONS(XVXJHandler)

public:
    // Files saved by older designers lack what the import relies on.
    static constexpr double MinimumVersion = 4.2;
    // Far above real projects (the demonstration has 25); merging matches each against a chassis.
    static constexpr int MaxNodes = 20000;

    XVXJHandler(HRoot *root, MProject *projectInfo, bool mergeMode);
    ~XVXJHandler() override;

    // False when the file cannot be opened, is refused as hostile, is not well-formed or is too
    // old; `error` then says why in plain words. projectInfo may be null.
    static bool load(HRoot *root, const QString &fileName, bool mergeMode, MProject *projectInfo,
                     QString *error = nullptr);

    // The whole file, for the amplifier lookup that needs a DOM of it.
    void setRawText(const QByteArray &text) { m_rawText = text; }

    bool startElement(const QString &namespaceURI, const QString &localName, const QString &qName,
                      const QXmlAttributes &attributes) override;
    bool endElement(const QString &namespaceURI, const QString &localName,
                    const QString &qName) override;
    bool characters(const QString &text) override;
    QString errorString() const override;

private:
    enum Mode { ModeNone, ModeNode, ModeProjectInfo, ModePanelList };

    bool checkVersion(const QXmlAttributes &attributes);
    void openSection(Mode mode, const QString &element);
    void beginNode(const QXmlAttributes &attributes);
    void beginDefinition(const QString &element, const QXmlAttributes &attributes);
    void beginOwner(const QString &element, const QXmlAttributes &attributes);
    void dispatch(const QString &element, const QXmlAttributes &attributes);
    void closeSection();
    void attach(HNode *node);
    void attachChassis(HChassis *chassis);
    // Titles of the TQ amplifiers in which the blocks that group groupId drives sit.
    QStringList findGroupAmplifiers(const QString &groupId);
    const QDomDocument &rawDocument();

    bool m_inSection = false;
    Mode m_mode = ModeNone;
    QString m_currentElement;
    // Sections close at the depth they opened: a "Node" inside a logic view must not end one.
    int m_sectionDepth = 0;
    HRoot *m_root;
    MProject *m_projectInfo;
    std::unique_ptr<HNode> m_currentNode; // until attached or refused
    HNode *m_currentOwner = nullptr;
    HChassis *m_activeChassis = nullptr;
    HChassis *m_mainChassis = nullptr;
    bool m_skipLogic = false;
    bool m_mergeMode;
    bool m_tqAmpFound = false;
    QByteArray m_rawText;
    std::optional<QDomDocument> m_rawDocument;    // made on the first amplifier lookup
    QHash<QString, QDomElement> m_nodesById;      // Node elements by their "nodeID" property
    QHash<QString, QDomElement> m_assignedGroups; // Group elements of the Assignment, by id
    QString m_refusal;                            // why the handler stopped the parse
};
