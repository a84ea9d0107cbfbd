#include "framelessdialog.h"

#include "corvaneresources.h"

#include <QGraphicsDropShadowEffect>
#include <QMouseEvent>

FramelessDialog::FramelessDialog(QWidget *parent, Qt::WindowFlags extraFlags) : QDialog(parent)
{
    initCorvaneResources();
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | extraFlags);
    setAttribute(Qt::WA_TranslucentBackground);
}

void FramelessDialog::applyShadow(QWidget *panel, qreal blurRadius)
{
    auto *shadow = new QGraphicsDropShadowEffect(panel);
    shadow->setOffset(0, 0);
    shadow->setColor(QColor(19, 106, 103, 255));
    shadow->setBlurRadius(blurRadius);
    panel->setGraphicsEffect(shadow);
}

void FramelessDialog::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_pressGlobal = event->globalPos();
        m_windowAtPress = frameGeometry().topLeft();
    }
    QDialog::mousePressEvent(event);
}

void FramelessDialog::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        move(m_windowAtPress + (event->globalPos() - m_pressGlobal));
    QDialog::mouseMoveEvent(event);
}

void FramelessDialog::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}
