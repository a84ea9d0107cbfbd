#include "cdlgscalingmode.h"

#include "ui_cdlgscalingmode.h"

#include "protocol/messagedistance.h"
#include "reporttext.h"
#include "state/devicestate.h"

#include <QDebug>

CDlgScalingmode::CDlgScalingmode(QWidget *parent)
    : FramelessDialog(parent)
    , m_ui(new Ui::CDlgScalingmode)
{
    m_ui->setupUi(this);
    setModal(true);
    applyShadow(m_ui->widget_bg, 25);
}

CDlgScalingmode::~CDlgScalingmode()
{
    delete m_ui;
}

void CDlgScalingmode::setPort(int port)
{
    m_port = port;
    showMode(DeviceState::instance()->scalingModeAt(port));
}

// Modes the dialog offers; 1 is not used by the device, and anything else leaves the
// buttons as they are.
void CDlgScalingmode::showMode(int mode)
{
    QRadioButton *button = nullptr;
    switch (mode) {
    case 0:
        button = m_ui->radioButton_full;
        break;
    case 2:
        button = m_ui->radioButton_black;
        break;
    case 3:
        button = m_ui->radioButton_tailor;
        break;
    default:
        return;
    }
    // The buttons are auto-exclusive, so checking one clears the other two.
    button->setChecked(true);
}

int CDlgScalingmode::selectedMode() const
{
    if (m_ui->radioButton_full->isChecked())
        return 0;
    if (m_ui->radioButton_black->isChecked())
        return 2;
    if (m_ui->radioButton_tailor->isChecked())
        return 3;
    return -1;
}

void CDlgScalingmode::sl_StateUpdate(QString RecvData)
{
    qDebug().noquote() << "------------------>>>>" + RecvData;
    bool ok = false;
    const int channel = ReportText::channel(RecvData, &ok);
    if (!ok || channel != m_port)
        return;
    const QString value = ReportText::valueAfter(RecvData, QStringLiteral("\"Scaler_Mode\":"));
    const int mode = value.toInt(&ok);
    // A reply without a readable mode must not overwrite the store with a made-up 0.
    if (!ok)
        return;
    showMode(mode);
    DeviceState::instance()->setScalingModeAt(m_port, mode);
}

void CDlgScalingmode::on_pushButton_clicked()
{
    const int mode = selectedMode();
    if (mode >= 0)
        MessageDistance::instance()->setScalerMode(m_port, mode);
    accept();
}

void CDlgScalingmode::on_pushButton_2_clicked()
{
    reject();
}

void CDlgScalingmode::on_btnClose_clicked()
{
    reject();
}

void CDlgScalingmode::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowTitleChange)
        m_ui->lb_title->setText(windowTitle());
    FramelessDialog::changeEvent(event);
}
