#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace Velmora {

// The screen edge the Dock sits on. The raw values are what the Dock's
// preferences store under "orientation".
enum class DockEdge { left, bottom, right };

namespace DockEdges {

const QList<DockEdge> &allCases();
QString rawValue(DockEdge edge);
// Exactly the three raw values, case-sensitive; nothing for any other text.
std::optional<DockEdge> fromRawValue(const QString &raw);

} // namespace DockEdges

} // namespace Velmora
