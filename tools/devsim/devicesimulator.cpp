#include "devicesimulator.h"

#include "simdevice.h"
#include "simlimits.h"
#include "simlogcategory.h"
#include "simparameterstore.h"
#include "simprojectreader.h"

Q_LOGGING_CATEGORY(lcDevsim, "veloxa.tools.devsim")

DeviceSimulator::DeviceSimulator(QObject *parent)
    : QObject(parent)
    , m_received(SimLimits::RecordedCommands, SimLimits::RecordedBytes)
{
    connect(&m_combineTimer, &QTimer::timeout, this, &DeviceSimulator::toggleCombo);
}

DeviceSimulator::~DeviceSimulator()
{
    // The devices refer to the stores, which are members and would go first.
    qDeleteAll(std::exchange(m_devices, {}));
}

bool DeviceSimulator::loadProject(const QString &path)
{
    SimProjectReader reader;
    if (!reader.read(path)) {
        m_errorString = reader.errorString();
        return false;
    }
    const QHash<QString, QHash<QString, QString>> defaults = reader.defaults();
    for (const SimDeviceConfig &config : reader.devices()) {
        addDevice(config);
        const QHash<QString, QString> values = defaults.value(config.name);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            store(config.name)->setDefault(it.key(), it.value());
    }
    return true;
}

void DeviceSimulator::addDevice(const SimDeviceConfig &config)
{
    m_specs.append(config);
    auto &slot = m_stores[config.name];
    if (!slot)
        slot = std::make_unique<SimParameterStore>();
    for (const QString &block : config.telephones)
        SimTelephone::setDefaults(slot.get(), block);
}

bool DeviceSimulator::selectSingleDevice(quint16 port, const QString &name)
{
    const QString chosen = deviceName(name);
    for (const SimDeviceConfig &config : std::as_const(m_specs)) {
        if (config.name == chosen) {
            SimDeviceConfig single = config;
            single.port = port;
            m_specs = {single};
            return true;
        }
    }
    m_errorString = QStringLiteral("no device named ") + name;
    return false;
}

void DeviceSimulator::setEphemeralPorts(bool on)
{
    m_ephemeralPorts = on;
}

void DeviceSimulator::setBindAnyAddress(bool on)
{
    m_bindAnyAddress = on;
}

void DeviceSimulator::setSeed(quint32 seed)
{
    m_seed = seed;
}

void DeviceSimulator::setFaults(const SimFaults &faults)
{
    m_faults = faults;
    for (SimDevice *device : std::as_const(m_devices))
        device->setFaults(faults);
}

bool DeviceSimulator::setLogFile(const QString &path)
{
    if (m_log.open(path))
        return true;
    m_errorString = m_log.errorString();
    return false;
}

void DeviceSimulator::setCombineInterval(int ms)
{
    if (ms > 0)
        m_combineTimer.start(ms);
    else
        m_combineTimer.stop();
}

void DeviceSimulator::toggleCombo()
{
    if (m_devices.isEmpty())
        return;
    const QByteArray text = m_combineJoins ? "SRC 1,1,2,J" : "SRC 1,1,2,S";
    qCDebug(lcDevsim).noquote() << m_devices.first()->name() << "combines by itself:" << text;
    m_devices.first()->applyComboText(text);
    m_combineJoins = !m_combineJoins;
}

bool DeviceSimulator::listen()
{
    if (m_specs.isEmpty()) {
        m_errorString = QStringLiteral("no device to simulate");
        return false;
    }
    for (int i = m_devices.size(); i < m_specs.size(); ++i) {
        const SimDeviceConfig config = servedSpec(m_specs[i]);
        auto *device = new SimDevice(config, store(config.name), m_seed + quint32(i), this);
        device->setFaults(m_faults);
        device->setTelephoneTiming(m_telephoneTiming);
        attach(device);
        m_devices.append(device);
        if (!device->listen()) {
            m_errorString = QStringLiteral("%1: cannot listen on %2:%3: %4")
                                .arg(config.name, config.address.toString())
                                .arg(config.port)
                                .arg(device->errorString());
            return false;
        }
    }
    return true;
}

SimDeviceConfig DeviceSimulator::servedSpec(SimDeviceConfig config) const
{
    if (m_ephemeralPorts)
        config.port = 0;
    if (!m_bindAnyAddress && !config.address.isLoopback()) {
        qCWarning(lcDevsim).noquote() << config.name << "at" << config.address.toString()
                                      << "is served on 127.0.0.1 (not loopback, no --bind)";
        config.address = QHostAddress(QHostAddress::LocalHost);
    }
    return config;
}

