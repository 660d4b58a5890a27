#pragma once

#include "comm/pfileprotocol.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>

class QQmlContext;
class QTimer;
class CCanvas;
class CComposite;
class HRoot;
class IComposite;
class ITcpServer;
class MainWindow;
class MProject;
class MQmlInterface;
class VModeManager;
class HChassis;
class HNode;
class VQmlFrame;
class WDelegate;
class WDropSite;

// The central object: owns the project's hardware and scene trees, the device interfaces and
// the project record, and pushes the view state into the QML interface object.
class MModel : public QObject
{
    Q_OBJECT

public:
    static constexpr int PollIntervalMs = 250;
    // How often the receive box shows the bytes so far.
    static constexpr int ProgressIntervalMs = 100;

    explicit MModel(QObject *parent = nullptr);
    ~MModel() override;

    void init();

    // wiring done by the main window and the view
    void setQmlInterface(MQmlInterface *qmlInterface);
    void setQmlContext(QQmlContext *context);
    void setCanvas(CCanvas *canvas);
    void setView(VQmlFrame *view);
    void setMainWindow(MainWindow *window);
    bool setQmlProperty(const char *name, const QVariant &value);

    // project
    QString startupProjectPath() const;
    QString designsDownloadPath(bool create) const;
    // Opens an archive or a panel file. When it does not open, the user is told why and the
    // project open before (else the demonstration) is shown again; false then.
    bool openProject(const QString &path);
    // Reads the designer project into the hardware tree; a first one replaces the designer
    // data, a later one is merged. False (and no designer file) when it cannot be read.
    bool loadDesignerProject(const QString &path);
    QString designerFile() const { return m_designerFile; }
    void refreshView();
    void reset();
    // The canvas skin, then its accent, so that the accent's values win; the caller reloads.
    void applySkin();
    bool applySkin(const QString &name);

    // connections and polling
    void setConnectionsEnabled(bool on);
    void connectInterfaces();
    void pollCurrentPanel();
    Q_INVOKABLE void setPollingEnabled(bool on);

    // navigation
    void selectPanel(CComposite *panel);
    bool showPanel(int index);
    bool stepPanel(int delta);
    bool navigate(const QString &command);
    bool selectScene(const QString &name);
    bool selectSceneByIndex(int index);
    bool jumpToPanel(const QString &link);

    // template panels
    // The node that a drag's text (its number) or data ("<category>|<id>" for nodes without a
    // number) names, when `site` may take it: it lies on a template panel, accepts the node's
    // label and a template exists for it. Null otherwise, with the reason in plain words.
    HNode *droppableNode(const QString &text, const QString &data, const WDropSite *site,
                         QString *reason = nullptr) const;
    // Builds the node's template into the site's panel, fitted into the site and replacing what
    // stood there; a refused node is reported in a message box and changes nothing.
    bool dropNode(WDropSite *site, const QString &text, const QString &data);
    void dropSiteChanged(WDropSite *site);
    // A flat site (wider than high) takes the level-button variant ("…1.xml") of the template,
    // another the plain one; either falls back on the other when it does not exist.
    static QString templateFor(const HNode *node, const WDropSite *site);

    // receive mode: true when a new design arrived and was opened
    bool receivePanel();
    void setReceivePort(quint16 port) { m_receivePort = port; }
    // Whether path opens as a project (an archive whose panel file reads, or a panel file),
    // without touching the one that is open; reason says why not.
    static bool checkProject(const QString &path, QString *reason);

    void computeViewScale();
    void applyScale();
    void centerControls();

    Q_INVOKABLE bool getIsScaleMultiply() const;

    HRoot *hardwareRoot() const { return m_hardwareRoot.get(); }
    CComposite *sceneRoot() const { return m_sceneRoot.get(); }
    IComposite *interfaces() const { return m_interfaces.get(); }
    MProject *project() const { return m_project.get(); }
    MQmlInterface *qmlInterface() const { return m_qmlInterface; }
    CCanvas *canvas() const { return m_canvas; }
    CComposite *currentPanel() const { return m_currentPanel; }
    CComposite *currentScene() const;
    QString currentFile() const { return m_currentFile; }
    QString fileVersion() const { return m_fileVersion; }
    void setFileVersion(const QString &version) { m_fileVersion = version; }
    bool isPollingActive() const { return m_pollingActive; }
    bool isPollTimerActive() const;
    float pixelScale() const { return m_pixelScale; }

    // The indicator image last chosen; the connection-indicator button reads it.
    static QString connectionIndicator();

Q_SIGNALS:
    void resetQMLFocus();
    void enableConnection(bool enabled);
    void displayMessage(const QString &message);
    void selectState(bool selected);
    void ccpState(bool selected);
    void reloadCanvas();
    void resetCanvas();
    void changedStatusIndicator();

public Q_SLOTS:
    void doPolling();
    void interfaceStatusChanged(bool isConnected);
    void applicationStateChanged(Qt::ApplicationState state);
    void aboutToQuit();
    void onExtraRefreshTimerTimeout();

private:
    void updatePageCount();
    void updateSceneTitle();
    void updateHeaderTitle();
    void updateSceneMenu();
    void activate(CComposite *panel, bool on);
    void pollPanel(CComposite *panel);
    void setPanelPolling(bool on);
    void showLinkWarning(const QString &link);
    void releaseHardware();
    void enableChassis(HChassis *chassis, bool on);
    HNode *dragNode(const QString &text, const QString &data) const;
    // One attempt at path; false with the reason in plain words when it does not open.
    bool loadProject(const QString &path, QString *reason);
    void showOpenFailure(const QString &path, const QString &reason, const QString &shown);
    bool runReceiveServer();
    bool receiveDesign(PFileProtocol *protocol);
    void showReceiveResult(const QString &failure);
    void setPolling(bool on);

    MQmlInterface *m_qmlInterface = nullptr;
    QQmlContext *m_qmlContext = nullptr;
    std::unique_ptr<HRoot> m_hardwareRoot;
    std::unique_ptr<IComposite> m_interfaces;
    std::unique_ptr<CComposite> m_sceneRoot;
    QTimer *m_pollTimer = nullptr;
    std::unique_ptr<MProject> m_project;
    bool m_connectionsOn = false;
    CComposite *m_currentPanel = nullptr;
    bool m_pollingActive = false;
    WDelegate *m_widgetDelegate = nullptr;
    VModeManager *m_modeManager = nullptr;
    float m_pixelScale = 1.0f;
    VQmlFrame *m_view = nullptr;
    MainWindow *m_mainWindow = nullptr;
    QString m_currentFile;
    QString m_designerFile;
    bool m_modified = false;
    float m_viewHeight = 0.0f;
    float m_viewWidth = 0.0f;
    CCanvas *m_canvas = nullptr;
    bool m_receiving = false;
    std::unique_ptr<ITcpServer> m_receiveServer;
    quint16 m_receivePort = PFileProtocol::DefaultPort;
    QString m_fileVersion = QStringLiteral("3.0");
};
