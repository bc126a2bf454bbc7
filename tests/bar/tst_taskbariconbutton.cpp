#include "bar/taskbariconbutton.h"
#include "platform/sim/virtualclock.h"
#include "store/velmoraicon.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

using namespace Velmora;

namespace {

// A black strip behind the button, so what the button paints can be read
// back from a grab; it counts the presses that travel up to it.
class Backdrop : public QWidget
{
public:
    Backdrop()
    {
        QPalette black = palette();
        black.setColor(QPalette::Window, Qt::black);
        setPalette(black);
        setAutoFillBackground(true);
        resize(44, 44);
    }
    int pressesReceived = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++pressesReceived; }
};

struct Fixture
{
    Sim::VirtualClock clock;
    Animator animator { clock, clock };
    Backdrop backdrop;
    TaskbarIconButton *button = new TaskbarIconButton(animator, &backdrop);
    int presses = 0;
    QString releases;
    int actions = 0;

    explicit Fixture(bool tracked)
    {
        animator.setInstant(true);
        if (tracked)
            button->model().setPressHandlers([this] { ++presses; },
                                             [this](bool inside) { releases += inside ? u'i' : u'o'; });
        button->model().setAction([this] { ++actions; });
        backdrop.show();
    }
    QColor pixel(int x, int y) { return backdrop.grab().toImage().pixelColor(x, y); }
};

} // namespace

class TestTaskbarIconButton : public QObject
{
    Q_OBJECT
private slots:
    // Probes of the highlight at (4, 22), the indicator's middle at (22, 40)
    // and a point of it that only the wide one reaches, (15, 40).
    void paintsEachState_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("hovering");
        QTest::addColumn<int>("fill");      // grey level of the highlight over black
        QTest::addColumn<QString>("middle"); // "none", "white", "accent"
        QTest::addColumn<bool>("wide");
        QTest::newRow("idle") << false << false << false << 0 << "none" << false;
        QTest::newRow("hovered") << false << false << true << 26 << "none" << false;
        QTest::newRow("active") << true << false << false << 41 << "accent" << true;
        QTest::newRow("active and hovered") << true << false << true << 41 << "accent" << true;
        QTest::newRow("running") << false << true << false << 0 << "white" << false;
    }
    void paintsEachState()
    {
        QFETCH(bool, active);
        QFETCH(bool, running);
        QFETCH(bool, hovering);
        QFETCH(int, fill);
        QFETCH(QString, middle);
        QFETCH(bool, wide);
        Fixture f(false);
        f.button->model().setActive(active);
        f.button->model().setRunning(running);
        f.button->model().setHovering(hovering);
        const QImage image = f.backdrop.grab().toImage();
        QVERIFY2(qAbs(image.pixelColor(4, 22).red() - fill) <= 2, qPrintable(image.pixelColor(4, 22).name()));

        const QColor centre = image.pixelColor(22, 40);
        const QColor accent = f.button->palette().color(QPalette::Highlight);
        if (middle == "none")
            QCOMPARE(centre, image.pixelColor(4, 40));
        else if (middle == "white")
            QVERIFY2(centre.red() > 170 && centre.red() == centre.blue(), qPrintable(centre.name()));
        else
            QVERIFY2(qAbs(centre.blue() - accent.blue()) < 8 && qAbs(centre.red() - accent.red()) < 8,
                     qPrintable(centre.name()));
        QCOMPARE(image.pixelColor(15, 40) != image.pixelColor(4, 40), wide);
        // The hover outline shows on the edge whenever the pointer is over it.
        QCOMPARE(image.pixelColor(0, 22).red() > image.pixelColor(4, 22).red(), hovering);
    }

    // A template label (the Start glyph) is painted in the label colour.
    void templateLabelIsTintedWhite()
    {
        Fixture f(false);
        f.button->setLabel({ VelmoraIcon::icon(VelmoraIcon::Drawing::StartGlyph), QSizeF(28, 28) });
        // The ridge of the house: (9, 2.6) of 18 units, in a 28-point label centred in 44.
        const QColor ridge = f.pixel(22, 12);
        QVERIFY2(ridge.red() > 200 && ridge.red() == ridge.blue(), qPrintable(ridge.name()));
        QCOMPARE(f.pixel(22, 22), QColor(Qt::black)); // inside the outline
    }

    void trackedButtonReportsPressAndWhereItEnded()
    {
        Fixture f(true);
        QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(f.presses, 1);
        QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(60, 20));
        QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(43, 43));
        QCOMPARE(f.releases, QString("oi"));
        QCOMPARE(f.actions, 0);
        // Activation other than by the mouse (accessibility) runs the action.
        f.button->click();
        QCOMPARE(f.actions, 1);
        QCOMPARE(f.presses, 2);
    }

    // Right-clicks and Control-clicks are not taken: they travel on to the
    // views beneath, where the context menus are.
    void menuClicksPassBeneath_data()
    {
        QTest::addColumn<bool>("tracked");
        QTest::newRow("tracked") << true;
        QTest::newRow("plain") << false;
    }
    void menuClicksPassBeneath()
    {
        QFETCH(bool, tracked);
        Fixture f(tracked);
        QTest::mouseClick(f.button, Qt::RightButton);
        QTest::mouseClick(f.button, Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(f.backdrop.pressesReceived, 2);
        QCOMPARE(f.presses, 0);
        QCOMPARE(f.releases, QString());
        QCOMPARE(f.actions, 0);
    }

    // One physical click fires once; a double click is two clicks.
    void plainButtonClicksOncePerClick()
    {
        Fixture f(false);
        QTest::mouseClick(f.button, Qt::LeftButton);
        QCOMPARE(f.actions, 1);
        QTest::mouseRelease(f.button, Qt::LeftButton); // a stray release
        QCOMPARE(f.actions, 1);
        QTest::mousePress(f.button, Qt::LeftButton);
        QTest::mouseRelease(f.button, Qt::LeftButton);
        QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(20, 20), f.button->mapToGlobal(QPointF(20, 20)),
                           Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.button, &second);
        QTest::mouseRelease(f.button, Qt::LeftButton);
        QCOMPARE(f.actions, 3);
        QTest::mousePress(f.button, Qt::LeftButton);
        QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(f.actions, 3);
    }

    // A button hidden in mid-press never gets its release: the press ends
    // there, as a release outside, so whatever it opened closes again.
    void hidingMidPressEndsThePress()
    {
        Fixture f(true);
        QTest::mousePress(f.button, Qt::LeftButton);
        f.button->hide();
        QCOMPARE(f.releases, QString("o"));
        f.button->show();
        QTest::mouseRelease(f.button, Qt::LeftButton);
        QCOMPARE(f.releases, QString("o"));
    }

    void helpTagAndNameFollowTheTitle()
    {
        Fixture f(false);
        f.button->model().setTitle("Start");
        QCOMPARE(f.button->toolTip(), QString("Start"));
        QCOMPARE(f.button->accessibleName(), QString("Start"));
        f.button->model().setShowsSystemHelp(false);
        QCOMPARE(f.button->toolTip(), QString());
        QCOMPARE(f.button->size(), QSize(44, 44));
    }
};

QTEST_MAIN(TestTaskbarIconButton)
#include "tst_taskbariconbutton.moc"
