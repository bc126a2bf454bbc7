#pragma once

#include "startmenu/model/appsection.h"

#include <QCollator>
#include <QHash>
#include <QLocale>

#include <optional>

namespace Velmora {

// The Start menu's app list in letter sections, and the memo that keeps the
// last grouping. One instance serves the Start menus of every display: while
// the list to show is the one grouped last, nothing is sorted again.
//
// Apps are sorted by name, case-insensitively in the locale's order; equal
// names keep their incoming order. A section's key is the first character a
// person sees (a whole grapheme) in upper case and composed form, so a
// decomposed "É" joins the composed one and "ß" gives "SS"; a key without a
// letter or mark (digits, punctuation, emoji, an empty name) is "#". Accents
// are not folded: "É" and "E" are two sections. Sections come in the order
// of their first app. Main thread only.
class AppSections
{
public:
    explicit AppSections(const QLocale &locale = QLocale());

    // The sections of `apps`, from the memo when `apps` equals the list
    // grouped last (every field of every item), else grouped afresh.
    const QList<AppSection> &sections(const QList<AppItem> &apps);
    // Groups `apps` without looking at the memo.
    QList<AppSection> group(const QList<AppItem> &apps);
    // How many times sections() had to group.
    int groupings() const { return m_groupings; }

    // The section key of a name.
    static QString sectionKey(const QString &name);

private:
    struct NameKeys
    {
        QCollatorSortKey sortKey;
        QString letter;
    };
    const NameKeys &keysFor(const QString &name);

    QCollator m_collator;
    // Per name, so a keystroke sorts on keys made once rather than comparing
    // names through the collator again.
    QHash<QString, NameKeys> m_keys;
    std::optional<QList<AppItem>> m_lastApps;
    QList<AppSection> m_lastSections;
    int m_groupings = 0;
};

} // namespace Velmora
