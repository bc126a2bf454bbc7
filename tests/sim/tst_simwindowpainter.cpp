#include "platform/sim/simwindowpainter.h"
#include "platform/sim/simworld.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;

namespace {

SimWindow window()
{
    SimWindow w;
    w.number = 7;
    w.ownerPid = 400;
    w.bounds = QRectF(100, 50, 400, 300);
    w.title = QStringLiteral("Notes");
    return w;
}

// A point of the window's image, given in global coordinates.
QRgb pixelAt(const QImage &image, const SimWindow &w, const QPointF &global)
{
    const QPointF local = global - w.bounds.topLeft();
    return image.pixel(int(local.x()), int(local.y()));
}

} // namespace

class TestSimWindowPainter : public QObject
{
    Q_OBJECT

private slots:
    void buttonsSitWhereTheDesktopSaysTheyAre_data()
    {
        QTest::addColumn<bool>("active");
        QTest::newRow("active application") << true;
        QTest::newRow("inactive application") << false;
    }
    void buttonsSitWhereTheDesktopSaysTheyAre()
    {
        QFETCH(bool, active);
        const SimWindow w = window();
        const SimWindowPainter::Owner owner{QStringLiteral("Notes"), QStringLiteral("com.example.Notes"), active};
        const QImage image = SimWindowPainter::image(w, owner, w.bounds.size().toSize());

        const SimNode::Kind kinds[] = {SimNode::Kind::CloseButton, SimNode::Kind::MinimizeButton,
            SimNode::Kind::ZoomButton};
        for (int slot = 0; slot < 3; ++slot) {
            const QPointF centre = SimWorld::buttonFrame(w, kinds[slot]).center();
            const QColor expected = active ? SimWindowPainter::buttonColour(slot) : SimWindowPainter::inactiveButtonColour();
            QCOMPARE(pixelAt(image, w, centre), expected.rgb());
        }
        // The title bar in the owner's colour, right of the title.
        const QPointF titleBar(w.bounds.right() - 20, w.bounds.top() + SimWindowPainter::titleBarHeight / 2);
        QCOMPARE(pixelAt(image, w, titleBar), SimWindowPainter::titleBarColour(owner.key).rgb());
        // Below the title bar the content starts.
        const QPointF content(w.bounds.right() - 4, w.bounds.top() + SimWindowPainter::titleBarHeight + 4);
        QVERIFY(pixelAt(image, w, content) != SimWindowPainter::titleBarColour(owner.key).rgb());
    }

    void aScaledCaptureKeepsTheLook()
    {
        const SimWindow w = window();
        const SimWindowPainter::Owner owner{QStringLiteral("Notes"), QStringLiteral("com.example.Notes"), true};
        const QImage half = SimWindowPainter::image(w, owner, QSize(200, 150));
        QCOMPARE(half.size(), QSize(200, 150));
        QCOMPARE(half.pixel(190, 7), SimWindowPainter::titleBarColour(owner.key).rgb());
        // Different applications, different colours.
        QVERIFY(SimWindowPainter::ownerColour(QStringLiteral("com.example.Mail"))
            != SimWindowPainter::ownerColour(QStringLiteral("com.example.Notes")));
    }
};

QTEST_MAIN(TestSimWindowPainter)
#include "tst_simwindowpainter.moc"
