#pragma once

#include "taskmanager/sampling/managedprocess.h"

#include <QString>
#include <QUrl>

#include <optional>

namespace Velmora {

class SystemStatistics;

// Where a process's executable lives and which application bundle holds it.
// Stateless; may be called from any thread.
namespace ProcessMetadataResolver {

std::optional<QString> executablePath(SystemStatistics &statistics, qint32 pid);
// Only while the id still denotes the same run of the process, and only when
// the file is still there.
std::optional<QString> executablePath(SystemStatistics &statistics, const ManagedProcess &process);
// The file URL of the outermost ".app" folder (any case) that holds the
// path; none for a relative or empty path.
std::optional<QUrl> applicationURL(const QString &path);

} // namespace ProcessMetadataResolver

} // namespace Velmora
