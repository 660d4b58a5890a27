// veloxa-cpz: packs a folder into a project archive, lists an archive, unpacks one.

#include "formats/uarchive.h"
#include "formats/uarchiveblock.h"
#include "uarchivewriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTextStream>

#include <algorithm>

namespace {

enum ExitCode { Success = 0, Failure = 1, Usage = 2 };

int fail(const QString &message)
{
    QTextStream(stderr) << "veloxa-cpz: " << message << Qt::endl;
    return Failure;
}

int usage()
{
    QTextStream(stderr) << "usage: veloxa-cpz pack OUT.cpz ROOT [LISTFILE]\n"
                           "       veloxa-cpz list ARCHIVE\n"
                           "       veloxa-cpz extract ARCHIVE DIR"
                        << Qt::endl;
    return Usage;
}

// Paths below root, "/"-separated, in code-unit order so that a pack is reproducible.
QStringList filesBelow(const QString &root)
{
    QStringList files;
    const QDir base(QFileInfo(root).absoluteFilePath());
    QDirIterator it(base.path(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << base.relativeFilePath(it.next());
    std::sort(files.begin(), files.end());
    return files;
}

// The listed paths first, in list order, then the rest.
bool orderByList(QStringList &files, const QString &listFile, QString *error)
{
    QFile list(listFile);
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot read %1: %2").arg(listFile, list.errorString());
        return false;
    }
    QStringList ordered;
    QTextStream in(&list);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || ordered.contains(line))
            continue;
        if (!files.contains(line)) {
            *error = QStringLiteral("%1 lists %2, which is not a file under the root")
                         .arg(listFile, line);
            return false;
        }
        ordered << line;
    }
    for (const QString &file : std::as_const(files)) {
        if (!ordered.contains(file))
            ordered << file;
    }
    files = ordered;
    return true;
}

int pack(const QStringList &args)
{
    if (args.size() < 2 || args.size() > 3)
        return usage();
    const QString root = args.at(1);
    if (!QFileInfo(root).isDir())
        return fail(QStringLiteral("%1 is not a folder").arg(root));
    QStringList files = filesBelow(root);
    QString error;
    if (args.size() == 3 && !orderByList(files, args.at(2), &error))
        return fail(error);

    UArchiveWriter writer;
    for (const QString &file : std::as_const(files)) {
        if (!writer.addFile(QLatin1Char('/') + file, QDir(root).filePath(file)))
            return fail(writer.errorString());
    }
    if (!writer.write(args.at(0)))
        return fail(writer.errorString());
    return Success;
}

int list(const QStringList &args)
{
    if (args.size() != 1)
        return usage();
    const QString path = args.at(0);
    QFile file(path);
    if (!UArchive::isArchive(path) || !file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1 is not a readable archive").arg(path));
    UArchiveHeader header;
    if (!header.read(file))
        return fail(QStringLiteral("%1 has a damaged header").arg(path));

    QTextStream out(stdout);
    for (const auto &record : header.records()) {
        const QByteArray block =
            record->blockFits(file.size()) ? record->readBlock(file) : QByteArray();
        out << record->name() << '\t' << record->offset() << '\t' << record->size() << '\t'
            << UArchiveBlock(block).announcedLength() << '\n';
    }
    return Success;
}

int extract(const QStringList &args)
{
    if (args.size() != 2)
        return usage();
    const QString path = args.at(0);
    const QString dir = QDir::cleanPath(args.at(1));
    // Unpacking clears the folder; never a folder that holds something already.
    if (QFileInfo::exists(dir) &&
        !QDir(dir).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        return fail(QStringLiteral("%1 exists and is not empty").arg(dir));
    if (!QDir().mkpath(dir))
        return fail(QStringLiteral("cannot make %1").arg(dir));

    UArchive *archive = UArchive::instance();
    if (!archive->open(path, dir))
        return fail(QStringLiteral("%1 is not a readable archive").arg(path));
    if (archive->header().extractionRoot() != dir)
        return fail(QStringLiteral("cannot unpack into %1").arg(dir));
    if (archive->header().refusedCount() > 0)
        return fail(QStringLiteral("%1 entries of %2 were refused")
                        .arg(archive->header().refusedCount())
                        .arg(path));
    return Success;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // Quiet at build time; QT_LOGGING_RULES still wins.
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*.debug=false"));
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    if (command == QLatin1String("pack"))
        return pack(args);
    if (command == QLatin1String("list"))
        return list(args);
    if (command == QLatin1String("extract"))
        return extract(args);
    return usage();
}
