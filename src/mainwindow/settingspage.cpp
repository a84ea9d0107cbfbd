#include "settingspage.h"
#include "widgetforms.h"

#include "app/appsettings.h"
#include "mainwindow/consolemodel.h"
#include "mainwindow/protocolconsole.h"
#include "protocol/messagedistance.h"
#include "uikit/dialogconfirm.h"
#include "uikit/msgdlg.h"
#include "uikit/svgcheckbox.h"
#include "uikit/svglabel.h"
#include "users/permissionfunction.h"
#include "users/permissionstore.h"
#include "users/usermanagerdialog.h"
#include "wall/dialogbezel.h"

#include <QEvent>
#include <QListView>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace {

const char IpPattern[] = "((25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9][0-9]|[0-9])[\\.]){3}"
                         "(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9][0-9]|[0-9])";
const char MacPattern[] = "^([0-9a-fA-F]{2}(:|-)){5}[0-9a-fA-F]{2}$";

} // namespace

SettingsPage::SettingsPage(WidgetForms *ui, MessageDistance *client, DeviceState *state,
                           PermissionStore *permissions, QWidget *window)
    : QObject(window), m_ui(ui), m_client(client), m_state(state), m_permissions(permissions),
      m_window(window), m_consoleModel(new ConsoleModel(this))
{
    m_consoleModel->follow(m_client);
    connect(m_ui->btn_console, &QPushButton::toggled, this, &SettingsPage::showConsole);
    connect(m_state, &DeviceState::changed, this,
            [this](DeviceState::Part part) { onStateChanged(part); });
    // A reported DHCP state checks the switch as if the operator had.
    connect(m_client, &MessageDistance::si_SetDhcpSwitch, m_ui->DhcpSwitchCheck,
            &QCheckBox::setChecked);
    connect(m_ui->DhcpSwitchCheck, &QCheckBox::toggled, m_client, &MessageDistance::setDhcp);
    connect(m_client, &MessageDistance::si_http200Analysis, this, &SettingsPage::onAcknowledged);
    connect(m_ui->netWorkConfirmBtn, &QPushButton::clicked, this, [this] {
        m_networkChangePending = true;
        m_client->setNetInfo(m_ui->IpEdit->text(), m_ui->GateWayEdit->text(), m_ui->MacEdit->text(),
                             m_ui->SubnetEdit->text());
    });
    connect(m_ui->factorResetBtn, &QPushButton::clicked, this, &SettingsPage::confirmFactoryReset);
    connect(m_ui->bezelBtn, &QPushButton::clicked, this, &SettingsPage::editBezel);
    connect(m_ui->usermanageBtn, &QPushButton::clicked, this, [this] {
        Usermanagerdialog dialog(m_permissions, m_window);
        dialog.exec();
    });
    connect(m_ui->IsNotNeedLoginCheck, &QCheckBox::toggled, this, &SettingsPage::loginFreeToggled);
    for (SvgCheckBox *box : {m_ui->DhcpSwitchCheck, m_ui->IsNotNeedLoginCheck}) {
        box->setSvgPaths(QStringLiteral(":/Images/on.svg"), QStringLiteral(":/Images/off.svg"));
        box->setSvgSize(48, 24);
        box->setTextPosition(SvgCheckBox::ImageOnly);
    }
    const QRegularExpression ip(QString::fromLatin1(IpPattern));
    for (QLineEdit *edit : {m_ui->IpEdit, m_ui->GateWayEdit, m_ui->SubnetEdit})
        edit->setValidator(new QRegularExpressionValidator(ip, edit));
    m_ui->MacEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString::fromLatin1(MacPattern)), m_ui->MacEdit));
    // The combo boxes' styled list views cost a popup each: made when the page is first shown.
    m_ui->SettingTabWidget->installEventFilter(this);
    m_ui->lb_verIcon->setSvg(QStringLiteral(":/Images/ver.svg"), QSize(64, 64));
    showAbout();
}

