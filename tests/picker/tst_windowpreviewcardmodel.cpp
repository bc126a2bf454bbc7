#include "../store/storeworld.h"
#include "cardfakes.h"
#include "picker/model/windowpreviewcardmodel.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using Children = WindowPreviewCardModel::Children;

namespace {

// An editor with two windows side by side on screen, its picker open.
struct Fixture : Test::StoreWorld
{
    qint32 editor = addAppWithTwoWindows("Editor");
    std::unique_ptr<TaskbarStore> store = make(false);
    Test::RecordingCardActions actions;
    Test::RecordingTooltip tooltip;
    std::unique_ptr<WindowPreviewCardModel> card;

    explicit Fixture(std::function<void(WindowPreviewItem &)> adjust = {})
    {
        store->windowPicker().prepareWindowPicker(appItem("Editor"), 1);
        background.runAll();
        WindowPreviewItem preview = this->preview("First");
        if (adjust)
            adjust(preview);
        card = std::make_unique<WindowPreviewCardModel>(
            *store, actions, tooltip, clock, appItem("Editor"), preview);
    }

    WindowPreviewItem preview(const QString &title) const
    {
        for (const WindowPreviewItem &p : store->windowPicker().windowPreviews()) {
            if (p.title == title)
                return p;
        }
        return {};
    }
};

} // namespace

Q_DECLARE_METATYPE(Children)

class TestWindowPreviewCardModel : public QObject
{
    Q_OBJECT
private slots:
    void children_data()
    {
        QTest::addColumn<bool>("hovering");
        QTest::addColumn<bool>("closable");
        QTest::addColumn<bool>("dragging");
        QTest::addColumn<bool>("lifted");
        QTest::addColumn<bool>("renaming");
        QTest::addColumn<bool>("minimized");
        QTest::addColumn<bool>("thumbnail");
        QTest::addColumn<Children>("expected");

        //                              thumb  icon   caption title  badge  close  pencil editor
        QTest::newRow("at rest") << false << true << false << false << false << false << false
                                 << Children { false, true, false, true, false, false, true, false };
        QTest::newRow("hovered") << true << true << false << false << false << false << false
                                 << Children { false, true, false, true, false, true, true, false };
        QTest::newRow("hovered, thumbnail") << true << true << false << false << false << false << true
                                            << Children { true, false, false, true, false, true, true, false };
        QTest::newRow("hovered, not closable") << true << false << false << false << false << false << false
                                               << Children { false, true, false, true, false, false, true, false };
        QTest::newRow("hovered while another card is dragged")
            << true << true << true << false << false << false << false
            << Children { false, true, false, true, false, false, true, false };
        QTest::newRow("hovered and lifted") << true << true << false << true << false << false << false
                                            << Children { false, true, false, true, false, false, false, false };
        QTest::newRow("renaming") << true << true << false << false << true << false << false
                                  << Children { false, true, false, false, false, true, false, true };
        QTest::newRow("minimized without thumbnail") << false << true << false << false << false << true << false
                                                     << Children { false, true, true, true, true, false, true, false };
        QTest::newRow("minimized with thumbnail") << false << true << false << false << false << true << true
                                                  << Children { true, false, false, true, true, false, true, false };
    }
    void children()
    {
        QFETCH(bool, hovering);
        QFETCH(bool, closable);
        QFETCH(bool, dragging);
        QFETCH(bool, lifted);
        QFETCH(bool, renaming);
        QFETCH(bool, minimized);
        QFETCH(bool, thumbnail);
        QFETCH(Children, expected);
        Fixture f([&](WindowPreviewItem &p) {
            p.isClosable = closable;
            p.isMinimized = minimized;
            if (thumbnail)
                p.thumbnail = QImage(20, 10, QImage::Format_ARGB32);
        });
        f.card->setHovering(hovering);
        f.card->setDragging(dragging);
        f.card->setLifted(lifted);
        if (renaming)
            f.card->beginRenaming();
        QCOMPARE(f.card->children(), expected);
    }

