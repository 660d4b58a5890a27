// The panel-file reader as a project opens: the demonstration's designer project first, so that
// the panel's connections find their devices, then the panel file with the widgets it makes.
#include "canvas/ccanvas.h"
#include "canvas/ccomposite.h"
#include "controls/widgettestenv.h"
#include "fuzzapplication.h"
#include "fuzzinput.h"
#include "hardware/hroot.h"
#include "hardware/xvxjhandler.h"

#include <QTemporaryDir>

#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzApplication::ensure();
    // The engine goes while the application is still whole.
    static std::unique_ptr<WidgetTestEnv> widgets;
    if (!widgets) {
        widgets = std::make_unique<WidgetTestEnv>();
        qAddPostRoutine([] { widgets.reset(); });
    }
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("input.cpf"));
    if (!writeFuzzInput(path, data, size))
        return 0;

    HRoot hardware;
    XVXJHandler::load(&hardware, QStringLiteral(VELOXA_DEMO_DESIGNER_PROJECT), false, nullptr);
    CCanvas canvas;
    CComposite root(QStringLiteral("Root"), QStringLiteral("Scenes"));
    root.setCanvas(&canvas);
    root.load(path, &hardware, QString(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
