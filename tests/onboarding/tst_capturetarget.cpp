#include "onboarding/model/capturetarget.h"

#include <QTest>

using namespace Velmora;

Q_DECLARE_METATYPE(Velmora::ShareableContent)
Q_DECLARE_METATYPE(std::optional<Velmora::CaptureTarget>)

namespace {

constexpr qint32 ownPid = 100;

ShareableWindow window(quint32 id, qint32 owner, double width, qint64 layer = 0, bool hasOwner = true)
{
    ShareableWindow w;
    w.windowId = id;
    w.ownerPid = owner;
    w.frame = QRectF(10, 10, width, 300);
    w.isOnScreen = true;
    w.layer = layer;
    w.hasOwningApplication = hasOwner;
    return w;
}

std::optional<CaptureTarget> windowTarget(quint32 id)
{
    return CaptureTarget{CaptureTarget::Kind::window, id};
}

std::optional<CaptureTarget> displayTarget(quint32 id)
{
    return CaptureTarget{CaptureTarget::Kind::display, id};
}

} // namespace

class TestCaptureTarget : public QObject
{
    Q_OBJECT
private slots:
    void choosesAnotherApplicationsOrdinaryWindow_data()
    {
        QTest::addColumn<ShareableContent>("content");
        QTest::addColumn<std::optional<CaptureTarget>>("target");

        const QList<quint32> displays{7, 8};
        QTest::newRow("first qualifying window, in the order given")
            << ShareableContent{{window(1, 200, 400), window(2, 300, 400)}, displays} << windowTarget(1);
        QTest::newRow("ours are skipped")
            << ShareableContent{{window(1, ownPid, 800), window(2, 200, 400)}, displays} << windowTarget(2);
        QTest::newRow("a window owned by nobody qualifies, even with our number")
            << ShareableContent{{window(1, ownPid, 400, 0, false)}, displays} << windowTarget(1);
        QTest::newRow("another layer is skipped")
            << ShareableContent{{window(1, 200, 400, 20), window(2, 200, 400, -1), window(3, 200, 400)}, displays}
            << windowTarget(3);
        QTest::newRow("exactly 50 wide is too narrow, 51 is not")
            << ShareableContent{{window(1, 200, 50), window(2, 200, 51)}, displays} << windowTarget(2);
        QTest::newRow("only our windows: the first display")
            << ShareableContent{{window(1, ownPid, 800), window(2, ownPid, 400)}, displays} << displayTarget(7);
        QTest::newRow("only narrow and layered windows: the first display")
            << ShareableContent{{window(1, 200, 50), window(2, 200, 600, 3)}, displays} << displayTarget(7);
        QTest::newRow("no windows and no displays: nothing")
            << ShareableContent{{window(1, ownPid, 800)}, {}} << std::optional<CaptureTarget>();
        QTest::newRow("empty content") << ShareableContent{} << std::optional<CaptureTarget>();
    }
    void choosesAnotherApplicationsOrdinaryWindow()
    {
        QFETCH(ShareableContent, content);
        QFETCH(std::optional<CaptureTarget>, target);
        QCOMPARE(CaptureTarget::choose(content, ownPid), target);
    }
};

QTEST_GUILESS_MAIN(TestCaptureTarget)
#include "tst_capturetarget.moc"
