#pragma once

#include <QDialog>
#include <QPoint>

/// A frameless, translucent dialog whose inner panel carries the green drop shadow. The whole
/// dialog is dragged with the left mouse button.
class FramelessDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FramelessDialog(QWidget *parent = nullptr, Qt::WindowFlags extraFlags = {});

    bool isDragging() const { return m_dragging; }

protected:
    /// Puts the shadow on the panel; call after the form is set up.
    void applyShadow(QWidget *panel, qreal blurRadius);

    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_dragging = false;
    QPoint m_pressGlobal;
    QPoint m_windowAtPress;
};
