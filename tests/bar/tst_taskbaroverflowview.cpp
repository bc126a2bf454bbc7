#include "bar/instantpopover.h"
#include "bar/instantpopoverwindow.h"
#include "bar/model/popovergeometry.h"
#include "bar/model/taskbaroverflowlayout.h"
#include "bar/taskbariconbutton.h"
#include "bar/taskbaroverflowview.h"
#include "popoverworld.h"
#include "store/taskbaroverflowmodel.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Test;

namespace {

QList<AppItem> apps(int count)
{
    QList<AppItem> list;
    for (int i = 0; i < count; ++i) {
        const QString id = QStringLiteral("com.example.App%1").arg(i);
        list.append(AppItem{id, QStringLiteral("App %1").arg(i), id, std::nullopt, false, std::nullopt});
    }
    return list;
}

struct Fixture : PopoverWorld
{
    TaskbarOverflowModel model;
    InstantPopoverPresenter presenter;
    QList<QString> chosen;
    TaskbarOverflowView *view = new TaskbarOverflowView(*store, model, animator, icons,
                                                        [this](const AppItem &app) { chosen.append(app.id); });
    InstantPopover popover{popovers.services(), presenter, anchor, view};
    bool open = false;

    Fixture() { popover.setBinding({[this] { return open; }, [this](bool value) { open = value; }}); }
    void settle()
    {
        QCoreApplication::sendPostedEvents();
        clock.runPending();
    }
};

} // namespace

class TestTaskbarOverflowView : public QObject
{
    Q_OBJECT
private slots:
    void sizesItsGridAboveTheAnchor_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("columns");
        QTest::newRow("one app") << 1 << QSize(64, 64) << 1;
        QTest::newRow("five fill one row") << 5 << QSize(256, 64) << 5;
        QTest::newRow("the sixth starts a row") << 6 << QSize(256, 112) << 5;
        QTest::newRow("eleven: still five columns") << 11 << QSize(256, 160) << 5;
    }
    void sizesItsGridAboveTheAnchor()
    {
        QFETCH(int, count);
        QFETCH(QSize, size);
        QFETCH(int, columns);
        Fixture f;
        f.model.setApps(apps(count));
        f.open = true;
        f.popover.update();
        QVERIFY(f.popover.isShown());
        InstantPopoverWindow *window = f.popover.window();
        QVERIFY(window->isVisible());
        QCOMPARE(window->size(), size);
        QCOMPARE(TaskbarOverflowLayout::columns(count), columns);
        // Centred above the anchor, a small gap off it.
        const QRect anchor = f.anchorFrame();
        QCOMPARE(window->geometry().bottom() + 1, anchor.top() - int(PopoverGeometry::anchorGap));
        QCOMPARE(window->geometry().center().x(), anchor.center().x());
        // The last cell: a partly filled row starts at the left.
        const QString lastID = apps(count).last().id;
        const QPoint lastCell = f.view->cell(lastID)->geometry().topLeft();
        QCOMPARE(lastCell.x(), 10 + ((count - 1) % 5) * 48);
        QCOMPARE(lastCell.y(), 10 + ((count - 1) / 5) * 48);
    }

    void followsTheListWhileOpen()
    {
        Fixture f;
        f.model.setApps(apps(6));
        f.open = true;
        f.popover.update();
        TaskbarIconButton *kept = f.view->cell(apps(6).first().id);
        f.model.setApps(apps(2));
        f.settle();
        QCOMPARE(f.popover.window()->size(), QSize(112, 64));
        QCOMPARE(f.view->cell(apps(6).first().id), kept);
        QCOMPARE(f.view->cell(apps(6).last().id), nullptr);
        // Still above the anchor, centred.
        QCOMPARE(f.popover.window()->geometry().center().x(), f.anchorFrame().center().x());
        // An empty list still has one column.
        f.model.setApps({});
        f.settle();
        QCOMPARE(f.popover.window()->width(), 64);
    }

    void cellsShowRunningAppsAndChooseOnRelease()
    {
        Fixture f;
        QList<AppItem> list = apps(2);
        list[1].isRunning = true;
        f.model.setApps(list);
        TaskbarIconButton *stopped = f.view->cell(list[0].id);
        TaskbarIconButton *running = f.view->cell(list[1].id);
        QVERIFY(running->model().isRunning());
        QVERIFY(!stopped->model().isRunning());
        QVERIFY(!running->model().isActive());
        QCOMPARE(running->toolTip(), list[1].name);
        f.open = true;
        f.popover.update();
        // Pressed in a cell and released outside it: nothing is chosen.
        QTest::mousePress(stopped, Qt::LeftButton, {}, QPoint(22, 22));
        QTest::mouseRelease(stopped, Qt::LeftButton, {}, QPoint(90, 22));
        QVERIFY(f.chosen.isEmpty());
        QTest::mouseClick(stopped, Qt::LeftButton, {}, QPoint(22, 22));
        QCOMPARE(f.chosen, QList<QString>{list[0].id});
    }
};

QTEST_MAIN(TestTaskbarOverflowView)
#include "tst_taskbaroverflowview.moc"
