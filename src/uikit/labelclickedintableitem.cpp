#include "labelclickedintableitem.h"

#include <QMouseEvent>

LabelClickedInTableItem::LabelClickedInTableItem(QWidget *parent) : SvgLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void LabelClickedInTableItem::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        // Taken here so that the window under the label does not start a drag.
        event->accept();
        return;
    }
    SvgLabel::mousePressEvent(event);
}

void LabelClickedInTableItem::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        event->accept();
        // Letting go outside the label cancels the click, as with buttons.
        if (rect().contains(event->pos()))
            emit clicked();
        return;
    }
    SvgLabel::mouseReleaseEvent(event);
}
