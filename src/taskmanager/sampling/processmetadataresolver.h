#pragma once

#include "taskmanager/sampling/managedprocess.h"

#include <QString>

#include <optional>

namespace Velmora {

class SystemStatistics;

// Where a process's executable lives and which application bundle holds it.
// Stateless; may be called from any thread with a statistics source that is
// not in use elsewhere.
namespace ProcessMetadataResolver {

std::optional<QString> executablePath(SystemStatistics &statistics, qint32 pid);
// Only while the id still denotes the same run of the process, and only when
// the file is still there.
std::optional<QString> executablePath(SystemStatistics &statistics, const ManagedProcess &process);
// The outermost ".app" folder (any case) on an absolute path; none for a
// relative or empty path.
std::optional<QString> applicationPath(const QString &path);

} // namespace ProcessMetadataResolver

} // namespace Velmora
