#pragma once

#include "panelshadow.h"

#include <QDialog>
#include <QPoint>
#include <QPointer>

class QPushButton;

/// A frameless, translucent dialog whose inner panel has the green drop shadow around it. The
/// whole dialog is dragged with the left mouse button.
class FramelessDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FramelessDialog(QWidget *parent = nullptr, Qt::WindowFlags extraFlags = {});

    bool isDragging() const { return m_dragging; }
    /// Shown over its owner, placed before its native window exists.
    void setVisible(bool visible) override;

protected:
    /// Puts the shadow around the panel, a widget inside the dialog with rounded corners; call
    /// after the form is set up.
    void applyShadow(QWidget *panel, qreal blurRadius);
    /// Enter presses `button` unless the keyboard is on another button, which Enter then presses;
    /// Escape cancels, as for every dialog.
    void setEnterButton(QPushButton *button);

    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_dragging = false;
    QPoint m_pressGlobal;
    QPoint m_windowAtPress;
    QPointer<QWidget> m_shadowPanel;
    PanelShadow m_shadow;
};
