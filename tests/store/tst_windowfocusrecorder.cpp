#include "platform/sim/memoryuserdefaults.h"
#include "services/windowfocushistory.h"
#include "services/windowpreviewid.h"
#include "store/taskbarstore.h"
#include "store/windowfocusrecorder.h"
#include "storeworld.h"

#include <QTest>

using namespace Velmora;

// The store and the focus history together on the simulated desktop: the
// application the user switches to gets its focused window recorded.
class TestWindowFocusRecorder : public QObject
{
    Q_OBJECT
private slots:
    void activationRecordsTheFocusedWindow()
    {
        Test::StoreWorld world;
        const qint32 editor = world.addApp("Editor");
        const quint32 first = world.addWindow(editor, QRectF(100, 100, 600, 400), "First");
        const qint32 mail = world.addApp("Mail");
        world.addWindow(mail, QRectF(200, 150, 600, 400), "Inbox");

        WindowFocusHistory history(world.accessibility, world.provider, world.clock);
        WindowFocusRecorder recorder(history);
        world.focusRecorder = &recorder;
        const auto store = world.make(true);

        QVERIFY(world.desktop.activate(editor));
        QCoreApplication::processEvents();
        QVERIFY(history.waitForLookups(5000));
        QCoreApplication::processEvents();
        QVERIFY(history.recency(WindowPreviewId::forWindow(editor, first)).has_value());
    }
};

QTEST_GUILESS_MAIN(TestWindowFocusRecorder)
#include "tst_windowfocusrecorder.moc"
