#include "services/velmoraownwindows.h"

#include <QTest>
#include <QWindow>

#include <memory>
#include <vector>

using Velmora::VelmoraOwnWindows;
using Role = VelmoraOwnWindows::Role;

Q_DECLARE_METATYPE(Role)

namespace {

enum class Shown { Visible, Hidden, Minimized, HiddenMinimized };

std::unique_ptr<QWindow> makeWindow(const QString &title, Role role, Shown shown,
                                    Qt::WindowFlags flags = Qt::Window)
{
    auto window = std::make_unique<QWindow>();
    window->setFlags(flags);
    window->setTitle(title);
    window->resize(300, 200);
    VelmoraOwnWindows::setRole(window.get(), role);
    switch (shown) {
    case Shown::Visible:
        window->show();
        break;
    case Shown::Minimized:
        window->showMinimized();
        break;
    case Shown::HiddenMinimized:
        window->setWindowStates(Qt::WindowMinimized);
        break;
    case Shown::Hidden:
        break;
    }
    return window;
}

} // namespace

class TestVelmoraOwnWindows : public QObject
{
    Q_OBJECT
private slots:
    void oneWindowDecidesTheEntry_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<Role>("role");
        QTest::addColumn<Shown>("shown");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("entry"); // empty: no entry

        const int window = int(Qt::Window);
        QTest::newRow("visible titled window") << "Report" << Role::None << Shown::Visible << window << "Report";
        QTest::newRow("empty title") << "" << Role::None << Shown::Visible << window << "Velmora";
        QTest::newRow("hidden, not minimized") << "Report" << Role::None << Shown::Hidden << window << "";
        QTest::newRow("minimized while shown") << "Report" << Role::None << Shown::Minimized << window << "Report";
        QTest::newRow("minimized, never shown") << "Report" << Role::None << Shown::HiddenMinimized << window << "Report";
        QTest::newRow("frameless is untitled") << "Report" << Role::None << Shown::Visible
                                               << int(Qt::Window | Qt::FramelessWindowHint) << "";
        QTest::newRow("tool window is a panel") << "Report" << Role::None << Shown::Visible << int(Qt::Tool) << "";
        QTest::newRow("popup is a panel") << "Report" << Role::None << Shown::Visible << int(Qt::Popup) << "";
        for (Role role : {Role::Settings, Role::Onboarding, Role::TaskManager, Role::Panel}) {
            const QByteArray name = VelmoraOwnWindows::identifier(role).toUtf8();
            QTest::newRow(name + " visible") << "Own" << role << Shown::Visible << window << "";
            QTest::newRow(name + " minimized") << "Own" << role << Shown::Minimized << window << "";
        }
    }
    void oneWindowDecidesTheEntry()
    {
        QFETCH(QString, title);
        QFETCH(Role, role);
        QFETCH(Shown, shown);
        QFETCH(int, flags);
        QFETCH(QString, entry);

        auto window = makeWindow(title, role, shown, Qt::WindowFlags(flags));
        const auto snapshot = VelmoraOwnWindows::snapshot(window.get());
        const auto result = VelmoraOwnWindows::buttonTitle({snapshot});
        QCOMPARE(result.value_or(QString()), entry);
        QCOMPARE(result.has_value(), !entry.isEmpty());
        QCOMPARE(VelmoraOwnWindows::windows().contains(window.get()), !entry.isEmpty());
    }

    void firstQualifyingWindowInOrderGivesTheTitle()
    {
        std::vector<std::unique_ptr<QWindow>> windows;
        windows.push_back(makeWindow("Settings", Role::Settings, Shown::Visible));
        windows.push_back(makeWindow("Closed", Role::None, Shown::Hidden));
        windows.push_back(makeWindow("First", Role::None, Shown::Visible));
        windows.push_back(makeWindow("Second", Role::None, Shown::Minimized));

        QList<VelmoraOwnWindows::Snapshot> snapshots;
        for (const auto &w : windows)
            snapshots.append(VelmoraOwnWindows::snapshot(w.get()));
        QCOMPARE(VelmoraOwnWindows::buttonTitle(snapshots), std::optional<QString>("First"));
        QCOMPARE(VelmoraOwnWindows::windows(), (QList<QWindow *>{windows[2].get(), windows[3].get()}));
    }

    void roleMarkerRoundTrips()
    {
        QWindow window;
        QCOMPARE(VelmoraOwnWindows::role(&window), Role::None);
        VelmoraOwnWindows::setRole(&window, Role::Settings);
        QCOMPARE(window.property(VelmoraOwnWindows::roleProperty).toString(), QString("Velmora.Settings"));
        QCOMPARE(VelmoraOwnWindows::role(&window), Role::Settings);
        VelmoraOwnWindows::setRole(&window, Role::None);
        QCOMPARE(VelmoraOwnWindows::role(&window), Role::None);
    }
};

QTEST_MAIN(TestVelmoraOwnWindows)
#include "tst_velmoraownwindows.moc"
