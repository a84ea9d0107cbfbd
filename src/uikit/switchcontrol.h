#pragma once

#include <QColor>
#include <QWidget>

class QTimer;

/// An animated on/off switch: a rounded track with a round thumb that slides one pixel per tick.
class SwitchControl : public QWidget
{
    Q_OBJECT

public:
    explicit SwitchControl(QWidget *parent = nullptr);

    bool isToggled() const { return m_checked; }
    /// Sets the state and animates the thumb towards it.
    void setToggled(bool checked);

    void setBackgroundColor(const QColor &color);
    void setCheckedColor(const QColor &color);
    void setDisabledColor(const QColor &color);

    /// Thumb centre, for painting and for anyone checking the animation.
    qreal thumbX() const { return m_thumbX; }
    qreal thumbY() const { return m_thumbY; }
    bool isAnimating() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int TickMs = 10;

signals:
    void toggled(bool checked);
    void toggledAfter(bool checked);

public slots:
    void onTimeout();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool m_checked = false;
    QColor m_background = Qt::black;
    QColor m_checkedColor = QColor(15, 115, 168);
    QColor m_disabledColor = QColor(190, 190, 190);
    QColor m_thumbColor = Qt::white;
    quint16 m_thumbDiameter = 16;
    quint16 m_margin = 3;
    qreal m_radius = 8.0;
    qreal m_thumbX = 0;
    qreal m_thumbY = 0;
    QTimer *m_timer = nullptr;
};
