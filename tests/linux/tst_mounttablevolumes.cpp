#include "platform/linux/mounttablevolumes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Velmora;

// The volumes as the kernel's mount table lists them.
class TestMountTableVolumes : public QObject
{
    Q_OBJECT
private slots:
    void readsTheTable()
    {
        QTemporaryDir dir;
        QFile table(dir.filePath("mountinfo"));
        QVERIFY(table.open(QIODevice::WriteOnly));
        table.write("22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                    "23 22 0:21 / /proc rw,nosuid - proc proc rw\n"
                    "40 22 7:0 / /media/ann/Velmora\\0401.0 ro,nodev shared:5 - iso9660 /dev/loop0 ro\n"
                    "41 22 11:0 / /media/ann/DISC rw - udf /dev/sr0 ro,utf8\n"
                    "42 22 8:17 / /home/ann/.cache/mnt rw - ext4 /dev/sdb1 rw\n"
                    "garbage line\n");
        table.close();
        Linux::MountTableVolumes volumes(table.fileName());

        const std::optional<QList<MountedVolume>> all = volumes.mountedVolumes();
        QVERIFY(all);
        QCOMPARE(*all, (QList<MountedVolume>{
                           {"/", false, false, false},
                           {"/proc", false, true, false},
                           // Read-only by its mount or by its file system.
                           {"/media/ann/Velmora 1.0", true, false, true},
                           {"/media/ann/DISC", true, false, false},
                           {"/home/ann/.cache/mnt", false, true, false},
                       }));
        QCOMPARE(volumes.volumeOf("/media/ann/Velmora 1.0/Velmora.app")->path, QString("/media/ann/Velmora 1.0"));
        QCOMPARE(volumes.volumeOf("/media/ann/Velmora 1.0")->path, QString("/media/ann/Velmora 1.0"));
        // Only whole path components count.
        QCOMPARE(volumes.volumeOf("/media/ann/DISCO/x")->path, QString("/"));

        QVERIFY(!Linux::MountTableVolumes(dir.filePath("missing")).mountedVolumes());
        // Nothing mounted there: nothing is ejected.
        QVERIFY(!volumes.eject("/media/ann/Nowhere"));
        QVERIFY(!volumes.eject("/proc"));
    }
};

QTEST_GUILESS_MAIN(TestMountTableVolumes)
#include "tst_mounttablevolumes.moc"
