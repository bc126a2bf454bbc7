#include "app/taskbarpanel.h"
#include "bar/x11windowtype.h"

#include <QPushButton>
#include <QTest>
#include <QToolTip>

using namespace Velmora;

class TestTaskbarPanel : public QObject
{
    Q_OBJECT

private slots:
    // The bar never takes the keyboard, so it is never the active window:
    // its buttons' help tags ("Start", "Search") must show all the same.
    void helpTagsShowOnTheInactiveBar()
    {
        QWidget typing;
        typing.setGeometry(100, 50, 300, 200);
        typing.show();
        typing.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&typing));

        TaskbarPanel panel;
        auto *start = new QPushButton;
        start->setToolTip(QStringLiteral("Start"));
        panel.setContent(start);
        panel.setGeometry(0, 543, 800, 57);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        // Offscreen, a shown window is activated whatever it asks for.
        typing.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&typing));
        QVERIFY(!panel.isActiveWindow());
        // A window manager keeps it above other windows as a dock.
        QVERIFY(X11WindowType::isSet(&panel, X11WindowType::Type::Dock));

        QTest::mouseMove(start, QPoint(10, 10));
        QTest::mouseMove(start, QPoint(12, 10));
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 5000);
        QCOMPARE(QToolTip::text(), QStringLiteral("Start"));
    }
};

QTEST_MAIN(TestTaskbarPanel)
#include "tst_taskbarpanel.moc"
