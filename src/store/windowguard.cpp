#include "store/windowguard.h"

namespace Velmora {

namespace {

class InertWindowGuard final : public WindowGuard
{
public:
    bool isOnScreen(quint32) const override { return false; }
    QList<StackEntry> stackEntries() const override { return {}; }
    QSet<quint32> windowIDs(qint32) const override { return {}; }
    void watchFocus(const AXElement &, quint32, const RunningApplication &) override { }
    void watchPress(const RunningApplication &) override { }
    void watchRestore(const AXElement &, std::optional<quint32>, const RunningApplication &, const QSet<quint32> &,
        quint32, const RunningApplication &) override
    {
    }
    void watchMinimize(std::optional<quint32>, const RunningApplication &, const QSet<quint32> &,
        const std::optional<RunningApplication> &, bool) override
    {
    }
    void watchMinimize(quint32, const RunningApplication &, const AXElement &, quint32) override { }
    void watchClose(quint32, const RunningApplication &, const QSet<quint32> &, const QSet<quint32> &,
        const std::optional<RunningApplication> &) override
    {
    }
    bool focus(quint32, const RunningApplication &) override { return false; }
    void makeFrontmost(qint32) override { }
    std::optional<qsizetype> windowIndex(const QPointF &, const QList<StackEntry> &, qint32) const override
    {
        return std::nullopt;
    }
    std::optional<StackEntry> windowBelow(qsizetype, const QList<StackEntry> &, qint32) const override
    {
        return std::nullopt;
    }
    std::optional<RunningApplication> applicationBelow(qsizetype, const QList<StackEntry> &) const override
    {
        return std::nullopt;
    }
    std::optional<TitleBarButton> buttonFrame(const QPointF &, qint32) override { return std::nullopt; }
    std::optional<AXElement> closeButtonIfShortcutCloses(quint32, qint32) override { return std::nullopt; }
};

} // namespace

WindowGuard &WindowGuard::inert()
{
    static InertWindowGuard guard;
    return guard;
}

} // namespace Velmora
