#pragma once

#include <QWidget>

namespace Velmora {

// The first page: the product's tile, a welcome and what comes next.
class WelcomePage : public QWidget
{
    Q_OBJECT
public:
    explicit WelcomePage(QWidget *parent = nullptr);
};

} // namespace Velmora
