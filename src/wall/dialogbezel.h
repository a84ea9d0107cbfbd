#pragma once

#include "uikit/framelessdialog.h"

#include <QList>

class QLineEdit;

namespace Ui {
class DialogBezel;
}

/// Edits the eight bezel gaps of the wall: four between columns, four between rows, each
/// 0..999 pixels. OK stores all eight in the device state and accepts; the caller sends them.
class DialogBezel : public FramelessDialog
{
    Q_OBJECT

public:
    explicit DialogBezel(QWidget *parent = nullptr);
    ~DialogBezel() override;

    /// x1..x4, then y1..y4.
    QList<QLineEdit *> fields() const;

public slots:
    void on_btn_ok_clicked();
    void on_btn_cancel_clicked();
    void on_btn_close_clicked();

private:
    Ui::DialogBezel *m_ui;
};
