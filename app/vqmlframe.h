#pragma once

#include "model/dqmlmessagedialog.h"

#include <QQmlAbstractUrlInterceptor>
#include <QQmlNetworkAccessManagerFactory>
#include <QQuickView>
#include <QStringList>

#include <memory>

class MeterGaugeLocalization;
class MModel;
class MQmlInterface;
class QQmlComponent;
class QQmlEngine;

// The Qt Quick view that shows the panel; owns the interface object the documents see. Its
// engine loads code only from the program and Qt, pictures only from there and the unpacked
// archive, and nothing from the network.
class VQmlFrame : public QQuickView,
                  private QQmlAbstractUrlInterceptor,
                  private QQmlNetworkAccessManagerFactory
{
    Q_OBJECT

public:
    explicit VQmlFrame(QWindow *parentWindow = nullptr);
    ~VQmlFrame() override;

    void registerTypes(bool initModel);
    void createInterface(QQmlEngine *engine);
    void setModel(MModel *model);
    void setSetupMenu(const QString &text, const QString &keys = QString());
    qreal dotsPerInch() const;

    MQmlInterface *qmlInterface() const { return m_qmlInterface.get(); }
    DQmlMessageDialog *messageDialog() { return &m_messageDialog; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QUrl intercept(const QUrl &url, QQmlAbstractUrlInterceptor::DataType type) override;
    QNetworkAccessManager *create(QObject *parent) override;
    bool isPermitted(const QUrl &url, QQmlAbstractUrlInterceptor::DataType type) const;

private:
    QWindow *m_parentWindow = nullptr;
    DQmlMessageDialog m_messageDialog;
    std::unique_ptr<QQmlComponent> m_interfaceComponent;
    std::unique_ptr<MQmlInterface> m_qmlInterface; // goes before its component
    MModel *m_model = nullptr;
    std::unique_ptr<MeterGaugeLocalization> m_gaugeLocalization;
    // Qt's own modules; taken once, as the engine's loader thread asks too.
    QStringList m_qtModuleFolders;
};
