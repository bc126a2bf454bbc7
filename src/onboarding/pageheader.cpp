#include "onboarding/pageheader.h"

#include "onboarding/statusbadge.h"
#include "onboarding/symbolview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace Velmora {

PageHeader::PageHeader(OnboardingStyle::Symbol symbol, QWidget *parent)
    : QWidget(parent)
    , m_symbol(new SymbolView(symbol, 48, Qt::white, SymbolView::Background::blueTile))
    , m_title(OnboardingStyle::label(QString(), 20, QFont::DemiBold))
    , m_tag(new QLabel)
    , m_badge(new StatusBadge)
{
    m_tag->setFont(OnboardingStyle::font(11, QFont::DemiBold));
    m_tag->setStyleSheet(QStringLiteral("QLabel { color: rgba(255,255,255,140); background: rgba(255,255,255,31);"
                                        " border-radius: 8px; padding: 2px 7px; }"));
    m_tag->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_tag->hide();

    auto *titles = new QVBoxLayout;
    titles->setSpacing(4);
    titles->addWidget(m_title);
    titles->addWidget(m_tag, 0, Qt::AlignLeft);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(14);
    row->addWidget(m_symbol, 0, Qt::AlignVCenter);
    row->addLayout(titles, 1);
    row->addWidget(m_badge, 0, Qt::AlignVCenter);
}

void PageHeader::setTitle(const QString &title)
{
    m_title->setText(OnboardingStyle::boldMarkup(title));
}

void PageHeader::setTag(const QString &tag)
{
    m_tag->setText(tag);
    m_tag->setVisible(!tag.isEmpty());
}

QString PageHeader::title() const
{
    return m_title->text();
}

QString PageHeader::tag() const
{
    return m_tag->isHidden() ? QString() : m_tag->text();
}

} // namespace Velmora
