#pragma once

#include <QWidget>

namespace Velmora {

// The window of one display's bar: frameless, above normal windows, shown
// without taking the keyboard from the application in front. The first click
// on it acts at once even while another application is active. Its content
// (the bar view) fills it.
class TaskbarPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TaskbarPanel(QWidget *parent = nullptr);

    // Replaces the content; the panel takes ownership.
    void setContent(QWidget *content);
    QWidget *content() const { return m_content; }

protected:
    void enterEvent(QEnterEvent *event) override;

private:
    QWidget *m_content = nullptr;
};

} // namespace Velmora
