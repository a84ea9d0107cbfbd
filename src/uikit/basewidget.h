#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

class QFrame;

/// Frameless, translucent top-level window with a rounded inner panel and a green drop shadow
/// around it. The window is dragged with the left mouse button unless it is maximised.
class BaseWidget : public QWidget
{
    Q_OBJECT

public:
    explicit BaseWidget(QWidget *parent = nullptr);

    /// The rounded panel; window content goes inside it.
    QFrame *panel() const { return m_panel; }
    QString backgroundColor() const { return m_backgroundColor; }
    /// Sets the panel colour (any style-sheet colour) and re-applies the panel style.
    void setBackgroundColor(const QString &color);

    bool isDragging() const { return m_dragging; }

    /// Room left around the panel for the shadow while the window is not maximised.
    static constexpr int ShadowMargin = 15;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool fillsScreen() const;
    void applyPanelStyle();

    QFrame *m_panel = nullptr;
    QString m_backgroundColor = QStringLiteral("black");
    bool m_dragging = false;
    QPoint m_pressGlobal;
    QPoint m_windowAtPress;
};
