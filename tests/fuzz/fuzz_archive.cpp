// The archive reader as a project opens: header, entries unpacked into a folder of their own,
// then the lookups of the panel file, the designer project and the images. Whatever the input,
// nothing may land outside that folder.
#include "formats/uarchive.h"
#include "fuzzinput.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Every path below folder is root, below it, or one of the folders that hold it.
void requireInside(const QString &folder, const QString &root)
{
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QFileInfo(it.next()).absoluteFilePath();
        const bool inside = path == root || path.startsWith(root + QLatin1Char('/')) ||
                            root.startsWith(path + QLatin1Char('/'));
        if (!inside) {
            std::fprintf(stderr, "archive entry written outside the extraction root: %s\n",
                         qPrintable(path));
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir inputs;
    const QString input = inputs.filePath(QStringLiteral("input.cpz"));
    // Deep enough that a name climbing a few levels out of the root still lands in work.
    QTemporaryDir work;
    const QString root = work.filePath(QStringLiteral("a/b/c/Archive"));
    if (!writeFuzzInput(input, data, size) || !QDir().mkpath(QFileInfo(root).path()))
        return 0;

    UArchive *archive = UArchive::instance();
    if (archive->open(input, root)) {
        archive->findFile(QStringLiteral(".cpf"));
        archive->findFile(QStringLiteral(".vxj"));
        for (const auto &record : archive->header().records()) {
            QString image = QStringLiteral("image/") + QFileInfo(record->name()).fileName();
            archive->resolveImage(image);
        }
    }
    requireInside(work.path(), QFileInfo(root).absoluteFilePath());
    return 0;
}
