#include "viewmodel/viewmodel.h"
#include "platform/sim/virtualclock.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;

namespace {

class Source : public QObject
{
    Q_OBJECT
signals:
    void appsChanged();
    void flagChanged(bool value);
};

// Records what the views would see when they hear of a change.
class RecordingViewModel : public ViewModel
{
public:
    using ViewModel::ViewModel;
    QList<Changes> refreshed;

protected:
    void refresh(Changes changes) override { refreshed.append(changes); }
};

enum : ViewModel::Changes { Apps = 1, Flags = 2 };

} // namespace

class TestViewModel : public QObject
{
    Q_OBJECT
private slots:
    // A burst of store changes reaches the views as one update with all of
    // them, on the next turn, after the view-model refreshed itself.
    void gathersChangesIntoOneUpdatePerTurn()
    {
        Sim::VirtualClock clock;
        Source source;
        RecordingViewModel model(clock);
        model.follow(&source, &Source::appsChanged, Apps);
        model.follow(&source, &Source::flagChanged, Flags);
        QSignalSpy changed(&model, &ViewModel::changed);

        emit source.appsChanged();
        emit source.flagChanged(true);
        emit source.appsChanged();
        QCOMPARE(changed.count(), 0);
        QCOMPARE(model.pendingChanges(), ViewModel::Changes(Apps | Flags));
        clock.runPending();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toUInt(), quint32(Apps | Flags));
        QCOMPARE(model.refreshed, QList<ViewModel::Changes>({ Apps | Flags }));

        // Nothing more happened: nothing more is told.
        clock.advance(100);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(clock.pendingJobCount(), 0);

        emit source.flagChanged(false);
        clock.runPending();
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.last().first().toUInt(), quint32(Flags));
    }

    void flushDeliversAtOnceAndOnlyOnce()
    {
        Sim::VirtualClock clock;
        RecordingViewModel model(clock);
        QSignalSpy changed(&model, &ViewModel::changed);
        model.invalidate(Apps);
        model.flush();
        QCOMPARE(changed.count(), 1);
        clock.runPending();
        QCOMPARE(changed.count(), 1);
        model.flush(); // nothing pending
        QCOMPARE(changed.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestViewModel)
#include "tst_viewmodel.moc"
