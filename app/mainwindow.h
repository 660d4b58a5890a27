#pragma once

#include "canvas/ccanvas.h"
#include "util/utranslation.h"

#include <QMainWindow>

#include <memory>

class QApplication;
class QSplitter;
class MModel;
class VQmlFrame;

// The one top-level window: hosts the Qt Quick view at the panel's fixed pixel size.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // An empty project leaves the choice to the model (a saved download, else the demonstration).
    explicit MainWindow(QWidget *parent = nullptr, const QString &project = QString());
    ~MainWindow() override;

    void setApplication(QApplication *application);
    void fixWindowSize();

    MModel *model() const { return m_model.get(); }
    VQmlFrame *view() const { return m_view.get(); }
    const CCanvas &canvas() const { return m_canvas; }

public Q_SLOTS:
    void resetQMLFocus();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void setupForm();
    void loadTranslation();
    void createView();
    void createModel();
    void openStartupProject();

    QApplication *m_application = nullptr;
    QWidget *m_form = nullptr;
    std::unique_ptr<MModel> m_model;
    CCanvas m_canvas;
    QString m_pendingFile;
    std::unique_ptr<VQmlFrame> m_view;
    QSplitter *m_splitter = nullptr;
    UTranslation m_translation;
};
