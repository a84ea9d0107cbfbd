#pragma once

#include "uikit/framelessdialog.h"

#include <QMap>
#include <QRectF>
#include <QSize>
#include <QString>

namespace Ui {
class DialogWindowProperty;
}

/// What the property dialog shows of one wall window: a copy, so the dialog never points at a
/// window that a device report may remove while it is open.
struct WallWindowProperties
{
    int id = 0;
    int layer = 0;
    int input = 0;
    /// The window's rectangle as fractions of the canvas.
    QRectF relativeRect;
    /// The virtual wall size the window was last placed in.
    QSize virtualSize;
};

/// Shows one wall window's ID, layer, input, position and size in virtual wall pixels and lets
/// the operator change input, position and size. Apply asks the canvas to resize the window
/// (same input) or to open it again with the new input; Confirm applies and accepts.
class DialogWindowProperty : public FramelessDialog
{
    Q_OBJECT

public:
    /// inputNames: input number -> display name; the entries of the input box.
    DialogWindowProperty(const WallWindowProperties &window, const QMap<int, QString> &inputNames,
                         QWidget *parent = nullptr);
    ~DialogWindowProperty() override;

    int windowId() const { return m_window.id; }
    /// Shows the window's values afresh, e.g. after the canvas kept it inside the wall.
    void setWindow(const WallWindowProperties &window);

    /// Nearest integer, halves upward (2.5 -> 3, -2.5 -> -2), as the wall rounds.
    static int roundHalfUp(double value);

signals:
    /// Same input: place the window at relativeRect and send WindowResize.
    void si_resizeWindow(int id, const QRectF &relativeRect);
    /// Another input: place the window, give it the input and send WindowOpen.
    void si_reopenWindow(int id, int input, const QString &inputName, const QRectF &relativeRect);

public slots:
    /// The canvas lost a window; the dialog of that window closes.
    void sl_windowRemoved(int id);

private slots:
    void on_btn_ok_clicked();
    void on_btn_apply_clicked();
    void on_btn_cancel_clicked();
    void on_btn_close_clicked();

private:
    bool apply();

    Ui::DialogWindowProperty *m_ui;
    WallWindowProperties m_window;
    QMap<int, QString> m_inputNames;
};
