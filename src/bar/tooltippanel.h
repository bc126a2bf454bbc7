#pragma once

#include <QFont>
#include <QWidget>

namespace Velmora {

// The bubble of the bar's tooltip: a frameless window of its own, shown
// without activation, that never takes a click or the keyboard. Its size is
// the title's size plus padding; the controller sizes and places it.
class TooltipPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TooltipPanel(QWidget *parent = nullptr);

    void setTitle(const QString &title);
    QString title() const { return m_title; }
    // The panel's size for the current title, in points.
    QSizeF fittingSize() const;

    static QFont titleFont();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_title;
};

} // namespace Velmora
