#pragma once

#include "onboarding/onboardingstyle.h"

#include <QWidget>

class QLabel;

namespace Velmora {

class StatusBadge;
class SymbolView;

// The head of the Dock and permission pages: the page's symbol on a blue
// tile, the title with an optional tag below it, and a status badge at the right.
class PageHeader : public QWidget
{
    Q_OBJECT
public:
    PageHeader(OnboardingStyle::Symbol symbol, QWidget *parent = nullptr);

    void setTitle(const QString &title);
    // An empty text hides the tag.
    void setTag(const QString &tag);
    StatusBadge *badge() const { return m_badge; }
    QString title() const;
    QString tag() const;

private:
    SymbolView *m_symbol;
    QLabel *m_title;
    QLabel *m_tag;
    StatusBadge *m_badge;
};

} // namespace Velmora