bool SettingsPage::eventFilter(QObject *watched, QEvent *event)
{
    // The type first: the window's forms are gone before its pages, and a page never shown
    // still reports its children's removal here.
    if (event->type() == QEvent::Show && watched == m_ui->SettingTabWidget) {
        watched->removeEventFilter(this);
        for (QComboBox *box : {m_ui->languageComboBox, m_ui->HdmiAudioComboBox})
            box->setView(new QListView(box));
    }
    return QObject::eventFilter(watched, event);
}

void SettingsPage::applyRights()
{
    auto right = [this](int n) { return m_permissions->hasListPermission(n); };
    m_ui->usermanageBtn->setEnabled(right(UserFunction));
    m_ui->bezelBtn->setEnabled(right(BezelFunction));
    m_ui->factorResetBtn->setEnabled(right(NetWorkFunction));
    m_ui->netWorkConfirmBtn->setEnabled(right(NetWorkFunction));
    m_ui->DhcpSwitchCheck->setEnabled(right(DhcpFunction));
    m_ui->IsNotNeedLoginCheck->setEnabled(right(LoginFreeFunction));
    if (m_console)
        m_console->setCommandsAllowed(AppSettings::instance()->currentUserType() == 0);
}

void SettingsPage::showConsole(bool shown)
{
    if (!m_console && shown) {
        m_console = new ProtocolConsole(m_consoleModel, m_client, m_ui->wid_console);
        m_ui->wid_console->layout()->addWidget(m_console);
        m_console->setCommandsAllowed(AppSettings::instance()->currentUserType() == 0);
    }
    if (m_console)
        m_console->setVisible(shown);
}

void SettingsPage::showLoginFree(bool on)
{
    const QSignalBlocker block(m_ui->IsNotNeedLoginCheck);
    m_ui->IsNotNeedLoginCheck->setChecked(on);
}

void SettingsPage::onStateChanged(DeviceState::Part part)
{
    if (part == DeviceState::Network)
        showNetwork();
    else if (part == DeviceState::Model)
        showAbout();
}

void SettingsPage::showNetwork()
{
    m_ui->IpEdit->setText(m_state->ip());
    m_ui->GateWayEdit->setText(m_state->gateway());
    m_ui->SubnetEdit->setText(m_state->subnet());
    m_ui->MacEdit->setText(m_state->mac());
}

void SettingsPage::showAbout()
{
    // The model the window is arranged for, which is the reported one unless it was unknown.
    m_ui->typeLabel->setText(modelName(m_state->deviceType()));
    m_ui->deviceKindLabel->setText(m_state->deviceTypeText());
    m_ui->deviceMCU_label->setText(m_state->mcuVersion());
    m_ui->deviceFPGA_label->setText(m_state->fpgaVersion());
    m_ui->softwareLabel->setText(QStringLiteral("V" CORVANE_VERSION));
}

void SettingsPage::onAcknowledged()
{
    if (!m_networkChangePending)
        return;
    m_networkChangePending = false;
    MsgDlg dialog(tr("Network Changed"),
                  tr("The network has changed, please reboot the device immediately"), m_window);
    dialog.exec();
}

void SettingsPage::confirmFactoryReset()
{
    // One click used to wipe a live device; the operator sees what goes and which device first.
    const QString device = QStringLiteral("%1:%2")
                               .arg(AppSettings::instance()->deviceAddress())
                               .arg(AppSettings::instance()->devicePort());
    DialogConfirm question(
        m_window, tr("Factory Reset"),
        tr("Restore the device at %1 to its factory settings?\n\nEvery route, saved plan, "
           "port setting and caption on the device is lost, and its network settings return "
           "to the factory address, so the device may no longer be reached at %1.")
            .arg(device));
    if (question.exec() != 1)
        return;
    m_networkChangePending = true;
    m_client->restoreDefault();
}

void SettingsPage::editBezel()
{
    DialogBezel dialog(m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const BezelValues bezel = m_state->bezel();
    m_client->setBezelX(bezel[0], bezel[1], bezel[2], bezel[3]);
    QTimer::singleShot(100, this, [this] {
        const BezelValues b = m_state->bezel();
        m_client->setBezelY(b[4], b[5], b[6], b[7]);
    });
}
