// Replays stored inputs through a fuzz target's entry point in the ordinary builds, so that an
// input which once broke a reader is tried again by every test run. Arguments: input files or
// folders of them.
#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv)
{
    QStringList inputs;
    for (int i = 1; i < argc; ++i) {
        const QString path = QFile::decodeName(argv[i]);
        if (!QFileInfo(path).isDir()) {
            inputs << path;
            continue;
        }
        QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            inputs << it.next();
    }
    inputs.sort();
    if (inputs.isEmpty()) {
        std::fprintf(stderr, "no inputs given\n");
        return 2;
    }
    for (const QString &input : std::as_const(inputs)) {
        QFile file(input);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(input));
            return 2;
        }
        // An exact-size copy, as libFuzzer hands it: a read one byte past the end must fault.
        const QByteArray bytes = file.readAll();
        const std::vector<uint8_t> data(bytes.cbegin(), bytes.cend());
        std::fprintf(stderr, "%s (%zu bytes)\n", qPrintable(input), data.size());
        LLVMFuzzerTestOneInput(data.data(), data.size());
    }
    // An application a target made is deleted before the static objects go, as a test's is.
    const std::unique_ptr<QCoreApplication> application(QCoreApplication::instance());
    std::fprintf(stderr, "%lld inputs replayed\n", static_cast<long long>(inputs.size()));
    return 0;
}
