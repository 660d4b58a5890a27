#pragma once

#include "controls/wwidget.h"

#include <QList>
#include <QPointer>
#include <QStringList>

// A one-line selector that opens a pop-up list and sends the chosen entry.
//
// Entries come from the panel file ("msg" texts, "index" values, or a "file" of the archive,
// one entry a line as "text" or "text<TAB>value") or from the linked node ("item",
// "sourceList", "group", "node"). An entry without a stored value stands for its position
// counted from 1, as the device numbers list entries.
class WDropList : public WWidget
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)

public:
    explicit WDropList(QQuickItem *parent = nullptr);
    ~WDropList() override;

    void destroy() override;
    // Points the transform's query at entry "index1ForQuery" of the list when it is set.
    void configure(const CAttributes *range) override;
    bool save(XmlWriter &writer) override;
    bool processProperty(const QString &name, const QString &value) override;
    void updateFromDevice() override;
    void setTitle(const QString &text) override;
    // Takes the entries from the node when the panel file said so.
    void setNode(HNode *node) override;

    QString title() const { return m_title; }
    int currentIndex() const { return m_currentIndex; }
    QStringList entryTexts() const { return m_entryTexts; }
    // A panel list of parameter sets: choosing the shown preset recalls it once more.
    bool isParameterSetList() const;

Q_SIGNALS:
    void titleChanged(const QString &title);

public Q_SLOTS:
    void outputCurrentIndex(int index);
    // The document's freshly made pop-up list; the widget owns it until it closes.
    void popupList(QObject *pObject);
    // The pop-up's choice; -1 (a click outside) keeps the selection.
    void listSelect(int index);

private:
    enum class Source { Panel, Item, SourceList, Group, Node };

    void select(int index);
    void setEntries(const QStringList &texts, const QList<int> &values);
    void loadNodeEntries();
    void loadFile(const QString &name);
    void closePopup();
    int valueAt(int index) const;
    int indexOfValue(int value) const;

    int m_currentIndex = -1;
    QList<int> m_entryValues; // device value of each entry, in list order
    int m_entryCount = 0;
    QStringList m_entryTexts;
    QPointer<QObject> m_popup; // the open pop-up list
    int m_queryIndex = 0;
    QString m_title;

    Source m_source = Source::Panel;
    QString m_nodeList;   // the "node" value: which list of the node
    QString m_sourceList; // the "sourceList" value, kept for saving
    bool m_textsFromPanel = false;
    bool m_autoReset = false;
    bool m_refusing = false; // warned about a device value that is no number
};
