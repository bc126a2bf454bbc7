#include "onboarding/model/onboardingfooter.h"

#include <QTest>

using namespace Velmora;

Q_DECLARE_METATYPE(std::optional<Velmora::OnboardingAction>)

namespace {

// "Title" for a plain button, "[Title]" for a prominent one, "[Title]*" for
// the default one, and a trailing "-" when it is disabled.
QString describe(const OnboardingFooter &footer)
{
    QStringList parts;
    if (footer.hasBack)
        parts << OnboardingFooter::backTitle;
    for (const OnboardingFooterButton &button : footer.buttons) {
        QString text = button.style == OnboardingFooterButton::Style::plain ? button.title : '[' + button.title + ']';
        if (button.isDefault)
            text += '*';
        if (!button.isEnabled)
            text += '-';
        parts << text;
    }
    return parts.join(" | ");
}

} // namespace

class TestOnboardingFooter : public QObject
{
    Q_OBJECT
private slots:
    void everyStepAndState_data()
    {
        QTest::addColumn<OnboardingStep>("step");
        QTest::addColumn<DockEdge>("edge");
        QTest::addColumn<bool>("trusted");
        QTest::addColumn<bool>("capture");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<std::optional<OnboardingAction>>("onReturn");
        QTest::addColumn<std::optional<OnboardingAction>>("onEscape");

        using A = OnboardingAction;
        const std::optional<A> nothing;
        QTest::newRow("welcome") << OnboardingStep::welcome << DockEdge::bottom << false << false
                                 << "[Get Started]*" << std::optional(A::advance) << nothing;
        QTest::newRow("dock at the bottom: no default button")
            << OnboardingStep::dock << DockEdge::bottom << true << true
            << "Back | Keep It at the Bottom | [Open Dock Settings]" << nothing << std::optional(A::goBack);
        QTest::newRow("dock on the left") << OnboardingStep::dock << DockEdge::left << false << false
                                          << "Back | [Continue]*" << std::optional(A::advance)
                                          << std::optional(A::goBack);
        QTest::newRow("dock on the right") << OnboardingStep::dock << DockEdge::right << false << false
                                           << "Back | [Continue]*" << std::optional(A::advance)
                                           << std::optional(A::goBack);
        QTest::newRow("accessibility untrusted: Return does nothing")
            << OnboardingStep::accessibility << DockEdge::left << false << true
            << "Back | [Open System Settings] | [Continue]*-" << nothing << std::optional(A::goBack);
        QTest::newRow("accessibility trusted") << OnboardingStep::accessibility << DockEdge::bottom << true << false
                                               << "Back | [Continue]*" << std::optional(A::advance)
                                               << std::optional(A::goBack);
        QTest::newRow("screen recording missing: Return asks for it")
            << OnboardingStep::screenRecording << DockEdge::bottom << true << false
            << "Back | Skip | [Open System Settings]*" << std::optional(A::requestScreenCapture)
            << std::optional(A::goBack);
        QTest::newRow("screen recording granted") << OnboardingStep::screenRecording << DockEdge::bottom << false
                                                  << true << "Back | [Continue]*" << std::optional(A::advance)
                                                  << std::optional(A::goBack);
        QTest::newRow("done") << OnboardingStep::done << DockEdge::bottom << false << false
                              << "Back | [Start Using Velmora]*" << std::optional(A::finish)
                              << std::optional(A::goBack);
    }
    void everyStepAndState()
    {
        QFETCH(OnboardingStep, step);
        QFETCH(DockEdge, edge);
        QFETCH(bool, trusted);
        QFETCH(bool, capture);
        QFETCH(QString, buttons);
        QFETCH(std::optional<OnboardingAction>, onReturn);
        QFETCH(std::optional<OnboardingAction>, onEscape);

        const OnboardingFooter footer = OnboardingFooter::forState({step, edge, trusted, capture});
        QCOMPARE(describe(footer), buttons);
        QCOMPARE(footer.returnAction(), onReturn);
        QCOMPARE(footer.escapeAction(), onEscape);
    }

    void buttonsLeadWhereTheirTitlesSay()
    {
        using A = OnboardingAction;
        const auto actions = [](const OnboardingFooter::State &state) {
            QList<A> list;
            for (const OnboardingFooterButton &button : OnboardingFooter::forState(state).buttons)
                list << button.action;
            return list;
        };
        QCOMPARE(actions({OnboardingStep::dock, DockEdge::bottom}), (QList<A>{A::advance, A::openDockSettings}));
        QCOMPARE(actions({OnboardingStep::accessibility, DockEdge::bottom, false}),
            (QList<A>{A::requestAccessibility, A::advance}));
        QCOMPARE(actions({OnboardingStep::screenRecording, DockEdge::bottom, true, false}),
            (QList<A>{A::advance, A::requestScreenCapture}));
    }
};

QTEST_GUILESS_MAIN(TestOnboardingFooter)
#include "tst_onboardingfooter.moc"
