#pragma once

#include "app/mainwindow.h"
#include "canvas/ccomposite.h"
#include "canvas/ccontrol.h"
#include "comm/icomposite.h"
#include "controls/wwidget.h"
#include "devicesimulator.h"
#include "hardware/hchassis.h"
#include "hardware/hroot.h"
#include "model/mmodel.h"
#include "util/scratchhome.h"

#include <QtTest>

#include <memory>

// The whole client on the demonstration project, its two devices played by the in-process
// simulator on ports chosen at run time. Tests reach a control by its panel and name and drive
// its widgets through the slots their documents call.
//
//   DemoClient client;
//   QVERIFY(client.start());
//   auto *fader = client.widget<WSlider>("Volume & Source Control", "Bar Left Gain", "slider");
class DemoClient
{
public:
    static constexpr const char *Processor = "Chassis|||30216";
    static constexpr const char *Expander = "Chassis|||30401";

    // Serves the devices, opens the window and waits until both devices are online.
    bool start(const SimFaults &faults = SimFaults())
    {
        // The simulator reads the project through the client's archive, so it goes first and
        // the window's own open of the project comes after.
        simulator.setEphemeralPorts(true);
        simulator.setFaults(faults);
        if (!simulator.loadProject(QStringLiteral(":/data/Veloxa/Demo.cpz")) || !simulator.listen())
            return false;
        window = std::make_unique<MainWindow>();
        for (const QString &name : simulator.deviceNames()) {
            auto *chassis = qobject_cast<HChassis *>(model()->hardwareRoot()->findChassis(name));
            if (!chassis)
                return false;
            chassis->setConnectionAttribute(QStringLiteral("ipaddress"),
                                            QStringLiteral("127.0.0.1"));
            chassis->setConnectionAttribute(QStringLiteral("serialport"),
                                            QString::number(simulator.port(name)));
        }
        model()->setConnectionsEnabled(true);
        const int devices = int(simulator.deviceNames().size());
        return QTest::qWaitFor(
            [this, devices] { return model()->interfaces()->onlineCount() == devices; }, 5000);
    }

    MModel *model() const { return window->model(); }

    // Makes the panel current (by its name) and returns it; null when there is none.
    CComposite *showPanel(const QString &panel)
    {
        if (model()->currentPanel() && model()->currentPanel()->name() == panel)
            return model()->currentPanel();
        if (!model()->jumpToPanel(QStringLiteral("Demo.cpf\\Audio Controls\\") + panel))
            return nullptr;
        return model()->currentPanel();
    }

    CControl *control(const QString &panel, const QString &name)
    {
        CComposite *record = showPanel(panel);
        for (int i = 0; record && i < record->childCount(); ++i) {
            if (record->child(i)->name() == name)
                return record->child(i);
        }
        return nullptr;
    }

    // The first widget of a control with the given type name ("slider", "textedit", ...).
    template<class Widget>
    Widget *widget(const QString &panel, const QString &name, const QString &type)
    {
        CControl *record = control(panel, name);
        for (WWidget *candidate : record ? record->widgets() : QList<WWidget *>()) {
            if (candidate->type() == type)
                return qobject_cast<Widget *>(candidate);
        }
        return nullptr;
    }

    // Commands the device has received since the last call.
    QList<QByteArray> takeCommands(const QString &device = QLatin1String(Processor))
    {
        const QList<QByteArray> all = simulator.receivedCommands(device);
        const QList<QByteArray> fresh = all.mid(m_seen.value(device));
        m_seen[device] = all.size();
        return fresh;
    }

    ScratchHome m_home;
    DeviceSimulator simulator;
    std::unique_ptr<MainWindow> window;

private:
    QHash<QString, qsizetype> m_seen;
};
