#pragma once

#include <QString>
#include <QTemporaryDir>

namespace Velmora::Test {

// Writes `contents` to `relativePath` under `dir`, creating folders on the way.
// Returns false (and the test should fail) when the file cannot be written.
bool writeFile(const QTemporaryDir &dir, const QString &relativePath, const QByteArray &contents);

} // namespace Velmora::Test