    void clickCallOrder_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("focused");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("the focused window is minimized")
            << true << true << QStringList { "dismiss", "minimize First" };
        QTest::newRow("another window is recorded and focused")
            << true << false << QStringList { "dismiss", "record %1 %2", "focus First native=0" };
        QTest::newRow("an app that is gone: nothing") << false << false << QStringList {};
    }
    void clickCallOrder()
    {
        QFETCH(bool, running);
        QFETCH(bool, focused);
        QFETCH(QStringList, expected);
        Fixture f;
        if (!running)
            f.actions.application.reset();
        f.actions.focused = focused;
        f.card->click();
        for (QString &line : expected)
            if (line.startsWith("record"))
                line = line.arg(f.card->preview().id).arg(f.card->preview().processIdentifier);
        QCOMPARE(f.actions.log, expected);
    }

    void closeButtonClosesThroughTheStore()
    {
        Fixture f;
        f.card->close();
        QCOMPARE(f.actions.log, QStringList({ "close First" }));
        QCOMPARE(f.card->closeHelp(), QStringLiteral("Close First"));
    }

    void renaming_data()
    {
        QTest::addColumn<QString>("customName");
        QTest::addColumn<QString>("typed"); // "<untouched>" leaves the prefilled text
        QTest::addColumn<bool>("commit");
        QTest::addColumn<QString>("prefilled");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("shownAfter");

        QTest::newRow("Return stores the new name")
            << QString() << "Notes" << true << "First" << QStringList { "rename First 'Notes'" } << "Notes";
        QTest::newRow("the name is trimmed")
            << QString() << "  Notes " << true << "First" << QStringList { "rename First 'Notes'" } << "Notes";
        // Saving the prefilled title must not pin it: the card keeps
        // following the window's own title.
        QTest::newRow("untouched title stores nothing")
            << QString() << "<untouched>" << true << "First" << QStringList {} << "First";
        QTest::newRow("untouched custom name stores nothing")
            << "Mine" << "<untouched>" << true << "Mine" << QStringList {} << "Mine";
        QTest::newRow("blank removes the custom name")
            << "Mine" << "   " << true << "Mine" << QStringList { "rename First ''" } << "First";
        QTest::newRow("blank without a custom name changes nothing")
            << QString() << "" << true << "First" << QStringList {} << "First";
        QTest::newRow("Escape keeps the name")
            << "Mine" << "Other" << false << "Mine" << QStringList {} << "Mine";
    }
    void renaming()
    {
        QFETCH(QString, customName);
        QFETCH(QString, typed);
        QFETCH(bool, commit);
        QFETCH(QString, prefilled);
        QFETCH(QStringList, calls);
        QFETCH(QString, shownAfter);
        Fixture f;
        if (!customName.isNull())
            f.actions.customNames.insert(f.card->preview().id, customName);
        f.card->setHovering(true);
        f.card->beginRenaming();
        QCOMPARE(f.tooltip.last(), QStringLiteral("hide"));
        QVERIFY(f.card->isRenaming());
        QCOMPARE(f.card->editedName(), prefilled);
        if (typed != "<untouched>")
            f.card->setEditedName(typed);
        if (commit)
            f.card->commitRename();
        else
            f.card->cancelRename();
        QVERIFY(!f.card->isRenaming());
        QCOMPARE(f.actions.log, calls);
        QCOMPARE(f.card->name(), shownAfter);
    }

    void nameFieldTakesFocusAfter60ms()
    {
        Fixture f;
        QSignalSpy focus(f.card.get(), &WindowPreviewCardModel::nameFieldFocusRequested);
        f.card->beginRenaming();
        f.clock.advance(59);
        QCOMPARE(focus.count(), 0);
        QVERIFY(!f.card->isNameFieldFocused());
        f.clock.advance(1);
        QCOMPARE(focus.count(), 1);
        QVERIFY(f.card->isNameFieldFocused());

        // Ended before the wait is over: nothing is focused later.
        f.card->cancelRename();
        f.card->beginRenaming();
        f.card->disappeared();
        f.clock.advance(100);
        QCOMPARE(focus.count(), 1);
        QVERIFY(!f.card->isRenaming());
        QVERIFY(f.actions.log.isEmpty());
    }

    void menu()
    {
        Fixture f;
        auto titles = [&f] {
            QStringList result;
            for (const auto &entry : f.card->menuEntries())
                result << entry.title;
            return result;
        };
        QCOMPARE(titles(), QStringList({ QStringLiteral("Rename window\u2026") }));
        f.card->menuEntries().first().action();
        QVERIFY(f.card->isRenaming());
        f.card->cancelRename();

        f.actions.customNames.insert(f.card->preview().id, "Mine");
        QCOMPARE(titles(), QStringList({ QStringLiteral("Rename window\u2026"), "Use original title" }));
        f.card->menuEntries().last().action();
        QCOMPARE(f.actions.log, QStringList({ "rename First ''" }));
        QCOMPARE(f.card->name(), QStringLiteral("First"));
    }

    void tooltip()
    {
        Fixture f([](WindowPreviewItem &p) { p.isMinimized = true; });
        const QRectF badge(180, 140, 12, 12);
        f.card->setMinimizedBadgeFrame(badge);
        f.card->setHovering(true);
        QCOMPARE(f.tooltip.log, QStringList({ "show First" }));
        // Within 3 points of the badge it explains the badge; off it, the name again.
        f.card->updateBadgeHover(QPointF(178, 138));
        QCOMPARE(f.tooltip.last(), QStringLiteral("show This window is minimized"));
        f.card->updateBadgeHover(QPointF(100, 60));
        QCOMPARE(f.tooltip.last(), QStringLiteral("show First"));
        // Not while a button is hovered.
        f.card->setCloseButtonHovered(true);
        QCOMPARE(f.tooltip.last(), QStringLiteral("hide"));
        f.card->updateBadgeHover(QPointF(185, 145));
        QCOMPARE(f.tooltip.last(), QStringLiteral("hide"));
        f.card->setCloseButtonHovered(false);
        f.card->setRenameButtonHovered(true);
        f.card->updateBadgeHover(QPointF(100, 60));
        QCOMPARE(f.tooltip.last(), QStringLiteral("hide"));
        // Leaving hides it and forgets the buttons' hover.
        f.card->setHovering(false);
        QCOMPARE(f.tooltip.last(), QStringLiteral("hide"));
        QVERIFY(!f.card->isRenameButtonHovered());
        // Entering during a drag or a rename schedules nothing.
        const qsizetype shown = f.tooltip.log.size();
        f.card->setDragging(true);
        f.card->setHovering(true);
        f.card->setHovering(false);
        f.card->setDragging(false);
        f.card->beginRenaming();
        f.card->setHovering(true);
        QVERIFY(!f.tooltip.log.mid(shown).contains("show First"));
    }

    void borderFollowsTheWindowsVisibility()
    {
        Fixture f;
        QVERIFY(f.card->isVisibleWindow());
        QCOMPARE(f.card->accessibilityValue(), QStringLiteral("Visible window"));
        QCOMPARE(f.card->border().accent, true);
        QCOMPARE(f.card->border().width, 1.5);
        QCOMPARE(f.card->border().opacity, 0.65);
        f.card->setHovering(true);
        QCOMPARE(f.card->border().opacity, 0.9);

        // A window the picker does not list as visible has the faint border.
        WindowPreviewItem covered = f.card->preview();
        covered.id = QStringLiteral("elsewhere");
        f.card->setPreview(covered);
        QCOMPARE(f.card->border().accent, false);
        QCOMPARE(f.card->border().width, 1.0);
        QCOMPARE(f.card->border().opacity, 0.18);
        QVERIFY(f.card->accessibilityValue().isEmpty());
    }

    void dragOnlyInTheFixedOrder()
    {
        Fixture f;
        QSignalSpy changed(f.card.get(), &WindowPreviewCardModel::changed);
        f.store->setWindowPreviewSortOrder(WindowPreviewSortOrder::Fixed);
        QVERIFY(f.card->canDrag());
        f.store->setWindowPreviewSortOrder(WindowPreviewSortOrder::Alphabetical);
        QVERIFY(!f.card->canDrag());
        QVERIFY(changed.count() > 0);
    }
};

QTEST_GUILESS_MAIN(TestWindowPreviewCardModel)
#include "tst_windowpreviewcardmodel.moc"
