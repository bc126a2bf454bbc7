#pragma once

#include "bar/applicationpopoverservices.h"
#include "bar/model/animator.h"
#include "../store/storeworld.h"

#include <QPushButton>
#include <QWidget>

namespace Velmora::Test {

// A passive store on the simulated desktop, the application's popover
// services over it, and a bar-like strip along the bottom of the screen
// with one anchor button, shown. Motion is instant.
struct PopoverWorld : StoreWorld
{
    std::unique_ptr<TaskbarStore> store = make(false);
    Animator animator{clock, clock};
    ApplicationPopoverServices popovers{clock, clock, animator, displays, eventTaps};
    QWidget bar;
    QPushButton *anchor = new QPushButton(&bar);

    PopoverWorld()
    {
        animator.setInstant(true);
        bar.setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
        bar.setGeometry(0, 543, 800, 57);
        anchor->setGeometry(300, 6, 44, 44);
        bar.show();
    }
    QRect anchorFrame() const { return QRect(anchor->mapToGlobal(QPoint(0, 0)), anchor->size()); }
};

} // namespace Velmora::Test
