#pragma once

#include "controls/wbutton.h"

// A button that hands a command text to its peer (the dialer of the same control).
class WCmdButton : public WButton
{
    Q_OBJECT

public:
    explicit WCmdButton(QQuickItem *parent = nullptr);
    ~WCmdButton() override;

    bool save(XmlWriter &writer) override;
    bool processProperty(const QString &name, const QString &value) override;

    QString command() const { return m_command; }

public Q_SLOTS:
    void outputPressed() override;

private:
    // Stored names are images of the program: "../images/" + name + ".png".
    void setImage(const char *property, const QString &name);

    QString m_command;
    QString m_title;
    QString m_onImage; // as stored, for saving
};
