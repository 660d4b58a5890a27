#pragma once

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

// A throw-away home for a test that runs the whole client: settings, documents and the
// unpacked archive stay in a temporary folder, and no received design is found.
class ScratchHome
{
public:
    ScratchHome()
    {
        qputenv("HOME", QFile::encodeName(m_dir.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/.config")));
        QStandardPaths::setTestModeEnabled(true);
        QSettings settings(QStringLiteral("Orvik"), QStringLiteral("Veloxa Remote 3.0"));
        settings.setValue(QStringLiteral("Path/Archive"), m_dir.path());
        settings.remove(QStringLiteral("Path/Designs"));
    }

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};
