#pragma once

#include <QDialog>
#include <QIcon>

class QPushButton;

namespace Velmora {

// The question asked before a window with several tabs is closed: the
// window's icon, "Are you sure you want to close n tabs?", which window, and
// the buttons "Cancel" and "Close n Tabs". Modal for the whole application,
// but shown without a nested event loop: the answer arrives through
// answered(), once. Return and Escape answer Cancel, as does closing the
// window any other way; only the close button answers true.
class WindowCloseConfirmationDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int contentWidth = 360;
    static constexpr int inset = 24;
    static constexpr int spacing = 18;
    static constexpr int iconSide = 64;

    // A null icon shows the generic window symbol.
    WindowCloseConfirmationDialog(const QIcon &icon, const QString &title, const QString &message,
                                  const QString &closeTitle, QWidget *parent = nullptr);

    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *closeButton() const { return m_close; }

    // Shows it centred on the screen under the pointer, in front, modal.
    void present();

signals:
    void answered(bool closeConfirmed);

protected:
    void done(int result) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPushButton *m_cancel = nullptr;
    QPushButton *m_close = nullptr;
    bool m_answered = false;
};

} // namespace Velmora
