#include "picker/model/windowpickerlayout.h"

#include <QTest>

using namespace Velmora;

class TestWindowPickerLayout : public QObject
{
    Q_OBJECT
private slots:
    // The picker's height follows the card height and the permission row;
    // the scroller overhangs the card row and never gets a negative width.
    void rows_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<qreal>("cardHeight");
        QTest::addColumn<qreal>("scrollerHeight");
        QTest::addColumn<bool>("showsRow");
        QTest::addColumn<int>("contentHeight");
        QTest::addColumn<QRect>("scroller");
        QTest::addColumn<int>("rowTop");

        QTest::newRow("bar's cards, no permission row") << 496 << 159.0 << 183.0 << false << 237
                                                        << QRect(14, 42, 468, 183) << 235;
        QTest::newRow("bar's cards, asking for permission") << 496 << 159.0 << 183.0 << true << 269
                                                            << QRect(14, 42, 468, 183) << 235;
        QTest::newRow("smaller cards") << 260 << 100.0 << 124.0 << false << 178 << QRect(14, 42, 232, 124) << 176;
        QTest::newRow("narrower than its padding") << 20 << 159.0 << 183.0 << false << 237 << QRect(14, 42, 0, 183)
                                                   << 235;
    }
    void rows()
    {
        QFETCH(int, width);
        QFETCH(qreal, cardHeight);
        QFETCH(qreal, scrollerHeight);
        QFETCH(bool, showsRow);
        const WindowPickerLayout layout({ .width = width,
            .previewCardHeight = cardHeight,
            .previewScrollerHeight = scrollerHeight,
            .showsScreenRecordingRow = showsRow });
        QTEST(layout.contentHeight(), "contentHeight");
        QTEST(layout.scrollerRect(), "scroller");
        QTEST(layout.screenRecordingRowTop(), "rowTop");
    }

    // The header holds the icon at its leading end and the "+" at its
    // trailing end; the permission row's text runs up to its button.
    void headerAndPermissionRow()
    {
        const WindowPickerLayout layout({ .width = 496,
            .previewCardHeight = 159,
            .previewScrollerHeight = 183,
            .showsScreenRecordingRow = true,
            .newWindowButtonSide = 24,
            .screenRecordingTextWidth = 100,
            .allowTitleWidth = 30 });
        QCOMPARE(layout.headerRect(), QRect(14, 14, 468, 24));
        QCOMPARE(layout.iconRect(), QRect(14, 15, 22, 22));
        QCOMPARE(layout.newWindowButtonPosition(), QPoint(458, 14));
        QCOMPARE(layout.recordingSymbolRect(), QRectF(14.5, 239.5, 15, 11));
        QCOMPARE(layout.allowButtonRect(), QRect(146, 235, 48, 20));
        QCOMPARE(layout.screenRecordingTextRect(), QRect(38, 235, 108, 20));
    }
};

QTEST_GUILESS_MAIN(TestWindowPickerLayout)
#include "tst_windowpickerlayout.moc"
