// The main window shell: construction, login, the reports wired to the applier, device-type
// arrangement and language.
#include "widget.h"
#include "widgetforms.h"

#include "app/appsettings.h"
#include "app/loginflow.h"
#include "dialogs/uploaderrordialogs.h"
#include "mainwindow/activitypage.h"
#include "mainwindow/listwidget.h"
#include "mainwindow/multiviewpage.h"
#include "mainwindow/parkedpages.h"
#include "mainwindow/planbars.h"
#include "mainwindow/routingpage.h"
#include "mainwindow/settingspage.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/titlebar.h"
#include "mainwindow/wallpage.h"
#include "mainwindow/widgetdialogs.h"
#include "mainwindow/widgetmenus.h"
#include "mainwindow/windowstyle.h"
#include "protocol/messagedistance.h"
#include "protocol/queryschedule.h"
#include "state/devicestate.h"
#include "state/reportapplier.h"
#include "storage/activityrecorder.h"
#include "storage/captionstore.h"
#include "storage/portnamestore.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"
#include "uikit/msgdlg.h"
#include "uikit/pngicon.h"
#include "users/permissionfunction.h"
#include "users/permissionstore.h"
#include "wall/multiviewview.h"
#include "wall/outputwidget0409.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLocale>
#include <QTimer>
#include <QVBoxLayout>

Widget::Widget(QWidget *parent)
    : BaseWidget(parent), m_ui(new WidgetForms), m_client(MessageDistance::instance()),
      m_reports(new ReportApplier(DeviceState::instance(), this))
{
    AppSettings *settings = AppSettings::instance();
    DeviceState *store = DeviceState::instance();
    store->setIp(settings->deviceAddress());
    store->setPort(settings->devicePort());
    m_portNames = std::make_unique<PortNameStore>();
    m_userAccounts = std::make_unique<UserAccountStore>();
    m_captionOsdStore = std::make_unique<CaptionStore>();
    m_permissions = std::make_unique<PermissionStore>();

    // The translator goes in first, so the forms are built in their language once.
    int language = settings->language();
    if (language == -1) {
        language = QLocale::system().language() == QLocale::Chinese ? 0 : 1;
        settings->setLanguage(language);
    }
    m_translator.load(language == 0 ? QStringLiteral(":/Chinese") : QStringLiteral(":/English"));
    qApp->installTranslator(&m_translator);
    buildForm();
    buildPages();
    m_ui->languageComboBox->setCurrentIndex(language == 0 ? 0 : 1);
    connectReports();

    m_ui->tabWidget->setCurrentIndex(VideoTab);
    store->setDeviceType(deviceTypeFromInt(settings->type()));
    runStartupLogin();
    if (!m_loginAccepted)
        return;

    // The first connection waits for the event loop so the window is shown first.
    const QString host = m_loginFree ? settings->deviceAddress() : store->ip();
    const int port = m_loginFree ? settings->devicePort() : store->port();
    m_client->setUploadPort(settings->uploadPort());
    QTimer::singleShot(0, this, [this, host, port] { m_client->connectToDevice(host, port); });
    m_title->showConnection(AppSettings::Connecting);
    m_settings->showLoginFree(m_loginFree);

    connect(m_ui->languageComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &Widget::switchLanguage);
    connect(m_ui->HdmiAudioComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int index) {
                applyHdmiAudioFollow(index == 0);
                m_client->setAudioFollow(index == 0);
            });
    show();
}

Widget::~Widget()
{
    delete m_ui;
}

void Widget::buildForm()
{
    auto *panelLayout = new QVBoxLayout(panel());
    panelLayout->setContentsMargins(0, 0, 0, 0);
    m_content = new QWidget(panel());
    m_content->setObjectName(QStringLiteral("mainContent"));
    // The sheets go on before the form is built: building it already polishes part of the video
    // page, and Qt does not repolish those children when an unpolished parent gets a new sheet.
    setBackgroundColor(QStringLiteral("#ffffff"));
    m_content->setStyleSheet(WindowStyle::content());
    m_ui->Ui_Widget::setupUi(m_content);

    m_parked = new ParkedPages(m_ui, this);
    connect(m_ui->tabWidget, &QTabWidget::currentChanged, this, &Widget::onPageChanged);
    panelLayout->addWidget(m_content);
    resize(1280, 800);
    m_ui->tabWidget->setStyleSheet(WindowStyle::tabs(false));
    panel()->installEventFilter(this);
    setWindowIcon(pngIcon(QStringLiteral(":/Images/applogo.png")));
    setWindowTitle(QStringLiteral("%1MATRIX CONTROL").arg(WindowStyle::brand()));
}

