#include "startmenu/model/appsections.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <numeric>

namespace Velmora {

namespace {

const QString otherKey = QStringLiteral("#");

bool hasLetterOrMark(const QString &text)
{
    const QList<uint> codePoints = text.toUcs4();
    return std::any_of(codePoints.begin(), codePoints.end(),
                       [](uint c) { return QChar::isLetter(char32_t(c)) || QChar::isMark(char32_t(c)); });
}

} // namespace

AppSections::AppSections(const QLocale &locale)
    : m_collator(locale)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

QString AppSections::sectionKey(const QString &name)
{
    if (name.isEmpty())
        return otherKey;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, name);
    const qsizetype end = graphemes.toNextBoundary();
    const QString first = name.left(end > 0 ? end : 1);
    const QString key = first.toUpper().normalized(QString::NormalizationForm_C);
    return hasLetterOrMark(key) ? key : otherKey;
}

const AppSections::NameKeys &AppSections::keysFor(const QString &name)
{
    auto found = m_keys.find(name);
    if (found == m_keys.end())
        found = m_keys.insert(name, NameKeys{m_collator.sortKey(name), sectionKey(name)});
    return *found;
}

QList<AppSection> AppSections::group(const QList<AppItem> &apps)
{
    // Every name's keys first: an insertion may move the others, so the
    // pointers are taken once nothing is added any more.
    for (const AppItem &app : apps)
        keysFor(app.name);
    std::vector<const NameKeys *> keys;
    keys.reserve(apps.size());
    for (const AppItem &app : apps)
        keys.push_back(&*m_keys.constFind(app.name));
    std::vector<qsizetype> order(apps.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](qsizetype a, qsizetype b) { return keys[a]->sortKey.compare(keys[b]->sortKey) < 0; });

    QList<AppSection> sections;
    QHash<QString, qsizetype> sectionOf;
    for (qsizetype index : order) {
        const QString &letter = keys[index]->letter;
        auto found = sectionOf.constFind(letter);
        if (found == sectionOf.cend()) {
            found = sectionOf.insert(letter, sections.size());
            sections.append(AppSection{letter, {}});
        }
        sections[*found].apps.append(apps.at(index));
    }
    return sections;
}

const QList<AppSection> &AppSections::sections(const QList<AppItem> &apps)
{
    if (m_lastApps && *m_lastApps == apps)
        return m_lastSections;
    m_lastSections = group(apps);
    m_lastApps = apps;
    ++m_groupings;
    return m_lastSections;
}

} // namespace Velmora
