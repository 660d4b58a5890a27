// The designer-project reader as a project opens, then again in merge mode, as when a second
// project is opened over the first.
#include "fuzzapplication.h"
#include "fuzzinput.h"
#include "hardware/hroot.h"
#include "hardware/xvxjhandler.h"
#include "model/mproject.h"

#include <QTemporaryDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A file older than the importer takes is refused with a message box.
    FuzzApplication::ensure();
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("input.vxj"));
    if (!writeFuzzInput(path, data, size))
        return 0;

    HRoot root;
    MProject project;
    if (XVXJHandler::load(&root, path, false, &project)) {
        root.pruneUnused();
        XVXJHandler::load(&root, path, true, &project);
    }
    return 0;
}
