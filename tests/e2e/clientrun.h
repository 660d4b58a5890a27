#pragma once

#include "panelmap.h"
#include "simlog.h"

#include <QImage>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// The real program on a project archive, its devices played by the simulator as a separate
// process on ports it picks itself, inside a scratch home. The client's copy of the project
// is pointed at those ports and opened as the saved download.
class ClientRun
{
public:
    // Generous: under AddressSanitizer the client takes seconds to start and to draw.
    static constexpr int StartMs = 60000;
    static constexpr int ReactMs = 15000;

    // Where the download is staged: the client's working folder, or its data folder, which
    // it reads first and where a received project goes.
    enum class Stage { WorkingFolder, DataFolder };

    ~ClientRun();

    // Variables for the client's environment ("LANG" -> "de_DE.UTF-8"), set before start().
    void setEnvironment(const QMap<QString, QString> &variables) { m_environment = variables; }

    // panelFile is the panel file's name inside the archive, devices the number of devices
    // it names. True once the window is up and every device has been subscribed to;
    // otherwise error says why.
    bool start(const QString &archive, const QString &panelFile, int devices, QString *error,
               Stage stage = Stage::WorkingFolder);
    void stop();

    PanelMap &map() { return m_map; }
    const PanelMap &map() const { return m_map; }
    const SimLog &log() const { return *m_log; }
    quint16 port(const QString &device) const { return m_ports.value(device); }
    // A line typed at the simulator ("ring 5550100,NAME").
    void tellSimulator(const QByteArray &line)
    {
        m_simulator.write(line + '\n');
        m_simulator.waitForBytesWritten(ReactMs);
    }
    // A path inside the scratch home ("data/veloxa-remote/download.cpn").
    QString scratchPath(const QString &relative) const;
    // Everything the client has written to stdout and stderr.
    QByteArray output() const;
    // The end of the client's output.
    QString diagnostics() const;

    static bool poll(const std::function<bool()> &condition, int timeoutMs);
    // Waits until area differs from before in at least `pixels` pixels.
    static bool waitForChange(const QImage &before, const QRect &area, int pixels, QImage *after);
    // Waits until two shots 200 ms apart agree on area.
    static QImage waitForStill(const QRect &area);
    // Moves the pointer off every control, so that no hover look stays behind.
    void parkPointer() const;
    // Clicks the status bar's next arrow `count` times, each time until at least 1/`share` of
    // the control area has changed.
    bool stepPanels(int count, int share);

private:
    bool startSimulator(const QString &archive, int devices, QString *error);
    bool stageProject(const QString &archive, const QString &panelFile, Stage stage,
                      QString *error);
    bool startClient(QString *error);

    QTemporaryDir m_scratch;
    QProcess m_simulator;
    QProcess m_client;
    QMap<QString, quint16> m_ports;
    QMap<QString, QString> m_environment;
    PanelMap m_map;
    std::unique_ptr<SimLog> m_log;
};
