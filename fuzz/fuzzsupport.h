#pragma once

#include <QByteArrayView>
#include <QString>

// What every fuzz target shares: a Qt application object, quiet logging (the
// readers log every refused input, thousands of times a second), a scratch
// folder for files, and checks that end the run with a report.
namespace Velmora::Fuzz {

// A folder of this run's own under $TMPDIR, removed when the run ends.
QString scratchFolder();

// Writes `data` to `path`, creating folders on the way; ends the run when it cannot.
void writeFile(const QString &path, QByteArrayView data);

// Ends the run: a property that must hold for every input does not.
[[noreturn]] void fail(const char *condition, const char *file, int line, const QString &detail);

} // namespace Velmora::Fuzz

#define FUZZ_CHECK(condition, detail)                                                                                  \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            ::Velmora::Fuzz::fail(#condition, __FILE__, __LINE__, (detail));                                           \
    } while (false)
