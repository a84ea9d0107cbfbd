#pragma once

#include "uikit/framelessdialog.h"

namespace Ui {
class VolumnSettingDialog;
}

/// Volume and mute of one audio port. The volume goes out when the slider is released, after a
/// drag or a click on its groove (which puts the handle there); the mute button toggles.
/// Follows the state store's volumes while open.
class VolumnSettingDialog : public FramelessDialog
{
    Q_OBJECT

public:
    explicit VolumnSettingDialog(int port, QWidget *parent = nullptr);
    ~VolumnSettingDialog() override;

    /// The port the commands address (an HDMI audio port of the wall model loses its 100).
    int port() const { return m_port; }
    bool isMuted() const { return m_muted; }

public slots:
    /// Shows the stored volume and mute state of the port without sending anything.
    void refresh();

private slots:
    void on_volumnSplider_sliderReleased();
    void on_btn_mute_clicked();
    void on_btnApply_clicked();
    void on_btnClose_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void showMuted(bool muted);

    Ui::VolumnSettingDialog *m_ui;
    int m_port;
    bool m_muted = false;
};
