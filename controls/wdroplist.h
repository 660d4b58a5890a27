#pragma once

#include "controls/wwidget.h"

#include <QList>
#include <QStringList>

// A one-line selector that opens a pop-up list and sends the chosen entry.
class WDropList : public WWidget
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)

public:
    explicit WDropList(QQuickItem *parent = nullptr);
    ~WDropList() override;

    QString title() const { return m_title; }

Q_SIGNALS:
    void titleChanged(const QString &title);

private:
    int m_currentIndex = -1;
    QList<int> m_entryValues; // device value of each entry, in list order
    int m_entryCount = 0;
    QStringList m_entryTexts;
    QObject *m_popup = nullptr; // the open pop-up list
    int m_queryIndex = 0;
    QString m_title;
};