void Widget::buildPages()
{
    DeviceState *store = DeviceState::instance();
    m_title = new TitleBar(m_ui, m_client, store, m_content, this);
    connect(m_title, &TitleBar::maximizedChanged, this, [this] {
        if (DeviceState::instance()->deviceType() == Dev0409S)
            m_wall->canvas()->relayout();
    });
    auto linkReady = [this](const QString &what) { return m_title->linkReady(what); };
    auto groups = [this] { return splitManager(); };
    m_wall = new WallPage(m_ui, m_client, store, m_reports, this);
    connect(m_wall->canvas(), &OutputWidget0409::si_showPermissionWarningDialog, this,
            &Widget::showPortWarning);
    m_routing =
        new RoutingPage(m_ui, m_client, store, m_reports, m_permissions.get(), m_portNames.get(),
                        {linkReady, [this] { showPortWarning(); }}, this);
    m_routing->loadPortNames();
    m_multiview = new MultiviewPage(m_ui, m_client, store, m_reports, m_routing, linkReady, this);
    m_plans = new PlanBars(m_ui, m_client, store, m_wall->canvas(), groups, this);
    m_settings = new SettingsPage(m_ui, m_client, store, m_permissions.get(), this);
    connect(m_settings, &SettingsPage::loginFreeToggled, this, [this](bool on) {
        if (!saved(m_userAccounts->setLoginModel(on ? 1 : 0)))
            m_settings->showLoginFree(!on);
    });
    m_dialogs = new WidgetDialogs(this, m_captionOsdStore.get(), m_reports);
    m_menus = new WidgetMenus(this, {m_ui, m_client, m_permissions.get(), m_portNames.get(),
                                     m_wall->canvas(), m_plans, m_routing, m_dialogs, m_reports,
                                     linkReady, groups});
    connect(m_plans, &PlanBars::menuRequested, m_menus, &WidgetMenus::showPlanMenu);
    connect(m_plans, &PlanBars::routesPlanRecalled, m_routing->history(),
            &RouteHistory::recordPlanRecall);
    for (QPushButton *caption : {m_ui->CaptionBtn, m_ui->btn_caption_0409})
        connect(caption, &QPushButton::clicked, m_dialogs, &WidgetDialogs::openCaption);
    connect(m_ui->refrenshBtn, &QPushButton::clicked, this, [this] {
        m_wall->canvas()->resetReceivedFlags();
        m_client->getVersion();
    });
    connect(m_ui->btnReLogin, &QPushButton::clicked, this, &Widget::reLogin);
    buildActivityLog();
    connect(
        m_ui->listWidget, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
            m_ui->listWidget->refreshSelectionAndMode();
            // A window drawn on the wall shows the video input chosen in the list.
            const bool video =
                item && item->data(ListWidget::KindRole).toInt() == ListWidget::VideoKind;
            m_wall->canvas()->setCurrentInput(video ? item->data(ListWidget::PortRole).toInt() : 0);
        });
}

void Widget::buildActivityLog()
{
    auto *recorder =
        new ActivityRecorder([] { return AppSettings::instance()->currentUser(); }, this);
    connect(m_client, &MessageDistance::commandSent, recorder, &ActivityRecorder::commandSent);
    connect(m_client, &MessageDistance::receiveChangedByOthersSig, recorder,
            &ActivityRecorder::changedByOthers);
    m_activity = new ActivityPage(this);
    m_ui->tabWidget->insertTab(ActivityTab, m_activity, tr("Activity"));
    connect(recorder, &ActivityRecorder::recorded, m_activity, &ActivityPage::entriesRecorded);
    connect(recorder, &ActivityRecorder::saveFailed, this, [this](const QString &error) {
        MsgDlg dialog(tr("Warning"), tr("The activity log cannot be saved:\n%1").arg(error), this);
        dialog.exec();
    });
}

void Widget::runStartupLogin()
{
    LoginFlow flow(m_userAccounts.get(), m_permissions.get(), this);
    const LoginFlow::Outcome outcome = flow.startup();
    if (outcome == LoginFlow::Rejected) {
        m_loginAccepted = false;
        return;
    }
    m_loginFree = outcome == LoginFlow::LoginFree;
    afterLogin();
}

