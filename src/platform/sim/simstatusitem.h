#pragma once

#include "platform/statusitem.h"

namespace Velmora::Sim {

// The product's status item on the simulated desktop: what the drawn menu
// bar shows at its right, and the click a person (or a test) makes on it.
class SimStatusItem final : public StatusItem
{
    Q_OBJECT
public:
    using StatusItem::StatusItem;

    void install(const QIcon &image, const QString &accessibilityDescription) override;
    bool isInstalled() const override { return m_installed; }
    void setHighlighted(bool highlighted) override;

    QIcon image() const { return m_image; }
    QString accessibilityDescription() const { return m_description; }
    bool isHighlighted() const { return m_highlighted; }

    // A click on the item; does nothing before it is installed.
    void click();

signals:
    // The item appeared, changed its image or its highlight: redraw it.
    void changed();

private:
    bool m_installed = false;
    bool m_highlighted = false;
    QIcon m_image;
    QString m_description;
};

} // namespace Velmora::Sim
