#include "fuzzsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace Velmora::Fuzz {

namespace {

QTemporaryDir &scratch()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/velmora-fuzz-XXXXXX"));
    return dir;
}

} // namespace

QString scratchFolder()
{
    return scratch().path();
}

void writeFile(const QString &path, QByteArrayView data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data.data(), data.size()) != data.size())
        fail("the file is written", __FILE__, __LINE__, path);
}

void fail(const char *condition, const char *file, int line, const QString &detail)
{
    std::fprintf(stderr, "\n%s:%d: FUZZ_CHECK(%s) failed: %s\n", file, line, condition, qPrintable(detail));
    std::fflush(stderr);
    std::abort();
}

} // namespace Velmora::Fuzz

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static std::unique_ptr<QCoreApplication> application = std::make_unique<QCoreApplication>(*argc, *argv);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", qPrintable(message));
            std::abort();
        }
    });
    if (!Velmora::Fuzz::scratch().isValid())
        Velmora::Fuzz::fail("a scratch folder", __FILE__, __LINE__, QDir::tempPath());
    return 0;
}