void Widget::afterLogin()
{
    // The login flow has loaded the user's rights; they are applied to the controls here.
    applyPermissions();
    m_routing->createSpliceGroups();
    arrangeForDeviceType();
}

void Widget::reLogin()
{
    hide();
    LoginFlow flow(m_userAccounts.get(), m_permissions.get(), this);
    if (!flow.relogin()) {
        qApp->quit();
        return;
    }
    // Another operator does not undo the last one's steps.
    m_routing->history()->clear();
    afterLogin();
    m_title->showConnection(AppSettings::Connecting);
    show();
    DeviceState *store = DeviceState::instance();
    m_client->connectToDevice(store->ip(), store->port());
}

void Widget::arrangeForDeviceType()
{
    const DeviceType type = DeviceState::instance()->deviceType();
    QTabWidget *tabs = m_ui->tabWidget;
    // Only a model with a video wall has its page's tools and a bezel to set.
    const bool wall = type == Dev0409S;
    m_ui->wid_0409->setVisible(wall);
    m_ui->bezelBtn->setVisible(wall);
    m_ui->lb_bezel->setVisible(wall);
    m_ui->wid_multiview->setVisible(type == Dev0809M);
    tabs->setTabText(JointTab, type == Dev0809M ? tr("Multiview") : tr("Splice"));
    tabs->setTabEnabled(VideoTab, !wall);
    tabs->setTabEnabled(InfraredTab, !wall && type != Dev0808S && type != Dev0404);
    tabs->setTabEnabled(JointTab, wall || type == Dev0809M);
    if (type != Dev0808S)
        m_plans->loadNames();
    if (wall) {
        m_reports->setHdmiAudioFollow(false);
        tabs->setCurrentIndex(JointTab);
        QTimer::singleShot(0, this, [this] { onPageChanged(m_ui->tabWidget->currentIndex()); });
        m_wall->canvas()->relayout();
    } else if (!tabs->isTabEnabled(tabs->currentIndex())) {
        tabs->setCurrentIndex(VideoTab);
    }
    m_routing->arrangeFor(type);
}

void Widget::onPageChanged(int index)
{
    ListWidget *list = m_ui->listWidget;
    list->setListMode(index == AudioTab ? 1 : index == InfraredTab ? 2 : 0);
    list->refreshSelectionAndMode();
    const bool fullWidth = index == SettingTab || index == AboutTab || index == ActivityTab;
    if (m_routing)
        m_routing->setTakeBarShown(index == VideoTab || index == AudioTab || index == InfraredTab);
    m_ui->leftContentWidget->setVisible(!fullWidth);
    m_ui->tabWidget->setStyleSheet(WindowStyle::tabs(fullWidth));
}

bool Widget::saved(bool ok)
{
    if (!ok) {
        MsgDlg dialog(tr("Warning"),
                      tr("The change could not be saved:\n%1").arg(ProjectDatabase::lastError()),
                      this);
        dialog.exec();
    }
    return ok;
}

bool Widget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == panel() && event->type() == QEvent::Resize && !m_title->isMaximized()) {
        const QSize wanted = panel()->size() + QSize(30, 30);
        if (size() != wanted)
            setFixedSize(wanted);
    }
    return BaseWidget::eventFilter(watched, event);
}

void Widget::switchLanguage(int index)
{
    AppSettings::instance()->setLanguage(index);
    qApp->removeTranslator(&m_translator);
    m_translator.load(index == 0 ? QStringLiteral(":/Chinese") : QStringLiteral(":/English"));
    qApp->installTranslator(&m_translator);
    m_ui->Ui_Widget::retranslateUi(m_content);
    m_ui->Ui_WidgetPages::retranslateUi(m_parked->holder());
    // retranslateUi resets the tab names, the plan captions and the connection text.
    const DeviceType type = DeviceState::instance()->deviceType();
    m_ui->tabWidget->setTabText(JointTab, type == Dev0809M ? tr("Multiview") : tr("Splice"));
    m_ui->tabWidget->setTabText(ActivityTab, tr("Activity"));
    m_plans->loadNames();
    m_title->retranslate();
    // Ports nobody named carry a name in the language shown; named ones keep theirs.
    m_routing->showNamesAfresh();
    m_routing->showHistory();
    if (type == Dev0409S) {
        m_wall->canvas()->retranslate();
        for (int port = 1; port <= ListWidget::PortsPerKind; ++port)
            m_wall->canvas()->renameInput(port, AppSettings::instance()->inputName(port));
    }
    m_multiview->view()->refresh();
}

