#include "taskmanager/sampling/topconsumers.h"

#include <QTest>

using namespace Velmora;

namespace {

ProcessResourceShare share(const QString &name, double cpu, std::optional<AppIdentity> app = std::nullopt,
    std::optional<QString> executable = std::nullopt)
{
    ProcessResourceShare s;
    s.name = name;
    s.app = std::move(app);
    s.executable = std::move(executable);
    s.cpu = cpu;
    return s;
}

const AppIdentity mail { "/Applications/Mail.app", "Mail" };

} // namespace

class TestTopConsumers : public QObject
{
    Q_OBJECT
private slots:
    void groupsAndDescribes_data()
    {
        QTest::addColumn<QList<ProcessResourceShare>>("shares");
        QTest::addColumn<QList<AppUsage>>("expected");

        QTest::newRow("one bundle, three processes")
            << QList { share("Mail", 40, mail), share("Mail Web Content", 5, mail), share("Mail Worker", 1, mail) }
            << QList { AppUsage { "Mail", "Mail + 2 more", mail.path, 46 } };
        QTest::newRow("the leader need not come first")
            << QList { share("Mail Worker", 1, mail), share("Mail Web Content", 5, mail) }
            << QList { AppUsage { "Mail", "Mail Web Content + 1 more", mail.path, 6 } };
        QTest::newRow("lone process named unlike its bundle")
            << QList { share("Mail Web Content", 5, mail) }
            << QList { AppUsage { "Mail", "Mail Web Content", mail.path, 5 } };
        QTest::newRow("lone process named like its bundle")
            << QList { share("Mail", 5, mail) } << QList { AppUsage { "Mail", std::nullopt, mail.path, 5 } };
        QTest::newRow("processes without a bundle stay apart, even with one name")
            << QList { share("worker", 3, std::nullopt, "/usr/bin/worker"), share("worker", 2) }
            << QList { AppUsage { "worker", std::nullopt, "/usr/bin/worker", 3 },
                   AppUsage { "worker", std::nullopt, {}, 2 } };
        QTest::newRow("no use gives no rows")
            << QList { share("idle", 0), share("odd", -1), share("nan", qQNaN()) } << QList<AppUsage> {};
        QTest::newRow("equal totals by name, upper case first") << QList {
            share("mail", 2), share("Zoom", 2), share("Xcode", 2)
        } << QList { AppUsage { "Xcode", {}, {}, 2 }, AppUsage { "Zoom", {}, {}, 2 }, AppUsage { "mail", {}, {}, 2 } };
        // U+FF21 comes before U+1F600, although its UTF-16 unit sorts after
        // the emoji's surrogates.
        QTest::newRow("equal totals by code point beyond U+FFFF")
            << QList { share(QString::fromUcs4(U"\U0001F600"), 2), share(QString::fromUcs4(U"\uFF21"), 2) }
            << QList { AppUsage { QString::fromUcs4(U"\uFF21"), {}, {}, 2 },
                   AppUsage { QString::fromUcs4(U"\U0001F600"), {}, {}, 2 } };
    }

    void groupsAndDescribes()
    {
        QFETCH(QList<ProcessResourceShare>, shares);
        QFETCH(QList<AppUsage>, expected);
        QCOMPARE(TopConsumers::top(shares, &ProcessResourceShare::cpu, 3), expected);
    }

    void limitsEachResourceOnItsOwn()
    {
        QList<ProcessResourceShare> shares;
        for (int i = 1; i <= 5; ++i) {
            ProcessResourceShare s = share(QStringLiteral("p%1").arg(i), i);
            s.memory = 1000.0 * (6 - i);
            shares.append(s);
        }
        shares[4].network = 7;
        const TopConsumers top = TopConsumers::rank(shares, 3);
        QVERIFY(top.isAvailable);
        QCOMPARE(top.cpu.size(), 3);
        QCOMPARE(top.cpu.first().name, QStringLiteral("p5"));
        QCOMPARE(top.memory.first().name, QStringLiteral("p1"));
        QVERIFY(top.disk.isEmpty());
        QCOMPARE(top.network, (QList { AppUsage { "p5", {}, {}, 7 } }));
        QCOMPARE(TopConsumers::rank(shares, 10).cpu.size(), 5);
        QVERIFY(TopConsumers::rank(shares, 0).cpu.isEmpty());
        QVERIFY(!TopConsumers {}.isAvailable);
    }
};

QTEST_GUILESS_MAIN(TestTopConsumers)
#include "tst_topconsumers.moc"
