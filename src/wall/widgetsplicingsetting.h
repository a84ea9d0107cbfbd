#pragma once

#include "uikit/panelshadow.h"

#include <QColor>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QEventLoop;
class TableItemSplicingRealScreen;

namespace Ui {
class WidgetSplicingSetting;
}

/// How the device's outputs form the wall: arrangement (VIR mode), output resolution, rotation
/// of the screens and the colour shown where an input is missing. Every change is sent at once
/// and written to the device state. A frameless, application-modal window, moved by dragging
/// and resized at its edges; the main window opens it with showModalLoop().
class WidgetSplicingSetting : public QWidget
{
    Q_OBJECT

public:
    explicit WidgetSplicingSetting(QWidget *parent = nullptr);
    ~WidgetSplicingSetting() override;

    /// Shows the setting and returns once it is closed. A loop still running from an earlier
    /// call is ended first.
    void showModalLoop();

    /// The rotation index last chosen or shown (0..3).
    int rotateIndex() const { return m_rotateIndex; }
    QColor noInputColor() const { return m_noInputColor; }

    /// Width of the border zones that resize the window.
    static constexpr int EdgeZone = 10;

signals:
    /// Layout, resolution or rotation changed: the wall's virtual size must be worked out again.
    void si_orderToRecalculate();
    /// Layout or rotation changed: the wall page's layout buttons follow the VIR mode.
    void si_update3BtnLayout();

public slots:
    /// The device's no-signal setting, as the main window forwards it, e.g.
    /// {"Chn":1,"Mode":0,"Color":12,34,56}. Only output 1's colour is shown here.
    void sl_noSignalReport(const QString &text);
    /// Reloads every control from the device state without sending anything.
    void refreshFromState();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_btn_close_clicked();
    void on_toolButton_ColorPalette_clicked();

private:
    void layoutChosen(int index);
    void resolutionChosen(int index);
    void rotationChosen(int index);
    void screenSelectionChanged();
    void showRotationMenu(const QPoint &pos);
    void rebuildTable();
    QList<TableItemSplicingRealScreen *> screens() const;
    void refreshRotations();
    void showNoInputColor();
    bool linkUp() const;
    int edgesAt(const QPoint &pos) const;
    void updateCursor(const QPoint &pos);

    Ui::WidgetSplicingSetting *m_ui;
    int m_rotateIndex = 0;
    QColor m_noInputColor = Qt::black;
    QPointer<QEventLoop> m_loop;
    PanelShadow m_shadow;
    // Mouse gesture on the window itself: a drag of the whole window or a resize at its edges.
    bool m_dragging = false;
    int m_edges = 0; // 1 left, 2 right, 4 top, 8 bottom
    QPoint m_pressGlobal;
    QRect m_geometryAtPress;
};
