#include "app/mainwindow.h"

#include "app/vqmlframe.h"
#include "controls/wdelegate.h"
#include "model/mmodel.h"
#include "model/mqmlinterface.h"
#include "util/logcategories.h"

#include <QApplication>
#include <QSplitter>

MainWindow::MainWindow(QWidget *parent, const QString &project)
    : QMainWindow(parent)
    , m_pendingFile(project)
{
    setupForm();
    loadTranslation();
    createView();
    createModel();
    openStartupProject();
    fixWindowSize();
    m_model->setConnectionsEnabled(true);
    m_model->connectInterfaces();
    m_model->pollCurrentPanel();
}

MainWindow::~MainWindow()
{
    // The view's documents hold widgets that call into the model: the view goes first.
    m_view.reset();
    m_model.reset();
}

void MainWindow::setupForm()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("MainWindow"));
    setWindowModality(Qt::WindowModal);
    resize(1024, 800);
    setFont(QFont(QStringLiteral("Calibri"), 10));
    setContextMenuPolicy(Qt::NoContextMenu);
    m_form = new QWidget(this);
    m_form->setObjectName(QStringLiteral("centralWidget"));
    m_form->setMinimumSize(30, 30);
    setCentralWidget(m_form);
    setWindowTitle(QCoreApplication::translate("MainWindow", "MainWindow"));
    QMetaObject::connectSlotsByName(this);
}

void MainWindow::loadTranslation()
{
    m_translation.install(QLocale());
}

void MainWindow::createView()
{
    m_view = std::make_unique<VQmlFrame>();
    m_splitter = new QSplitter(m_form);
    QWidget *container = QWidget::createWindowContainer(m_view.get(), this);
    if (!container)
        return;
    container->setMinimumSize(200, 200);
    container->setFocusPolicy(Qt::TabFocus);
    m_view->registerTypes(true);
    static const char *const setupMenu =
        QT_TR_NOOP("About Veloxa Remote...,Project Information...,Network Status...,Receive...");
    m_view->setSetupMenu(tr(setupMenu), QLatin1String(setupMenu));
    m_canvas.setView(m_view.get());
    m_splitter->addWidget(container);
}

void MainWindow::createModel()
{
    m_model = std::make_unique<MModel>();
    connect(m_model.get(), &MModel::resetQMLFocus, this, &MainWindow::resetQMLFocus);
    connect(qApp, &QCoreApplication::aboutToQuit, m_model.get(), &MModel::aboutToQuit);
    m_model->setMainWindow(this);
    m_model->setCanvas(&m_canvas);
    if (m_view) {
        m_model->setView(m_view.get());
        m_view->setModel(m_model.get());
    }
    m_model->init();
    m_model->setQmlProperty("rightClickEnable", false);
    WDelegate::instance()->setMainWindow(this);
}

void MainWindow::openStartupProject()
{
    if (m_pendingFile.isEmpty())
        m_pendingFile = m_model->startupProjectPath();
    m_model->openProject(m_pendingFile);
    m_pendingFile.clear();
    m_model->refreshView();
}

void MainWindow::setApplication(QApplication *application)
{
    m_application = application;
    // The title names the program only, whatever project is open.
    setWindowTitle(QStringLiteral("Veloxa Remote - "));
}

void MainWindow::fixWindowSize()
{
    const QSize size(m_canvas.width() + 4, m_canvas.height() + 4);
    resize(size);
    setMinimumSize(size);
    setMaximumSize(size);
}

void MainWindow::resetQMLFocus()
{
    m_canvas.reload();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (m_view && m_splitter) {
        m_splitter->move(2, 2);
        m_splitter->resize(m_canvas.width(), m_canvas.height());
    }
}
