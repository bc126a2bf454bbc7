#include "startmenu/model/appsections.h"

#include <QTest>

using namespace Velmora;

namespace {

QList<AppItem> named(const QStringList &names)
{
    QList<AppItem> apps;
    int n = 0;
    for (const QString &name : names) {
        const QString id = QStringLiteral("app%1").arg(n++);
        apps.append(AppItem{id, name, id, std::nullopt, false, std::nullopt});
    }
    return apps;
}

// "A: Archive | É: éclair, Étoile" — each section with its apps' names.
QString describe(const QList<AppSection> &sections)
{
    QStringList parts;
    for (const AppSection &section : sections) {
        QStringList names;
        for (const AppItem &app : section.apps)
            names << (app.name.isEmpty() ? QStringLiteral("<empty>") : app.name);
        parts << section.letter + QStringLiteral(": ") + names.join(QStringLiteral(", "));
    }
    return parts.join(QStringLiteral(" | "));
}

const QLocale english(QLocale::English, QLocale::UnitedStates);

} // namespace

class TestAppSections : public QObject
{
    Q_OBJECT
private slots:
    void grouping_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("expected");

        QTest::newRow("accents keep their own section; an empty name sorts first under #")
            << english << QStringList{"Zither", "3D Viewer", "éclair", "Archive", "Étoile", ""}
            << "#: <empty>, 3D Viewer | A: Archive | É: éclair, Étoile | Z: Zither";
        QTest::newRow("a decomposed É joins the composed one")
            << english << QStringList{QStringLiteral("E\u0301toile"), QStringLiteral("\u00C9clair")}
            << QStringLiteral("\u00C9: \u00C9clair, E\u0301toile");
        QTest::newRow("digits, punctuation and emoji go under #")
            << english << QStringList{"1Password", "(Beta)", QStringLiteral("\U0001F600 Smiles"), "Notes"}
            << QStringLiteral("#: (Beta), \U0001F600 Smiles, 1Password | N: Notes");
        QTest::newRow("a lower-case letter goes to the upper-case section")
            << english << QStringList{"notes", "Numbers"} << "N: notes, Numbers";
        QTest::newRow("sharp s upper-cases to a two-letter key")
            << QLocale(QLocale::German, QLocale::Germany) << QStringList{QStringLiteral("\u00DFtadt"), "Safari"}
            << QStringLiteral("S: Safari | SS: \u00DFtadt");
        QTest::newRow("equal names keep their installed order")
            << english << QStringList{"Mail", "mail", "Mail"} << "M: Mail, mail, Mail";
        QTest::newRow("German sorts Ö with O")
            << QLocale(QLocale::German, QLocale::Germany) << QStringList{"Zebra", QStringLiteral("\u00D6land"), "Oboe"}
            << QStringLiteral("O: Oboe | \u00D6: \u00D6land | Z: Zebra");
        QTest::newRow("Swedish sorts Ö after Z")
            << QLocale(QLocale::Swedish, QLocale::Sweden) << QStringList{"Zebra", QStringLiteral("\u00D6land"), "Oboe"}
            << QStringLiteral("O: Oboe | Z: Zebra | \u00D6: \u00D6land");
    }
    void grouping()
    {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, names);
        QFETCH(QString, expected);
        AppSections sections(locale);
        QCOMPARE(describe(sections.group(named(names))), expected);
    }

    // A long list grows the memo's key table while it is grouped.
    void aLongListGroupsEveryApp()
    {
        QStringList names;
        for (int i = 0; i < 600; ++i)
            names << QStringLiteral("%1 App %2").arg(QChar(u'A' + i % 26)).arg(i);
        AppSections sections(english);
        const QList<AppSection> grouped = sections.group(named(names));
        QCOMPARE(grouped.size(), 26);
        qsizetype total = 0;
        for (const AppSection &section : grouped) {
            total += section.apps.size();
            for (const AppItem &app : section.apps)
                QVERIFY(app.name.startsWith(section.letter));
        }
        QCOMPARE(total, 600);
    }

    void theMemoRegroupsOnlyWhenTheResultsDiffer()
    {
        AppSections sections(english);
        const QList<AppItem> apps = named({"Notes", "Archive"});
        const QList<AppSection> first = sections.sections(apps);
        QCOMPARE(sections.groupings(), 1);
        // An equal list from another display's menu (a copy, not the same list).
        QCOMPARE(sections.sections(named({"Notes", "Archive"})), first);
        QCOMPARE(sections.groupings(), 1);

        // Any field counts: an app that started running is a different result.
        QList<AppItem> changed = apps;
        changed[0].isRunning = true;
        QCOMPARE(sections.sections(changed).first().apps.first(), changed[1]);
        QCOMPARE(sections.sections(changed).last().apps.first().isRunning, true);
        QCOMPARE(sections.groupings(), 2);
        QVERIFY(sections.sections({}).isEmpty());
        QCOMPARE(sections.groupings(), 3);
    }
};

QTEST_GUILESS_MAIN(TestAppSections)
#include "tst_appsections.moc"
