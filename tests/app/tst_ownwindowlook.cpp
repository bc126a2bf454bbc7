#include "app/fitandcenter.h"
#include "app/model/englishspelling.h"
#include "app/model/fitandcenter.h"

#include <QTest>
#include <QWidget>

using namespace Velmora;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

// A 1440 by 900 display; `visibleBottom` is where its visible frame starts
// (a Dock below it), the menu bar takes 25 points at the top.
DisplayInfo screen(double visibleBottom)
{
    DisplayInfo info;
    info.displayId = 1;
    info.frame = QRectF(0, 0, 1440, 900);
    info.visibleFrame = QRectF(0, visibleBottom, 1440, 900 - 25 - visibleBottom);
    info.bounds = QRectF(0, 0, 1440, 900);
    return info;
}

} // namespace

class TestOwnWindowLook : public QObject
{
    Q_OBJECT

private slots:
    void fittedAndCentred_data()
    {
        QTest::addColumn<double>("visibleBottom");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QRectF>("expected");
        // Usable area without a Dock: y 57 to 875 (818 high), centre y 466.
        QTest::newRow("small window, Dock hidden") << 0.0 << QSizeF(400, 300) << QRectF(520, 316, 400, 300);
        QTest::newRow("too tall shrinks") << 0.0 << QSizeF(600, 1000) << QRectF(420, 57, 600, 818);
        QTest::newRow("too wide shrinks") << 0.0 << QSizeF(2000, 300) << QRectF(0, 316, 1440, 300);
        // A Dock taller than the bar: the area starts at the Dock's top.
        QTest::newRow("tall Dock") << 70.0 << QSizeF(400, 300) << QRectF(520, 322.5, 400, 300);
        // A thin Dock under the bar's strip: the strip still counts.
        QTest::newRow("thin Dock") << 30.0 << QSizeF(400, 300) << QRectF(520, 316, 400, 300);
    }
    void fittedAndCentred()
    {
        QFETCH(double, visibleBottom);
        QFETCH(QSizeF, size);
        QFETCH(QRectF, expected);
        QCOMPARE(fittedAndCentredFrame(size, screen(visibleBottom)), expected);
    }

    void fitAndCenterPlacesAWindowInQtCoordinates()
    {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(10, 10, 400, 300);
        fitAndCenter(window, screen(0), 900);
        // Screen y 316..616 is Qt y 284..584.
        QCOMPARE(window.geometry(), QRect(520, 284, 400, 300));

        // Without a screen the window stays.
        fitAndCenter(window, std::nullopt, 900);
        QCOMPARE(window.geometry(), QRect(520, 284, 400, 300));
    }

    void spelling_data()
    {
        QTest::addColumn<std::optional<QString>>("language");
        QTest::addColumn<std::optional<QString>>("region");
        QTest::addColumn<bool>("american");
        const auto text = [](const char *value) { return std::optional<QString>(QString::fromLatin1(value)); };
        QTest::newRow("en-GB in the US") << text("en-GB") << text("US") << false;
        QTest::newRow("en-US in Britain") << text("en-US") << text("GB") << true;
        QTest::newRow("fr-FR in the US") << text("fr-FR") << text("US") << true;
        QTest::newRow("en alone, no region") << text("en") << std::optional<QString>() << false;
        QTest::newRow("en alone in the Philippines") << text("en") << text("PH") << true;
        QTest::newRow("en_LR with a script") << text("en-Latn-LR") << text("DE") << true;
        QTest::newRow("no language, Puerto Rico") << std::optional<QString>() << text("PR") << true;
        QTest::newRow("no language, Canada") << std::optional<QString>() << text("CA") << false;
        QTest::newRow("nothing at all") << std::optional<QString>() << std::optional<QString>() << false;
        // Region codes compare exactly.
        QTest::newRow("lower-case region") << std::optional<QString>() << text("us") << false;
    }
    void spelling()
    {
        QFETCH(std::optional<QString>, language);
        QFETCH(std::optional<QString>, region);
        QFETCH(bool, american);
        QCOMPARE(EnglishSpelling::from(language, region) == EnglishSpelling::American, american);
    }

    void spellingIsFixedForTheProcess()
    {
        const EnglishSpelling::Variant first = EnglishSpelling::current();
        QLocale::setDefault(QLocale(first == EnglishSpelling::American ? "en_GB" : "en_US"));
        QCOMPARE(EnglishSpelling::current(), first);
    }
};

QTEST_MAIN(TestOwnWindowLook)
#include "tst_ownwindowlook.moc"
