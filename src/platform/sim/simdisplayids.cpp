#include "platform/sim/simdisplayids.h"

#include <QSet>

namespace Velmora::Sim {

QList<DisplayInfo> SimDisplayIds::displaysFor(const QList<SimScreenState> &screens, const QList<DisplayInfo> &current)
{
    // Screens that share a key are told apart by their order.
    QList<QString> keys;
    for (const SimScreenState &screen : screens) {
        QString key = screen.key;
        for (int n = 2; keys.contains(key); ++n)
            key = screen.key + QLatin1Char('#') + QString::number(n);
        keys.append(key);
    }
    if (!m_seeded) {
        m_seeded = true;
        for (qsizetype i = 0; i < keys.size() && i < current.size(); ++i) {
            if (current[i].displayId != 0)
                m_ids.insert(keys[i], current[i].displayId);
        }
    }

    QSet<quint32> taken;
    QList<DisplayInfo> displays;
    for (qsizetype i = 0; i < screens.size(); ++i) {
        quint32 id = m_ids.value(keys[i]);
        if (id == 0 || taken.contains(id)) {
            // A new screen: an id from its key, the next free one if that is
            // in use (by a screen here, or remembered for one that may return).
            const QList<quint32> remembered = m_ids.values();
            id = quint32(qHash(keys[i])) | 1u;
            while (id == 0 || taken.contains(id) || remembered.contains(id))
                ++id;
            m_ids.insert(keys[i], id);
        }
        taken.insert(id);
        DisplayInfo display;
        display.displayId = id;
        display.name = screens[i].name;
        display.bounds = screens[i].geometry;
        display.backingScaleFactor = screens[i].scale;
        displays.append(display);
    }
    return displays;
}

} // namespace Velmora::Sim
