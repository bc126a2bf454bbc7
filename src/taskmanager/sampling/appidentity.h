#pragma once

#include <QHashFunctions>
#include <QString>

namespace Velmora {

// The application bundle a process belongs to.
struct AppIdentity
{
    QString path; // the bundle folder
    QString name; // its file name without extension

    friend bool operator==(const AppIdentity &, const AppIdentity &) = default;
};

inline size_t qHash(const AppIdentity &identity, size_t seed = 0)
{
    return qHashMulti(seed, identity.path, identity.name);
}

} // namespace Velmora
