#pragma once

#include "canvas/ccontrol.h"

#include <QTimer>

#include <memory>
#include <vector>

class CCanvas;
class HNode;
class HRoot;
class QIODevice;
class XControlHandler;
class XmlGuard;

// The scene root, a scene or a panel: an ordered list of owned records with a current one.
class CComposite : public CControl
{
    Q_OBJECT

public:
    enum PanelType { Complete = 1, Template = 2, Custom = 3 };

    // A "Scene" holds "Panels", a "Panel" holds "Controls"; any other kind is a root of "Scenes".
    CComposite(const QString &kind, const QString &name, QObject *parent = nullptr);
    ~CComposite() override;

    void finish() override;
    bool poll() override;
    QRectF boundingRect() const override;
    void setActive(bool on) override;
    void rescale(double factor, double dimension, bool multiply) override;
    void centre(const QString &kind, double width) override;
    void linkPass(int pass) override;
    bool hasChildOfKind(const QString &kind) const override;
    void addChild(std::unique_ptr<CControl> child);
    // Hands the child over to the caller; null when it is not a child of this composite.
    std::unique_ptr<CControl> takeChild(const CControl *child);
    // Scales and moves the children, aspect kept, so that their bounds sit centred in target.
    void fitInto(const QRectF &target);
    void clear();
    CControl *findCurrent(const QString &kind) const override;
    bool selectByName(const QString &kind, const QString &name) override;
    bool jumpTo(const QString &link) override;
    int countBound() const override;
    void setModel(MModel *model) override;
    void moveBy(double dx) override;

    // Reads the panel file at `path` into this root. `filter`, when not empty, keeps only the
    // controls of that name. False when the file could not be opened, was refused as hostile or
    // was not well-formed; `error` then says why in plain words. A refused file adds nothing.
    bool load(const QString &path, HRoot *hardwareRoot, const QString &filter, MModel *model,
              QString *error = nullptr);
    // Why the device does not read as a panel file with at least one panel, without building
    // anything; empty when it does.
    static QString panelFileFault(QIODevice *device);
    // Reads the controls of a module template into this empty composite, each linked to node
    // and named with "*LABEL*" replaced by its label, and finishes them; as load otherwise.
    bool loadTemplate(const QString &path, HNode *node, MModel *model, QString *error = nullptr);

    CControl *child(int index) const;
    int childCount() const;
    int indexOf(const CControl *child) const;

    int currentIndex() const { return m_currentIndex; }
    void setCurrentIndex(int index);
    bool pollingEnabled() const { return m_pollingEnabled; }
    void setPollingEnabled(bool on);
    int panelType() const { return m_panelType; }
    // "complete", "template" or "custom"; any other text leaves the type as it is.
    void setPanelType(const QString &type);
    // Template when a control is a drop site, custom when it holds exactly one control.
    void classifyByContent();
    int pollCursor() const { return m_pollCursor; }

    // The canvas that the root's reader fills; records below the root answer with the root's.
    CCanvas *canvas() const;
    void setCanvas(CCanvas *canvas);
    // The "fileVersion" of the last panel file read into this root; empty when it gave none.
    QString fileVersion() const { return m_fileVersion; }
    void setFileVersion(const QString &version);

private slots:
    void onGetStateTimerTimeout();

private:
    static XmlGuard panelFileGuard();
    bool read(const QString &path, const QString &document, XControlHandler &handler, MModel *model,
              QString *error);
    bool isPanel() const;
    bool pollChildAtCursor();
    void moveChildren(double dx);

    std::vector<std::unique_ptr<CControl>> m_children;
    int m_currentIndex = 0;
    bool m_pollingEnabled = true;
    int m_panelType = Complete;
    int m_pollCursor = 0;
    QTimer m_stateTimer;
    CCanvas *m_canvas = nullptr;
    QString m_fileVersion;
};
