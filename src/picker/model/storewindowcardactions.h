#pragma once

#include "picker/model/windowcardactions.h"

namespace Velmora {

class TaskbarStore;

// The window cards' actions as the store carries them out.
class StoreWindowCardActions final : public WindowCardActions
{
public:
    explicit StoreWindowCardActions(TaskbarStore &store);

    std::optional<QString> customWindowName(const WindowPreviewItem &preview) const override;
    void renameWindow(const WindowPreviewItem &preview, const QString &name) override;
    void closeWindow(const WindowPreviewItem &preview) override;
    void dismissWindowPicker() override;
    std::optional<RunningApplication> runningApplication(qint32 processIdentifier) const override;
    bool isFocusedWindow(const WindowPreviewItem &preview, const RunningApplication &application) const override;
    void minimizeFocusedWindow(const WindowPreviewItem &preview, const RunningApplication &application) override;
    void recordRequestedWindow(const QString &previewID, qint32 processIdentifier) override;
    void focusRequestedWindow(const WindowPreviewItem &preview, const RunningApplication &application,
        bool useNativeRestoreActivation) override;

private:
    TaskbarStore &m_store;
};

} // namespace Velmora
