#pragma once

#include "../store/storeworld.h"
#include "bar/model/animator.h"
#include "services/windowpreviewid.h"

namespace Velmora::Test {

// A store on the simulated desktop with an editor of `count` windows (and a
// mail app with two), and the animator the picker moves with.
struct PickerWorld : StoreWorld
{
    Animator animator { clock, clock };
    qint32 editor = 0;
    qint32 mail = 0;
    QList<quint32> editorWindows;
    std::unique_ptr<TaskbarStore> store;

    explicit PickerWorld(int count = 2)
    {
        editor = addApp("Editor");
        for (int i = 0; i < count; ++i)
            editorWindows.append(addWindow(editor, QRectF(40 + 30 * i, 40 + 20 * i, 600, 400),
                QStringLiteral("Document %1").arg(i + 1)));
        mail = addAppWithTwoWindows("Mail");
        store = make(false);
    }

    WindowPicker &picker() { return store->windowPicker(); }

    // The editor's picker as a click on display 1 opens it.
    void openEditor(quint32 displayID = 1)
    {
        const auto previews = store->windowPreviewCache().cachedOrFetchedWindowPreviews(app(editor));
        picker().presentWindowPicker(appItem("Editor"), picker().orderedWindowPreviews(previews), displayID);
        background.runAll();
    }
    void openMail()
    {
        const auto previews = store->windowPreviewCache().cachedOrFetchedWindowPreviews(app(mail));
        picker().presentWindowPicker(appItem("Mail"), picker().orderedWindowPreviews(previews), 1);
        background.runAll();
    }

    QStringList shownIDs() { return previewIDs(picker().windowPreviews()); }
};

} // namespace Velmora::Test
