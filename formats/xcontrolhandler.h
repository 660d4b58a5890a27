#pragma once

#include "formats/xmlhandler.h"

class CCanvas;
class CComposite;
class CControl;
class HNode;
class HRoot;
class MProject;

// Reads a panel file into the scene tree, the canvas, the project record and the connection
// attributes of the hardware tree.
class XControlHandler : public XmlHandler
{
public:
    // Far above real projects (the demonstration has 53 controls on 5 panels); each control costs
    // a view document.
    static constexpr int MaxControls = 10000;
    static constexpr int MaxPanels = 2000;

    // Any of the targets may be null; what belongs to a missing one is skipped.
    XControlHandler(CComposite *sceneRoot, HRoot *hardwareRoot, MProject *project, CCanvas *canvas);
    ~XControlHandler() override;

    // When not empty, only the Control elements of that name are read.
    void setNameFilter(const QString &name);
    // Reading a module template: every control is linked to `node` before its widget data
    // arrives, so that widgets fill "*LABEL*" with the node's label; names are filled here.
    void setTemplateNode(HNode *node);

    bool startElement(const QString &namespaceURI, const QString &localName, const QString &qName,
                      const QXmlAttributes &attributes) override;
    bool endElement(const QString &namespaceURI, const QString &localName,
                    const QString &qName) override;
    bool characters(const QString &text) override;

private:
    void startControl(const QXmlAttributes &attributes);
    void startScene(const QXmlAttributes &attributes);
    void startPanel(const QXmlAttributes &attributes);
    void startConnection(const QXmlAttributes &attributes);
    void enterSection(const QString &section);
    void leaveSection();
    void dispatch(const QString &value);
    void dispatchAttribute(const QString &value);
    void dispatchField(const QString &value);
    void bindActiveControl(const QString &connection);
    void notifyEnded(const QString &name);
    void addressTemplateGroup();

    QString m_section;
    bool m_inSection = false;
    QString m_propertyName;
    CComposite *m_sceneRoot;
    CComposite *m_currentScene;
    CComposite *m_currentPanel;
    bool m_classifyPanel = false; // the open panel gave no type
    CControl *m_activeControl = nullptr;
    HNode *m_activeConnectionNode = nullptr;
    HRoot *m_hardwareRoot;
    QString m_block;
    int m_nodeID;
    QString m_nodeCategory;
    MProject *m_project;
    CCanvas *m_canvas;
    QString m_nameFilter;
    HNode *m_templateNode = nullptr;
};
