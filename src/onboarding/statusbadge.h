#pragma once

#include "onboarding/onboardingstyle.h"

#include <QWidget>

namespace Velmora {

// A small capsule of a symbol and a text in one colour, on that colour at
// 10 % ("Allowed", "Dock at the bottom"). Always its own size.
class StatusBadge : public QWidget
{
    Q_OBJECT
public:
    explicit StatusBadge(QWidget *parent = nullptr);

    void set(const QString &text, OnboardingStyle::Symbol symbol, const QColor &colour);
    QString text() const { return m_text; }
    QColor colour() const { return m_colour; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    OnboardingStyle::Symbol m_symbol = OnboardingStyle::Symbol::checkmarkCircle;
    QColor m_colour;
};

} // namespace Velmora
