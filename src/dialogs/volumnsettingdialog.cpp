#include "volumnsettingdialog.h"

#include "ui_volumnsettingdialog.h"

#include "protocol/messagedistance.h"
#include "state/devicestate.h"

#include <QIcon>
#include <QSignalBlocker>

VolumnSettingDialog::VolumnSettingDialog(int port, QWidget *parent)
    : FramelessDialog(parent), m_ui(new Ui::VolumnSettingDialog), m_port(port)
{
    m_ui->setupUi(this);
    setModal(true);
    applyShadow(m_ui->widget_bg, 35);
    // The wall model numbers its HDMI audio ports from 101 but addresses them as 1, 2, ...
    if (DeviceState::instance()->deviceType() == Dev0409S && m_port > 100)
        m_port -= 100;
    connect(DeviceState::instance(), &DeviceState::changed, this, [this](DeviceState::Part part) {
        if (part == DeviceState::Volume)
            refresh();
    });
    refresh();
    MessageDistance::instance()->getVolume();
}

VolumnSettingDialog::~VolumnSettingDialog()
{
    delete m_ui;
}

void VolumnSettingDialog::refresh()
{
    const DeviceState *state = DeviceState::instance();
    const int volume = state->volumeAt(m_port);
    {
        const QSignalBlocker blocker(m_ui->volumnSplider);
        m_ui->volumnSplider->setValue(volume);
    }
    m_ui->volumnLabel->setText(QString::number(m_ui->volumnSplider->value()));
    showMuted(state->muteAt(m_port) == 1);
}

void VolumnSettingDialog::showMuted(bool muted)
{
    m_muted = muted;
    m_ui->btn_mute->setIcon(QIcon(muted ? QStringLiteral(":/Images/vol_mute.png")
                                        : QStringLiteral(":/Images/vol_unmute.png")));
}

void VolumnSettingDialog::on_volumnSplider_sliderReleased()
{
    const int volume = m_ui->volumnSplider->value();
    m_ui->volumnLabel->setText(QString::number(volume));
    MessageDistance::instance()->setVolume(m_port, volume);
    // The device tells only its other clients; keep the store (and the other views) in step.
    DeviceState::instance()->setVolumeAt(m_port, volume);
}

void VolumnSettingDialog::on_btn_mute_clicked()
{
    const bool muted = !m_muted;
    showMuted(muted);
    if (muted)
        MessageDistance::instance()->muteOn(m_port);
    else
        MessageDistance::instance()->muteOff(m_port);
    DeviceState::instance()->setMuteAt(m_port, muted ? 1 : 0);
}

void VolumnSettingDialog::on_btnApply_clicked()
{
    done(1);
}

void VolumnSettingDialog::on_btnClose_clicked()
{
    done(0);
}

void VolumnSettingDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowTitleChange)
        m_ui->lb_title->setText(windowTitle());
    FramelessDialog::changeEvent(event);
}