void DeviceSimulator::attach(SimDevice *device)
{
    const QString name = device->name();
    m_statistics.addDevice(name);
    connect(device, &SimDevice::commandReceived, this,
            [this, name](const QByteArray &command, const QString &kind) {
                m_received.append(name, command);
                m_statistics.countCommand(name, kind);
                m_log.received(name, command);
                emit commandReceived(name, command);
            });
    connect(device, &SimDevice::replyWritten, this, [this, name](const QByteArray &entry) {
        m_log.sent(name, entry);
        emit replyWritten(name, entry);
    });
    connect(device, &SimDevice::bytesWritten, this,
            [this, name](const QByteArray &chunk) { emit bytesWritten(name, chunk); });
    connect(device, &SimDevice::subscribed, this, [this, name](const QString &address) {
        m_statistics.countSubscription(name);
        emit subscribed(name, address);
    });
    connect(device, &SimDevice::telephoneStateChanged, this,
            [this, name](const QString &block, const QString &state) {
                qCDebug(lcDevsim).noquote()
                    << "telephone" << name << QLatin1Char('"') + block + QLatin1Char('"') << state;
                emit telephoneStateChanged(name, block, state);
            });
    connect(device, &SimDevice::fault, this,
            [this, name](const QString &what) { m_statistics.countFault(name, what); });
}

QStringList DeviceSimulator::deviceNames() const
{
    QStringList names;
    for (const SimDeviceConfig &config : m_specs)
        names.append(config.name);
    return names;
}

QString DeviceSimulator::deviceName(const QString &device) const
{
    if (!device.isEmpty() || m_specs.isEmpty())
        return device;
    return m_specs.first().name;
}

QHostAddress DeviceSimulator::address(const QString &device) const
{
    const QString name = deviceName(device);
    for (const SimDevice *served : m_devices) {
        if (served->name() == name)
            return served->address();
    }
    return QHostAddress();
}

quint16 DeviceSimulator::port(const QString &device) const
{
    const QString name = deviceName(device);
    for (const SimDevice *served : m_devices) {
        if (served->name() == name)
            return served->port();
    }
    return 0;
}

SimParameterStore *DeviceSimulator::store(const QString &device) const
{
    const auto it = m_stores.find(deviceName(device));
    return it != m_stores.end() ? it->second.get() : nullptr;
}

void DeviceSimulator::setValue(const QString &address, const QString &value, const QString &device)
{
    if (SimParameterStore *values = store(device))
        values->setValue(address, value);
}

QString DeviceSimulator::value(const QString &address, const QString &device) const
{
    const SimParameterStore *values = store(device);
    return values ? values->value(address) : QString();
}

QList<QByteArray> DeviceSimulator::receivedCommands(const QString &device) const
{
    return m_received.commands(device);
}

SimTelephone *DeviceSimulator::telephone(const QString &block, const QString &device) const
{
    for (SimDevice *served : m_devices) {
        if (!device.isEmpty() && served->name() != device)
            continue;
        if (block.isEmpty() && !served->telephones().isEmpty())
            return served->telephones().first();
        if (SimTelephone *line = block.isEmpty() ? nullptr : served->telephone(block))
            return line;
    }
    return nullptr;
}

bool DeviceSimulator::startIncomingCall(const QString &number, const QString &name,
                                        const QString &block, const QString &device)
{
    SimTelephone *line = telephone(block, device);
    if (!line && !block.isEmpty()) {
        // As a dialer's first command would, the call makes the block a PSTN line.
        const QString chosen = deviceName(device);
        for (SimDevice *served : std::as_const(m_devices)) {
            if (served->name() == chosen)
                line = served->addTelephone(block, false);
        }
    }
    if (!line) {
        qCWarning(lcDevsim).noquote() << "no telephone to ring for" << number;
        return false;
    }
    if (line->ring(number, name))
        return true;
    qCWarning(lcDevsim).noquote() << "telephone" << line->block() << "cannot take a call while"
                                  << line->state();
    return false;
}

bool DeviceSimulator::hangUpFarEnd(const QString &block, const QString &device)
{
    SimTelephone *line = telephone(block, device);
    return line && line->hangUpFarEnd();
}

QString DeviceSimulator::telephoneTones(const QString &block, const QString &device) const
{
    const SimTelephone *line = telephone(block, device);
    return line ? line->tones() : QString();
}

void DeviceSimulator::setAnswerDelay(int ms)
{
    SimTelephone::Timing timing = m_telephoneTiming;
    timing.answerMs = ms;
    setTelephoneTiming(timing);
}

void DeviceSimulator::setBusy(bool on)
{
    SimTelephone::Timing timing = m_telephoneTiming;
    timing.busy = on;
    setTelephoneTiming(timing);
}

void DeviceSimulator::setFarHangUpDelay(int ms)
{
    SimTelephone::Timing timing = m_telephoneTiming;
    timing.farHangUpMs = ms;
    setTelephoneTiming(timing);
}

void DeviceSimulator::setTelephoneTiming(const SimTelephone::Timing &timing)
{
    m_telephoneTiming = timing;
    for (SimDevice *device : std::as_const(m_devices))
        device->setTelephoneTiming(timing);
}
