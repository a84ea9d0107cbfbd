#pragma once

#include "svglabel.h"

/// An SVG label that reports a left click (press and release on the label).
class LabelClickedInTableItem : public SvgLabel
{
    Q_OBJECT

public:
    explicit LabelClickedInTableItem(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
