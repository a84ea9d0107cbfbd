#include "logindialog.h"

#include "app/appsettings.h"
#include "loginsettingdialog.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"
#include "ui_logindialog.h"
#include "uikit/msgdlg.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QTimer>

namespace {
// Normal image first, hover and press second.
const char PasswordButtonStyle[] =
    "QPushButton{border:none;background:transparent;border-image:url(%1);}"
    "QPushButton:hover,QPushButton:pressed{border-image:url(%2);}";
const char ShowImage[] = ":/Images/login/Show_Pass.png";
const char HideImage[] = ":/Images/login/Hide_pass.png";
} // namespace

LoginDialog::LoginDialog(QWidget *parent, MessageDistance *client)
    : FramelessDialog(parent), m_ui(new Ui::LoginDialog), m_tipTimer(new QTimer(this))
{
    m_ui->setupUi(this);
    setModal(true);
    applyShadow(m_ui->widget_bg, 35);
    setWindowIcon(QIcon(QStringLiteral(":/Images/applogo.png")));

    m_ui->lb_background->setSvg(QStringLiteral(":/Images/Loginbackgound.svg"),
                                m_ui->lb_background->size());
    m_ui->lb_logo->setSvg(QStringLiteral(":/Images/debugandroidQtViewconfig.svg"),
                          m_ui->lb_logo->size());

    // The eye button sits inside the password field, at its right end.
    m_ui->lyt_options->removeWidget(m_ui->btnPasswordShow);
    auto *eyeLayout = new QHBoxLayout(m_ui->passwordEdit);
    eyeLayout->setContentsMargins(0, 0, 12, 0);
    eyeLayout->addStretch();
    eyeLayout->addWidget(m_ui->btnPasswordShow);
    m_ui->passwordEdit->setTextMargins(0, 0, 30, 0);
    m_ui->btnPasswordShow->setCursor(Qt::PointingHandCursor);
    m_ui->btnPasswordShow->setToolTip(tr("Show or hide the password"));
    applyPasswordButtonStyle();

    m_ui->usernameEdit->addAction(QIcon(QStringLiteral(":/Images/login/user.png")),
                                  QLineEdit::LeadingPosition);
    m_ui->passwordEdit->addAction(QIcon(QStringLiteral(":/Images/login/lock.png")),
                                  QLineEdit::LeadingPosition);

    m_ui->labelTip->setText(QString());
    m_ui->usernameEdit->setText(AppSettings::instance()->userName());
    m_ui->lb_title->setText(
        QStringLiteral("%1%2").arg(QStringLiteral("CVN"), tr("系列视频切换软件")));

    m_tipTimer->setSingleShot(true);
    m_tipTimer->setInterval(TipMs);
    connect(m_tipTimer, &QTimer::timeout, m_ui->labelTip, &QLabel::clear);

    if (!client)
        client = MessageDistance::instance();
    connect(client, &MessageDistance::connectSuccessFulSig, this,
            &LoginDialog::onConnectSuccessful);
    connect(client, &MessageDistance::connectFailureSig, this, &LoginDialog::onConnectFailure);
}

LoginDialog::~LoginDialog()
{
    delete m_ui;
}

void LoginDialog::setUserAccountStore(UserAccountStore *users)
{
    m_users = users;
    if (m_users && m_users->isRememberPassword()) {
        m_ui->checkBox_memory->setChecked(true);
        m_ui->passwordEdit->setText(m_users->rememberedPassword());
    }
}

void LoginDialog::on_btnLogin_clicked()
{
    const QString name = m_ui->usernameEdit->text();
    const QString password = m_ui->passwordEdit->text();
    AppSettings *settings = AppSettings::instance();
    const DeviceState *state = DeviceState::instance();

    QString unsaved;
    if (m_users) {
        const bool remember = m_ui->checkBox_memory->isChecked();
        const bool wasRemembered = m_users->isRememberPassword();
        const QString oldPassword = wasRemembered ? m_users->rememberedPassword() : QString();
        bool saved = m_users->setRememberPassword(remember);
        if (saved && remember)
            saved = m_users->saveRememberedPassword(password);
        // A database that takes no writes was announced at start-up; only a choice that
        // actually changes something is worth telling again.
        const bool changed = remember != wasRemembered || (remember && password != oldPassword);
        if (!saved && changed)
            unsaved = ProjectDatabase::lastError();
    }
    settings->setCurrentUser(name);
    settings->setNetWork(state->ip(), state->port());
    settings->setUserName(name);
    settings->setType(int(state->deviceType()));

    // Without accounts to check against nobody can log in.
    const bool known = m_users && m_users->checkUser(name, password);
    const QString failure = m_users && !known ? ProjectDatabase::lastError() : QString();
    if (!failure.isEmpty()) {
        // Not the operator's mistake: saying "wrong password" would send them looking for one.
        showTip(tr("The user list cannot be read!"));
        MsgDlg(tr("Warning"),
               tr("Nobody can log in: the user list cannot be read from the project "
                  "database.\n%1")
                   .arg(failure),
               this)
            .exec();
        return;
    }
    if (!unsaved.isEmpty()) {
        MsgDlg(tr("Warning"), tr("The password choice could not be saved:\n%1").arg(unsaved), this)
            .exec();
    }
    if (!known) {
        showTip(tr("username or password error!"));
        return;
    }
    settings->setCurrentUserType(m_users->userType(name));
    done(1);
}

void LoginDialog::onConnectSuccessful()
{
    // A closed dialog that still exists must not change its answer afterwards.
    if (!isVisible())
        return;
    if (!m_users) {
        showTip(tr("connect successful but software error!"));
        return;
    }
    const QString name = m_ui->usernameEdit->text();
    if (m_users->checkUser(name, m_ui->passwordEdit->text())) {
        // Whoever is let in is also the user the rights are loaded for.
        AppSettings::instance()->setCurrentUser(name);
        AppSettings::instance()->setCurrentUserType(m_users->userType(name));
        done(1);
        return;
    }
    // Nothing was pressed here, so no message box pops up; Login shows the details.
    showTip(ProjectDatabase::lastError().isEmpty() ? tr("username or password error!")
                                                   : tr("The user list cannot be read!"));
}

void LoginDialog::onConnectFailure()
{
    if (!isVisible())
        return;
    showTip(tr("connect fail!"));
}

void LoginDialog::showTip(const QString &text)
{
    m_ui->labelTip->setText(text);
    m_ui->labelTip->setVisible(true);
    m_tipTimer->start();
}

void LoginDialog::on_settingBtn_clicked()
{
    LoginSettingDialog dialog(this, m_typeListDisabled);
    dialog.exec();
}

void LoginDialog::on_btnClose_clicked()
{
    done(0);
}

void LoginDialog::on_mini_clicked()
{
    showMinimized();
}

void LoginDialog::on_btnPasswordShow_clicked()
{
    const bool hidden = m_ui->passwordEdit->echoMode() == QLineEdit::Password;
    m_ui->passwordEdit->setEchoMode(hidden ? QLineEdit::Normal : QLineEdit::Password);
    applyPasswordButtonStyle();
}

void LoginDialog::applyPasswordButtonStyle()
{
    const bool visible = m_ui->passwordEdit->echoMode() == QLineEdit::Normal;
    const QLatin1String normal(visible ? ShowImage : HideImage);
    const QLatin1String hover(visible ? HideImage : ShowImage);
    m_ui->btnPasswordShow->setStyleSheet(
        QString::fromLatin1(PasswordButtonStyle).arg(normal, hover));
}

void LoginDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        on_btnLogin_clicked();
        return;
    }
    FramelessDialog::keyPressEvent(event);
}
