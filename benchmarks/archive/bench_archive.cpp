// Unpacking a 50 MiB project archive with UArchive, beside the plain cost of the same work:
// qUncompress of every block in memory and writing the files.

#include "formats/uarchive.h"
#include "uarchivewriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

constexpr int kEntries = 500;
constexpr qsizetype kEntryBytes = 100 * 1024;
constexpr int kRounds = 5;

// Half random chunks, half repeats of earlier ones: compresses to roughly half.
QByteArray semiCompressible(QRandomGenerator &random)
{
    constexpr qsizetype chunk = 64;
    QByteArray data(kEntryBytes, Qt::Uninitialized);
    for (qsizetype at = 0; at < data.size(); at += chunk) {
        const qsizetype length = std::min(chunk, data.size() - at);
        if (at >= chunk * 16 && random.bounded(2) == 0) {
            const qsizetype from = chunk * random.bounded(int(at / chunk) - 1);
            std::copy_n(data.constData() + from, length, data.data() + at);
        } else {
            random.fillRange(reinterpret_cast<quint32 *>(data.data() + at), length / 4);
        }
    }
    return data;
}

QString entryName(int i)
{
    return QStringLiteral("/image/set%1/entry%2.png").arg(i % 10).arg(i, 4, 10, QLatin1Char('0'));
}

qint64 timeUArchive(const QString &archive, const QString &root)
{
    QElapsedTimer timer;
    timer.start();
    const bool opened = UArchive::instance()->open(archive, root);
    const qint64 elapsed = timer.nsecsElapsed();
    if (!opened || UArchive::instance()->header().records().size() != size_t(kEntries))
        qFatal("bench_archive: the archive did not unpack");
    return elapsed;
}

qint64 timeBaseline(const std::vector<QByteArray> &blocks, const QString &root)
{
    QElapsedTimer timer;
    timer.start();
    QDir(root).removeRecursively();
    for (int i = 0; i < kEntries; ++i) {
        const QString path = root + entryName(i);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(qUncompress(blocks[size_t(i)])) < 0)
            qFatal("bench_archive: cannot write %s", qPrintable(path));
    }
    return timer.nsecsElapsed();
}

double megabytesPerSecond(qint64 bytes, qint64 nanoseconds)
{
    return double(bytes) / 1e6 / (double(nanoseconds) / 1e9);
}

} // namespace

int main()
{
    QTemporaryDir work;
    if (!work.isValid())
        qFatal("bench_archive: no temporary folder");
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*.debug=false"));

    QRandomGenerator random(20240601);
    UArchiveWriter writer;
    std::vector<QByteArray> blocks;
    for (int i = 0; i < kEntries; ++i) {
        const QByteArray data = semiCompressible(random);
        blocks.push_back(qCompress(data));
        if (!writer.addEntry(entryName(i), data))
            qFatal("bench_archive: %s", qPrintable(writer.errorString()));
    }
    const QString archive = work.filePath(QStringLiteral("bench.cpz"));
    if (!writer.write(archive))
        qFatal("bench_archive: %s", qPrintable(writer.errorString()));

    qint64 bestArchive = std::numeric_limits<qint64>::max();
    qint64 bestBaseline = std::numeric_limits<qint64>::max();
    for (int round = 0; round < kRounds; ++round) {
        bestArchive = std::min(bestArchive, timeUArchive(archive, work.filePath("unpacked")));
        bestBaseline = std::min(bestBaseline, timeBaseline(blocks, work.filePath("baseline")));
    }

    const qint64 unpacked = qint64(kEntries) * kEntryBytes;
    const double archiveRate = megabytesPerSecond(unpacked, bestArchive);
    const double baselineRate = megabytesPerSecond(unpacked, bestBaseline);
    std::printf("archive: %d entries, %.1f MiB unpacked, %.1f MiB stored\n", kEntries,
                double(unpacked) / (1 << 20), double(QFileInfo(archive).size()) / (1 << 20));
    std::printf("UArchive::open              %8.1f MB/s  (best of %d, %.1f ms)\n", archiveRate,
                kRounds, double(bestArchive) / 1e6);
    std::printf("baseline qUncompress + write %8.1f MB/s  (best of %d, %.1f ms)\n", baselineRate,
                kRounds, double(bestBaseline) / 1e6);
    std::printf("ratio UArchive / baseline   %8.2f\n", archiveRate / baselineRate);
    return 0;
}
