#include "app/model/velmorapalette.h"
#include "bar/windowcloseconfirmationdialog.h"
#include "services/velmoraownwindows.h"

#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Velmora;

namespace {

WindowCloseConfirmationDialog *makeDialog(const QString &message = QStringLiteral("This will close \"Inbox\" and all of its tabs."))
{
    return new WindowCloseConfirmationDialog(QIcon(), QStringLiteral("Are you sure you want to close 3 tabs?"), message,
                                             QStringLiteral("Close 3 Tabs"));
}

} // namespace

class TestWindowCloseConfirmationDialog : public QObject
{
    Q_OBJECT
private slots:
    // Only the close button answers true; every other way out is Cancel,
    // and the answer comes once.
    void answers_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("answer");
        QTest::newRow("close button") << "close" << true;
        QTest::newRow("cancel button") << "cancel" << false;
        QTest::newRow("return") << "return" << false;
        QTest::newRow("escape") << "escape" << false;
        QTest::newRow("window closed") << "window" << false;
    }
    void answers()
    {
        QFETCH(QString, how);
        QFETCH(bool, answer);
        QPointer<WindowCloseConfirmationDialog> dialog = makeDialog();
        QSignalSpy answered(dialog.data(), &WindowCloseConfirmationDialog::answered);
        dialog->present();
        QVERIFY(dialog->isModal());
        if (how == "close")
            QTest::mouseClick(dialog->closeButton(), Qt::LeftButton);
        else if (how == "cancel")
            QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        else if (how == "return")
            QTest::keyClick(dialog.data(), Qt::Key_Return);
        else if (how == "escape")
            QTest::keyClick(dialog.data(), Qt::Key_Escape);
        else
            dialog->close();
        QCOMPARE(answered.count(), 1);
        QCOMPARE(answered.first().first().toBool(), answer);
        QTRY_VERIFY(dialog.isNull()); // it goes once answered
    }

    // No title bar (the window system draws none) and the own windows'
    // background behind the content.
    void hasNoTitleBarAndTheWindowsBackground()
    {
        std::unique_ptr<WindowCloseConfirmationDialog> dialog(makeDialog());
        dialog->present();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QVERIFY(dialog->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowTitleHint));
        QVERIFY(!VelmoraOwnWindows::snapshot(dialog->windowHandle()).isTitled);
        const QImage image = dialog->grab().toImage();
        QCOMPARE(image.pixelColor(2, 2), VelmoraPalette::windowNS());
        QCOMPARE(image.pixelColor(image.width() - 3, image.height() / 2), VelmoraPalette::windowNS());
    }

    // Exactly 360 points wide; a longer message makes it taller.
    void widthIsFixedHeightFollowsTheMessage()
    {
        std::unique_ptr<WindowCloseConfirmationDialog> shortOne(makeDialog());
        std::unique_ptr<WindowCloseConfirmationDialog> longOne(makeDialog(
            QStringLiteral("This will close \"%1\" and all of its tabs.").arg(QString("A rather long title ").repeated(8))));
        QCOMPARE(shortOne->width(), 360);
        QCOMPARE(longOne->width(), 360);
        QVERIFY(longOne->height() > shortOne->height());
        QCOMPARE(shortOne->closeButton()->text(), "Close 3 Tabs");
        QVERIFY(shortOne->cancelButton()->isDefault());
        QVERIFY(!shortOne->closeButton()->isDefault());
    }
};

QTEST_MAIN(TestWindowCloseConfirmationDialog)
#include "tst_windowcloseconfirmationdialog.moc"
