#pragma once

#include "state/wallgeometry.h"
#include "wall/wallcanvas.h"

#include <QColor>
#include <QMap>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <functional>

class InputSignalWidget0409;
class PermissionStore;
class QTimer;

/// The wall page's picture of the video wall: the cell grid of the layout and up to four
/// windows (InputSignalWidget0409) placed in virtual wall pixels. Inputs dropped or drawn onto
/// it become windows; the device's window report rebuilds them.
class OutputWidget0409 : public QWidget, public WallCanvas
{
    Q_OBJECT

public:
    /// May the operator show `input` on the wall? Absent means yes.
    using PermissionCheck = std::function<bool(int input)>;
    /// Shows a modal message (question false) or asks (question true); true when confirmed.
    using MessageHook =
        std::function<bool(const QString &title, const QString &text, bool question)>;
    /// Opens the property dialog of window `id`, modally, with the input names.
    using PropertyOpener = std::function<void(int id, const QMap<int, QString> &names)>;

    static constexpr int RebuildWaitMs = 5000;

    explicit OutputWidget0409(QWidget *parent = nullptr);
    ~OutputWidget0409() override;

    void setPermissionCheck(PermissionCheck check) { m_permissionCheck = std::move(check); }
    /// The rights of the user logged in now: the wall function and the input's port right.
    void setPermissions(const PermissionStore *permissions);
    void setMessageHook(MessageHook hook) { m_message = std::move(hook); }
    void setPropertyOpener(PropertyOpener opener) { m_propertyOpener = std::move(opener); }

    // WallCanvas
    void resetAndLayout() override;
    void relayout() override;
    void switchVirLayout(int id) override { setLayoutUnit(id); }
    void redraw() override;
    void retranslate() override;
    void renameInput(int input, const QString &name) override;
    void resetReceivedFlags() override { resetReadiness(); }
    bool windowsReceived() const override { return m_windowsReady; }
    bool resolutionReceived() const override { return m_resolutionReady; }
    bool rotationReceived() const override { return m_rotationReady; }
    void closeAll() override { closeAllWindows(false); }
    /// Toggles the wall lock.
    void lockAll() override { setWallLocked(!m_wallLocked); }
    void zoomIn() override { zoomBy(1.1); }
    void zoomOut() override { zoomBy(0.9); }

    void updateRealResolution();
    void setLayoutUnit(int index);
    void updateLayoutMode();
    /// Adds a window, or updates the one with `id` when hasId is set and it exists. Returns the
    /// window, or nullptr when none could be added.
    InputSignalWidget0409 *addOrUpdateWindow(int input, const QString &name, const QRectF &rect,
                                             bool openOnShow, bool hasLayer, int layer, bool hasId,
                                             int id);
    void closeAllWindows(bool silent);
    void rebuildFromDevice();
    void scheduleRebuild();
    void resetReadiness();
    void setInputNameEntry(int input, const QString &name) { m_inputNames.insert(input, name); }
    void setCurrentInput(int input) override;
    int currentInput() const { return m_currentInput; }
    void setWallLocked(bool locked);
    bool isWallLocked() const override { return m_wallLocked; }
    void refreshWindowInfo();

    void layerUp(int id) { applyLayers(WallGeometry::layerUp(layers(), id), id); }
    void layerDown(int id) { applyLayers(WallGeometry::layerDown(layers(), id), id); }
    void layerTop(int id) { applyLayers(WallGeometry::layerTop(layers(), id), id); }
    void layerBottom(int id) { applyLayers(WallGeometry::layerBottom(layers(), id), id); }
    void zoomSingleScreen(int id);
    void zoomOccupiedScreens(int id);
    void showWindowProperty(int id);
    /// The property dialog's Apply: the window placed at `relative` (fractions of the canvas),
    /// then WindowResize, or WindowOpen when `input` differs from the window's.
    void applyWindowProperty(int id, int input, const QString &name, const QRectF &relative);

    InputSignalWidget0409 *window(int id) const { return m_windows.value(id); }
    QList<int> windowIds() const { return m_windows.keys(); }
    QSize virtualSize() const { return m_virtualSize; }
    int layoutMode() const { return m_layoutMode; }
    WallGeometry::Grid grid() const { return WallGeometry::layoutGrid(m_layoutMode); }
    bool rebuildPending() const;
    QRect rubberBand() const { return m_rubberBand; }

public slots:
    void onOutputResolutionReady();
    void onWindowsReady();
    void onRotationReady();

signals:
    void si_layoutChanged(int rows, int cols);
    void si_resize(double factor);
    void si_orderToOptimiseSizeVis(int virtualWidth, int virtualHeight);
    void si_showPermissionWarningDialog();
    void si_wallLockChanged(bool locked);
    /// A window left the canvas (closed, or gone from the device's report).
    void si_windowRemoved(int id);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool allowed(int input) const;
    bool message(const QString &title, const QString &text, bool question);
    bool linkUp() const;
    /// The input's name: the canvas's own entry, else the application's name cache.
    QString nameOf(int input) const;
    /// A new window for a drop or a drawn rectangle, or the refused command while the link is
    /// down.
    void openWindow(int input, const QString &name, const QRectF &rect);
    void zoomBy(double factor);
    void removeWindow(int id);
    /// Writes the windows into the store's window report, as the device now has them.
    void recordWindows();
    void discardWindow(int id);
    void discardAll();
    WallGeometry::Layers layers() const;
    void applyLayers(const WallGeometry::Layers &layers, int announce);
    void restack();
    void zoomTo(int id, const QRect &virtualRect);
    void showWindowMenu(int id, const QPoint &globalPos);
    void connectWindow(InputSignalWidget0409 *w);
    void setHighlightAll(bool on);

    QMap<int, InputSignalWidget0409 *> m_windows;
    int m_nextId = 1;
    QMap<int, QString> m_inputNames;
    int m_unitIndex = 2;
    int m_layoutMode = 5;
    QSize m_virtualSize;
    bool m_rubberBandActive = false;
    QPoint m_pressPoint;
    QRect m_rubberBand{QPoint(0, 0), QPoint(-1, -1)};
    int m_currentInput = 0;
    QString m_currentInputName;
    bool m_resolutionReady = false;
    bool m_windowsReady = false;
    bool m_rotationReady = false;
    QPointer<QTimer> m_rebuildTimer;
    bool m_wallLocked = false;
    bool m_propertyOpen = false;
    PermissionCheck m_permissionCheck;
    MessageHook m_message;
    PropertyOpener m_propertyOpener;
    QColor m_gridColor{50, 50, 50, 102};
    QColor m_crossColor{175, 194, 195, 128};
};
