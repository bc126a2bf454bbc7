#include "services/otherspacewindows.h"

#include <QTest>

using Velmora::OtherSpaceWindows;

class TestOtherSpaceWindows : public QObject
{
    Q_OBJECT
private slots:
    void remoteTokenLayout()
    {
        const QByteArray token = OtherSpaceWindows::remoteToken(412, 0x0102030405060708ULL);
        QCOMPARE(token.size(), 20);
        QCOMPARE(token.toHex(' '), QByteArray("9c 01 00 00 00 00 00 00 6f 63 6f 63 08 07 06 05 04 03 02 01"));
        // A negative pid keeps its two's-complement bytes.
        QCOMPARE(OtherSpaceWindows::remoteToken(-2, 0).left(4).toHex(), QByteArray("feffffff"));
    }
};

QTEST_GUILESS_MAIN(TestOtherSpaceWindows)
#include "tst_otherspacewindows.moc"