void Widget::applyHdmiAudioFollow(bool follow)
{
    m_reports->setHdmiAudioFollow(follow);
    m_routing->arrangeAudioPage();
}

void Widget::showPortWarning()
{
    MsgDlg dialog(tr("Warning"),
                  tr("The current operation involves one or more ports that the current user "
                     "does not have permission to use."),
                  this);
    dialog.exec();
}

void Widget::applyPermissions()
{
    PermissionStore *p = m_permissions.get();
    m_routing->applyRights();
    m_wall->applyRights(p);
    m_settings->applyRights();
    const bool caption = p->hasListPermission(CaptionFunction);
    m_ui->CaptionBtn->setEnabled(caption);
    m_ui->btn_caption_0409->setEnabled(caption);
    m_ui->tabWidget->setTabEnabled(AboutTab, p->hasListPermission(VersionInformationFunction));
}

MultiviewView *Widget::multiviewView() const
{
    return m_multiview->view();
}

SpliceGroups *Widget::splitManager() const
{
    return m_routing->spliceGroups();
}

void Widget::connectReports()
{
    MessageDistance *c = m_client;
    ReportApplier *r = m_reports;
    connect(c, &MessageDistance::connectSuccessFulSig, this, [c] { c->getVersion(); });
    connect(c, &MessageDistance::receiveVersionSig, this, &Widget::onVersion);
    connect(c, &MessageDistance::receiveInputChannelStateSig, r, &ReportApplier::applyInputSignals);
    connect(c, &MessageDistance::receiveNetWorkImforamtionSig, r, &ReportApplier::applyNetwork);
    connect(c, &MessageDistance::receiveVideoAudioIRMapSig, r, &ReportApplier::applyRoutes);
    connect(c, &MessageDistance::receiveInOutChannelResolutionMapSig, r,
            &ReportApplier::applyResolutions);
    connect(c, &MessageDistance::receiveTitleImfSig, r, &ReportApplier::applyCaption);
    connect(c, &MessageDistance::receiveVolumnImformationSig, r, &ReportApplier::applyVolumes);
    connect(c, &MessageDistance::receiveBindInfoSig, r, &ReportApplier::applyBindInfo);
    connect(c, &MessageDistance::receiveOutputInfoSig, r, &ReportApplier::applyOutputInfo);
    connect(c, &MessageDistance::receiveHDCPInfoSig, r, &ReportApplier::applyHdcp);
    connect(c, &MessageDistance::receiveWindowStatusSig, r, &ReportApplier::applyWindowStatus);
    connect(c, &MessageDistance::receiveRotateAngleSig, r, &ReportApplier::applyRotation);
    connect(c, &MessageDistance::receiveChangedByOthersSig, r,
            &ReportApplier::applyChangedByOthers);
    // Upload failures are shown once the channel's handler has returned (one reporter only).
    installUploadErrorDialogs();
}

bool Widget::hdmiAudioFollow() const
{
    return m_reports->hdmiAudioFollow();
}

void Widget::onVersion(const QJsonObject &object)
{
    // The delays of the status queries count from the report's arrival; the first one leaves
    // before the views are rebuilt, as it needs nothing from them.
    QElapsedTimer sinceReport;
    sinceReport.start();
    m_client->getStatus();

    DeviceState *store = DeviceState::instance();
    bool follow = false;
    if (m_reports->applyVersion(object, &follow)) {
        arrangeForDeviceType();
        if (store->deviceType() == Dev0409S)
            m_wall->canvas()->resetAndLayout();
        AppSettings::instance()->setType(store->deviceType());
    } else {
        // An unknown model keeps the arrangement; the stored type falls back to the default.
        AppSettings::instance()->setType(Dev0809);
        m_routing->buildTables();
    }
    {
        const QSignalBlocker blocker(m_ui->HdmiAudioComboBox);
        m_ui->HdmiAudioComboBox->setCurrentIndex(follow ? 0 : 1);
    }
    applyHdmiAudioFollow(follow);
    QuerySchedule::sendAfterStatus(m_client, store->deviceType(), sinceReport.elapsed());
}
