#include "loginsettingdialog.h"

#include "state/devicestate.h"
#include "ui_loginsettingdialog.h"

#include <QListView>

namespace {
// In the order of DeviceType: the list index is the stored type.
const char *const DeviceCodes[] = {"0808", "0809", "0409_S", "0808_S", "0809_M", "0404"};
} // namespace

LoginSettingDialog::LoginSettingDialog(QWidget *parent, bool typeListDisabled)
    : FramelessDialog(parent, Qt::Tool), m_ui(new Ui::LoginSettingDialog)
{
    m_ui->setupUi(this);
    setModal(true);
    applyShadow(m_ui->widget_bg, 35);

    // A list view lets the style sheet size and colour the entries.
    m_ui->cbb_type->setView(new QListView(m_ui->cbb_type));
    for (int i = 0; i < int(sizeof(DeviceCodes) / sizeof(DeviceCodes[0])); ++i)
        m_ui->cbb_type->addItem(
            QStringLiteral("%1%2").arg(QStringLiteral("CVN"), QLatin1String(DeviceCodes[i])), i);

    const DeviceState *state = DeviceState::instance();
    m_ui->DeviceIP->setText(state->ip());
    m_ui->DevicePort->setText(QString::number(state->port()));
    m_ui->cbb_type->setCurrentIndex(int(state->deviceType()));
    m_ui->cbb_type->setEnabled(!typeListDisabled);
}

LoginSettingDialog::~LoginSettingDialog()
{
    delete m_ui;
}

void LoginSettingDialog::on_btnOK_clicked()
{
    DeviceState *state = DeviceState::instance();
    // Blanks around an address only come from pasting; they would never connect.
    state->setIp(m_ui->DeviceIP->text().trimmed());
    state->setPort(m_ui->DevicePort->text().toInt());
    if (m_ui->cbb_type->isEnabled())
        state->setDeviceType(deviceTypeFromInt(m_ui->cbb_type->currentIndex()));
    done(1);
}

void LoginSettingDialog::on_btnClose_clicked()
{
    done(0);
}
