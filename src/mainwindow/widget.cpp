// The main window shell: construction, login, device-type arrangement, connection texts,
// language, window controls, network page and permissions.
#include "widget.h"
#include "widgetforms.h"

#include "app/appsettings.h"
#include "app/loginflow.h"
#include "dialogs/uploaderrordialogs.h"
#include "mainwindow/checkpushbutton.h"
#include "mainwindow/listwidget.h"
#include "mainwindow/routingpage.h"
#include "mainwindow/settingspage.h"
#include "mainwindow/tableitemwidget.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/wallpage.h"
#include "mainwindow/widgetdialogs.h"
#include "mainwindow/widgetmenus.h"
#include "mainwindow/widgetsplice.h"
#include "protocol/messagedistance.h"
#include "protocol/queryschedule.h"
#include "state/devicestate.h"
#include "state/reportapplier.h"
#include "state/sigmanager.h"
#include "storage/captionstore.h"
#include "storage/plannamestore.h"
#include "storage/portnamestore.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"
#include "uikit/dialogconfirm.h"
#include "uikit/msgdlg.h"
#include "uikit/pngicon.h"
#include "uikit/svgcheckbox.h"
#include "uikit/svglabel.h"
#include "users/permissionfunction.h"
#include "users/permissionstore.h"
#include "wall/multiviewview.h"
#include "wall/outputwidget0409.h"
#include "wall/singlesplitterwidget.h"
#include "wall/splicegroups.h"
#include "wall/wallcanvas.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDebug>
#include <QEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QPixmap>
#include <QRegularExpressionValidator>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char Brand[] = "CVN";

const char IpPattern[] = "((25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9][0-9]|[0-9])[\\.]){3}"
                         "(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9][0-9]|[0-9])";
const char MacPattern[] = "^([0-9a-fA-F]{2}(:|-)){5}[0-9a-fA-F]{2}$";

const char TabStyle[] =
    "QTabWidget::pane{border:none;background:transparent;}"
    "QTabWidget{background:transparent;}"
    "QTabWidget::tab-bar{left:%1px;}"
    "QTabBar::tab{font-family:\"Microsoft YaHei\";font-size:15px;font-weight:bold;color:#2c3e50;"
    "background:transparent;min-width:100px;min-height:34px;padding:0px 12px;margin-right:4px;}"
    "QTabBar::tab:selected{background:#338c56;color:#ffffff;border-radius:4px;}"
    "QTabBar::tab:hover:!selected{background:rgba(51,140,86,40);border-radius:4px;}"
    "QTabBar::tab:disabled{color:rgba(44,62,80,90);}";

const char ContentStyle[] =
    "QWidget#titleBar{background:#ffffff;border-bottom:1px solid #e3e8e6;"
    "border-top-left-radius:10px;border-top-right-radius:10px;}"
    "QLabel#connectState{font-family:\"Microsoft YaHei\";font-size:14px;color:#2c3e50;}"
    "QLabel#connectState[link=\"down\"]{color:#c0392b;font-weight:bold;}"
    "QLabel#connectState[link=\"connecting\"]{color:#b9770e;}"
    "QLabel#connectState[link=\"up\"]{color:#338c56;}"
    "QLabel#linkNotice{font-family:\"Microsoft YaHei\";font-size:14px;color:#ffffff;"
    "background:#c0392b;border-radius:6px;padding:8px 16px;}"
    "QWidget#leftContentWidget{background:#f4f7f5;border-right:1px solid #e3e8e6;"
    "border-bottom-left-radius:10px;}"
    "QLabel#lb_signalList{font-family:\"Microsoft YaHei\";font-size:15px;font-weight:bold;"
    "color:#2c3e50;border-left:4px solid #338c56;padding-left:8px;}"
    "QListWidget{background:transparent;border:none;font-family:\"Microsoft YaHei\";"
    "font-size:14px;}"
    "QPushButton{font-family:\"Microsoft YaHei\";font-size:14px;color:#2c3e50;background:#ffffff;"
    "border:1px solid #c9d3ce;border-radius:4px;padding:0px 10px;}"
    "QPushButton:hover{border-color:#338c56;}"
    "QPushButton:checked{background:#338c56;color:#ffffff;border-color:#338c56;}"
    "QPushButton:disabled{color:rgba(44,62,80,110);background:#eef1ef;}"
    "QPushButton#refrenshBtn,QPushButton#netWorkConfirmBtn{background:#338c56;color:#ffffff;"
    "border:none;}"
    "QPushButton#mini,QPushButton#btn_RestoreOrMax,QPushButton#btnClose{border:none;"
    "background:transparent;}"
    "QPushButton#mini:hover,QPushButton#btn_RestoreOrMax:hover{background:#e8efeb;}"
    "QPushButton#btnClose:hover{background:#f3d6d2;}"
    "QGroupBox{font-family:\"Microsoft YaHei\";font-size:15px;font-weight:bold;color:#2c3e50;"
    "border:1px solid #dfe6e2;border-radius:8px;margin-top:14px;background:#ffffff;}"
    "QGroupBox::title{subcontrol-origin:margin;left:12px;padding:0px 6px;}"
    "QLabel{font-family:\"Microsoft YaHei\";font-size:14px;color:#2c3e50;}"
    "QLineEdit,QComboBox{font-family:\"Microsoft YaHei\";font-size:14px;color:#2c3e50;"
    "border:1px solid #c9d3ce;border-radius:4px;padding:0px 6px;background:#ffffff;}"
    "QLineEdit:focus,QComboBox:focus{border-color:#338c56;}"
    "QLabel#typeLabel{font-size:20px;font-weight:bold;}";

QString brand()
{
    return QString::fromLatin1(Brand);
}

} // namespace

static Widget::SpliceGroupsFactory &spliceFactory()
{
    static Widget::SpliceGroupsFactory factory = &WidgetSplice::createManager;
    return factory;
}

void Widget::setSpliceGroupsFactory(SpliceGroupsFactory factory)
{
    spliceFactory() = std::move(factory);
}

Widget::Widget(QWidget *parent)
    : BaseWidget(parent),
      m_ui(new WidgetForms), m_inputColors{QStringLiteral("#f4ebd9"), QStringLiteral("#fcdedb"),
                                           QStringLiteral("#e7e3eb"), QStringLiteral("#deefee"),
                                           QStringLiteral("#fff9b2"), QStringLiteral("#f6debf"),
                                           QStringLiteral("#e6efc1"), QStringLiteral("#d6d6d6"),
                                           QStringLiteral("#d0e1e7")}
{
    m_client = MessageDistance::instance();
    m_reports = new ReportApplier(DeviceState::instance(), this);
    AppSettings *settings = AppSettings::instance();
    DeviceState *store = DeviceState::instance();

    buildForm();
    createButtonGroups();
    loadLanguage();
    connectViews();

    store->setIp(settings->deviceAddress());
    store->setPort(settings->devicePort());
    m_portNames = std::make_unique<PortNameStore>();
    m_userAccounts = std::make_unique<UserAccountStore>();
    m_captionOsdStore = std::make_unique<CaptionStore>();
    m_permissions = std::make_unique<PermissionStore>();
    refrenshSignalSlot();
    // The list views of the setting page's combo boxes cost a styled popup each; they are made
    // when that page is first shown, before either list can open.
    m_ui->SettingTabWidget->installEventFilter(this);
    m_ui->languageComboBox->setCurrentIndex(settings->language() == 0 ? 0 : 1);

    m_routing =
        new RoutingPage(m_ui, m_client, store, m_reports, m_permissions.get(), m_portNames.get(),
                        {[this](const QString &what) { return linkReady(what); },
                         [this] { showPortWarning(); }, [this] { return m_splitManager; }},
                        this);
    m_settings = new SettingsPage(m_ui, m_client, store, m_permissions.get(), this);
    m_menus =
        new WidgetMenus(this, {m_ui, m_client, m_permissions.get(), m_portNames.get(), m_wallCanvas,
                               m_planGroupVideo, m_planGroupWall, m_tabInfrared});
    m_dialogs = new WidgetDialogs(this, m_captionOsdStore.get());
    connectProtocol();

    m_ui->tabWidget->setCurrentIndex(m_tabVideo);
    store->setDeviceType(deviceTypeFromInt(settings->type()));

    runStartupLogin();
    if (!m_loginAccepted)
        return;

    // The first connection waits for the event loop so the window is shown first.
    const QString host = m_loginFree ? settings->deviceAddress() : store->ip();
    const int port = m_loginFree ? settings->devicePort() : store->port();
    m_client->setUploadPort(settings->uploadPort());
    QTimer::singleShot(0, this, [this, host, port] { m_client->connectToDevice(host, port); });

    setConnectionText(AppSettings::Connecting, false);
    m_ui->IsNotNeedLoginCheck->setChecked(m_loginFree);
    connect(m_ui->IsNotNeedLoginCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (!saved(m_userAccounts->setLoginModel(on ? 1 : 0))) {
            const QSignalBlocker block(m_ui->IsNotNeedLoginCheck);
            m_ui->IsNotNeedLoginCheck->setChecked(!on);
        }
    });

    m_menus->attach();
    connect(m_ui->languageComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &Widget::on_languageComboBox_currentIndexChanged);
    connect(m_ui->HdmiAudioComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &Widget::on_hdmiAudioComboBox_currentIndexChanged);

    m_ui->logoLabel->hide();
    m_titleLogo = new SvgLabel(m_ui->titleBar);
    m_titleLogo->setSvg(QStringLiteral(":/Images/logo.svg"), QSize(194, 39));
    m_titleLogo->setGeometry(10, 3, 194, 39);
    m_titleLogo->show();
    show();
}

Widget::~Widget()
{
    delete m_splitManager;
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
    // The cells' rules are carried here once for the five tables.
    m_content->setStyleSheet(QString::fromLatin1(ContentStyle) +
                             TableItemWidget::sharedStyleSheet());
    m_ui->Ui_Widget::setupUi(m_content);
    parkHiddenPages();
    m_wall = new WallPage(m_ui, m_client, DeviceState::instance(), m_reports, this);
    m_canvas = m_wall->canvas();
    m_wallCanvas = m_canvas;
    panelLayout->addWidget(m_content);
    m_ui->te_log->hide();
    resize(1280, 800);

    m_ui->lb_verIcon->setSvg(QStringLiteral(":/Images/ver.svg"), QSize(64, 64));
    for (SvgCheckBox *box : {m_ui->DhcpSwitchCheck, m_ui->IsNotNeedLoginCheck}) {
        box->setSvgPaths(QStringLiteral(":/Images/on.svg"), QStringLiteral(":/Images/off.svg"));
        box->setSvgSize(48, 24);
        box->setTextPosition(SvgCheckBox::ImageOnly);
    }
    m_ui->tabWidget->setStyleSheet(tabStyle(false));
    m_ui->mini->setIcon(pngIcon(QStringLiteral(":/Images/window/mini.png")));
    m_ui->btn_RestoreOrMax->setIcon(pngIcon(QStringLiteral(":/Images/window/fullscreen.png")));
    m_ui->btnClose->setIcon(pngIcon(QStringLiteral(":/Images/window/close.png")));

    panel()->installEventFilter(this);
    m_ui->listWidget->installEventFilter(this);
    for (TableWidget *table : tables())
        table->installEventFilter(this);
    m_ui->tabWidget->installEventFilter(this);

    const QRegularExpression ip(QString::fromLatin1(IpPattern));
    for (QLineEdit *edit : {m_ui->IpEdit, m_ui->GateWayEdit, m_ui->SubnetEdit})
        edit->setValidator(new QRegularExpressionValidator(ip, edit));
    m_ui->MacEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString::fromLatin1(MacPattern)), m_ui->MacEdit));
    setWindowIcon(pngIcon(QStringLiteral(":/Images/applogo.png")));
    for (TableWidget *table : tables())
        table->setInputColors(m_inputColors);
    setWindowTitle(QStringLiteral("%1MATRIX CONTROL").arg(brand()));
}

void Widget::createButtonGroups()
{
    m_splitterGroup = new QButtonGroup(this);
    const QList<CheckPushButton *> splitters{
        m_ui->btn_splitter_0, m_ui->btn_splitter_1, m_ui->btn_splitter_2, m_ui->btn_splitter_3,
        m_ui->btn_splitter_4, m_ui->btn_splitter_5, m_ui->btn_splitter_6};
    for (int i = 0; i < splitters.size(); ++i) {
        splitters[i]->setLayoutNumber(i);
        m_splitterGroup->addButton(splitters[i], i);
    }
    splitters.first()->setChecked(true);

    m_planGroupVideo = new QButtonGroup(this);
    m_planGroupWall = new QButtonGroup(this);
    const QList<QPushButton *> videoPlans{
        m_ui->btn_plan1, m_ui->btn_plan2, m_ui->btn_plan3, m_ui->btn_plan4, m_ui->btn_plan5,
        m_ui->btn_plan6, m_ui->btn_plan7, m_ui->btn_plan8, m_ui->btn_plan9, m_ui->btn_plan10};
    const QList<QPushButton *> wallPlans{m_ui->btn_plan1_2, m_ui->btn_plan2_2, m_ui->btn_plan3_2,
                                         m_ui->btn_plan4_2, m_ui->btn_plan5_2, m_ui->btn_plan6_2,
                                         m_ui->btn_plan7_2, m_ui->btn_plan8_2, m_ui->btn_plan9_2,
                                         m_ui->btn_plan10_2};
    for (int i = 0; i < 10; ++i) {
        m_planGroupVideo->addButton(videoPlans[i], i);
        m_planGroupWall->addButton(wallPlans[i], i);
    }
    WidgetSplice::showPlanCaptions(m_planGroupVideo, {});
    WidgetSplice::showPlanCaptions(m_planGroupWall, {});
    WidgetSplice::connectPlanDoubleClicks(m_planGroupVideo,
                                          [this](int i) { recallPlan(m_planGroupVideo, i); });
    WidgetSplice::connectPlanDoubleClicks(m_planGroupWall,
                                          [this](int i) { recallPlan(m_planGroupWall, i); });

    connect(m_planGroupVideo, &QButtonGroup::idClicked, this, &Widget::sl_planBtnClicked);
    connect(m_planGroupWall, &QButtonGroup::idClicked, this, &Widget::sl_planBtnClicked);
    connect(m_splitterGroup, &QButtonGroup::idClicked, this,
            &Widget::SingleSplitterButtonChangeSlot);
}

void Widget::loadLanguage()
{
    AppSettings *settings = AppSettings::instance();
    int language = settings->language();
    if (language == -1) {
        language = QLocale::system().language() == QLocale::Chinese ? 0 : 1;
        settings->setLanguage(language);
    }
    m_translator.load(language == 0 ? QStringLiteral(":/Chinese") : QStringLiteral(":/English"));
    qApp->installTranslator(&m_translator);
    retranslateForm();
}

void Widget::retranslateForm()
{
    m_ui->Ui_Widget::retranslateUi(m_content);
    m_ui->Ui_WidgetPages::retranslateUi(m_pageHolder);
}

void Widget::parkHiddenPages()
{
    // Every page but the first waits in a hidden holder until its tab is first opened: laying
    // out five hidden pages, and polishing them under the content's style sheet, was a large part
    // of the start-up. The holder is marked polished while still empty, so showing the window
    // does not reach into it, and the pages are built straight into it, so none is restyled on
    // the way. They stay children of the window, so they are found by name as before; their tabs
    // hold empty places, named by the form, until then.
    m_pageHolder = new QWidget(this);
    m_pageHolder->setObjectName(QStringLiteral("pageHolder"));
    m_pageHolder->hide();
    m_pageHolder->ensurePolished();
    m_ui->Ui_WidgetPages::setupUi(m_pageHolder);
    m_parkedPages = {nullptr,
                     m_ui->JointTabWidget,
                     m_ui->AudioWidget,
                     m_ui->InfaredWidget,
                     m_ui->SettingTabWidget,
                     m_ui->About};
    connect(m_ui->tabWidget, &QTabWidget::currentChanged, this, &Widget::attachPage);
}

void Widget::attachPage(int index)
{
    if (index < 0 || index >= m_parkedPages.size() || !m_parkedPages.at(index))
        return;
    QWidget *page = m_parkedPages.at(index);
    m_parkedPages[index] = nullptr;
    QWidget *place = m_ui->tabWidget->widget(index);
    place->layout()->addWidget(page);
    page->show();
}

void Widget::connectViews()
{
    connect(m_ui->btn_RestoreOrMax, &QPushButton::clicked, this,
            &Widget::on_btn_RestoreOrMax_clicked);
    connect(m_ui->CaptionBtn, &QPushButton::clicked, this, &Widget::on_CaptionBtn_clicked);
    connect(m_ui->btn_caption_0409, &QPushButton::clicked, this, &Widget::on_CaptionBtn_clicked);
    connect(m_ui->refrenshBtn, &QPushButton::clicked, this, &Widget::on_refrenshBtn_clicked);
    connect(m_ui->btnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->mini, &QPushButton::clicked, this, &QWidget::showMinimized);
    connect(m_ui->tabWidget, &QTabWidget::currentChanged, this, &Widget::onPageChanged);
    connect(m_ui->listWidget, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *item) {
                m_ui->listWidget->refreshSelectionAndMode();
                // A window drawn on the wall shows the video input chosen in the list.
                const bool video =
                    item && item->data(ListWidget::KindRole).toInt() == ListWidget::VideoKind;
                m_canvas->setCurrentInput(video ? item->data(ListWidget::PortRole).toInt() : 0);
            });
    WidgetSplice::attachMultiview(this, m_ui->wid_ss, m_ui->videoTableWidget, m_splitterGroup);
}

void Widget::connectProtocol()
{
    connectReports();
    MessageDistance *c = m_client;
    connect(c, &MessageDistance::connectSuccessFulSig, this, &Widget::receiveNetWorkSuccessfulSlot);
    connect(c, &MessageDistance::connectingSig, this, &Widget::receiveConnectingSlot);
    connect(c, &MessageDistance::connectFailureSig, this, &Widget::receivenetWorkFailSlot);
    // Commands from anywhere (dialogs included) that found the link down.
    connect(c, &MessageDistance::si_commandNotSent, this, &Widget::showLinkNotice);
    // The client's own notices are relayed as the window's, so their listeners need no client.
    connect(c, &MessageDistance::si_ForwardAnalysis, this, &Widget::si_ForwardAnalysis);
    // Upload failures are shown once the channel's handler has returned (one reporter only).
    installUploadErrorDialogs();

    connect(m_ui->btnReLogin, &QPushButton::clicked, this, &Widget::reLogin);
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
    if (m_permissions)
        applyPermissions();
    if (!m_splitManager && spliceFactory()) {
        m_splitManager = spliceFactory()(m_ui->videoTableWidget, this);
        m_reports->setSpliceGroups(
            [groups = m_splitManager](int output) { return groups->groupOf(output); });
    }
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
    afterLogin();
    setConnectionText(AppSettings::Connecting, false);
    show();
    DeviceState *store = DeviceState::instance();
    m_client->connectToDevice(store->ip(), store->port());
}

void Widget::arrangeForDeviceType()
{
    DeviceState *store = DeviceState::instance();
    const DeviceType type = store->deviceType();
    ListWidget *list = m_ui->listWidget;
    QTabWidget *tabs = m_ui->tabWidget;

    // Only a model with a video wall has its page's tools and a bezel to set; other devices
    // ignore the bezel.
    const bool wall = type == Dev0409S;
    m_ui->wid_0409->setVisible(wall);
    m_ui->bezelBtn->setVisible(wall);
    m_ui->lb_bezel->setVisible(wall);
    m_ui->wid_multiview->setVisible(type == Dev0809M);
    if (type == Dev0409S) {
        m_reports->setHdmiAudioFollow(false);
        tabs->setTabEnabled(m_tabJoint, true);
        tabs->setCurrentIndex(m_tabJoint);
        tabs->setTabEnabled(m_tabVideo, false);
        tabs->setTabEnabled(m_tabInfrared, false);
        tabs->setTabText(m_tabJoint, tr("Splice"));
        loadPlanNames();
        QTimer::singleShot(0, this, [this] { onPageChanged(m_ui->tabWidget->currentIndex()); });
        m_wallCanvas->relayout();
    } else {
        tabs->setTabEnabled(m_tabVideo, true);
        tabs->setTabEnabled(m_tabInfrared, true);
        tabs->setTabEnabled(m_tabJoint, type == Dev0809M);
        if (type == Dev0808S) {
            tabs->setTabEnabled(m_tabInfrared, false);
            store->setBindMode(1);
            m_ui->vtcWidBottomVideoTable->show();
            m_ui->lb_sg->show();
        } else {
            m_ui->vtcWidBottomVideoTable->hide();
            m_ui->lb_sg->hide();
            tabs->setTabText(m_tabJoint, type == Dev0809M ? tr("Multiview") : tr("Splice"));
            loadPlanNames();
        }
        if (type == Dev0404) {
            store->setBindMode(2);
            tabs->setTabEnabled(m_tabInfrared, false);
        }
        if (!tabs->isTabEnabled(tabs->currentIndex()))
            tabs->setCurrentIndex(m_tabVideo);
    }
    // The list knows which of its entries each model has.
    list->arrangeForDeviceType(type);
    buildTables();
    list->refreshSelectionAndMode();
}

QList<TableWidget *> Widget::tables() const
{
    return {m_ui->videoTableWidget, m_ui->AudioTable, m_ui->audioHDMITable, m_ui->InfaredTable};
}

QString Widget::tabStyle(bool shifted) const
{
    return QString::fromLatin1(TabStyle).arg(shifted ? 200 : 0);
}

void Widget::onPageChanged(int index)
{
    ListWidget *list = m_ui->listWidget;
    list->setListMode(index == m_tabAudio ? 1 : index == m_tabInfrared ? 2 : 0);
    list->refreshSelectionAndMode();
    const bool fullWidth = index == m_tabSetting || index == m_tabAbout;
    m_ui->leftContentWidget->setVisible(!fullWidth);
    m_ui->tabWidget->setStyleSheet(tabStyle(fullWidth));
}

void Widget::setConnectionText(AppSettings::ConnectionState state, bool afterLanguageChange)
{
    const QString ip = DeviceState::instance()->ip();
    const QString port = QString::number(DeviceState::instance()->port());
    const QString user = AppSettings::instance()->currentUser();
    QString text;
    if (state == AppSettings::Disconnected) {
        text = tr("%4MatrixControl  User:%3  Ip:%1  Port:%2 disconnected");
    } else if (state == AppSettings::Connected) {
        text = afterLanguageChange ? tr("%4MatrixControl  User:%3  Ip:%1  Port:%2 connected")
                                   : tr("%4MatrixControl  User:%3   Ip:%1  Port:%2  connected");
    } else {
        text = tr("%4MatrixControl  User:%3  Ip:%1  Port:%2 connecting");
    }
    // The user's name shows as typed, never as markup.
    m_ui->connectState->setTextFormat(Qt::PlainText);
    m_ui->connectState->setText(text.arg(ip, port, user, brand()));
    // The state in colour too: an operator glancing up must not mistake a dead link for a live one.
    const char *link = state == AppSettings::Disconnected ? "down"
                       : state == AppSettings::Connected  ? "up"
                                                          : "connecting";
    if (m_ui->connectState->property("link").toByteArray() != link) {
        m_ui->connectState->setProperty("link", QByteArray(link));
        m_ui->connectState->style()->unpolish(m_ui->connectState);
        m_ui->connectState->style()->polish(m_ui->connectState);
    }
}

// The canvas always exists where the wall page does, so no wall control can look active and do
// nothing. It sits in a scroll area: zoomed in, the operator scrolls to the part they need.
// The canvas takes the wall's aspect ratio at the largest size its container shows whole.
bool Widget::saved(bool ok)
{
    if (!ok) {
        showMessage(tr("Warning"),
                    tr("The change could not be saved:\n%1").arg(ProjectDatabase::lastError()));
    }
    return ok;
}

bool Widget::linkReady(const QString &what)
{
    if (m_client->isConnected())
        return true;
    qDebug().noquote() << "not sent (disconnected):" << what;
    showLinkNotice();
    return false;
}

// Told once per disconnected spell, without a dialog: the title says the rest.
void Widget::showLinkNotice()
{
    if (m_linkNoticeShown)
        return;
    m_linkNoticeShown = true;
    if (!m_linkNotice) {
        m_linkNotice = new QLabel(m_content);
        m_linkNotice->setObjectName(QStringLiteral("linkNotice"));
        m_linkNotice->setAlignment(Qt::AlignCenter);
        m_linkNotice->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_linkNotice->setText(tr("The device is not connected: nothing was sent"));
    m_linkNotice->adjustSize();
    // Over the page, below its tabs and headers, where the operator's eyes are.
    const QRect page(m_ui->tabWidget->mapTo(m_content, QPoint(0, 0)), m_ui->tabWidget->size());
    m_linkNotice->move(page.center().x() - m_linkNotice->width() / 2,
                       page.top() + m_ui->tabWidget->tabBar()->height() + 48);
    m_linkNotice->raise();
    m_linkNotice->show();
    QTimer::singleShot(3000, m_linkNotice, &QLabel::hide);
}

void Widget::receiveConnectingSlot()
{
    AppSettings::instance()->setConnectionState(AppSettings::Connecting);
    setConnectionText(AppSettings::Connecting, false);
}

void Widget::receiveNetWorkSuccessfulSlot()
{
    m_linkNoticeShown = false;
    if (m_linkNotice)
        m_linkNotice->hide();
    AppSettings::instance()->setConnectionState(AppSettings::Connected);
    m_client->getVersion();
    setConnectionText(AppSettings::Connected, false);
}

void Widget::receivenetWorkFailSlot()
{
    AppSettings::instance()->setConnectionState(AppSettings::Disconnected);
    setConnectionText(AppSettings::Disconnected, false);
}

void Widget::on_refrenshBtn_clicked()
{
    m_wallCanvas->resetReceivedFlags();
    m_client->getVersion();
}

void Widget::on_btn_RestoreOrMax_clicked()
{
    m_isMaximized = !m_isMaximized;
    if (m_isMaximized) {
        showMaximized();
        m_ui->btn_RestoreOrMax->setIcon(pngIcon(QStringLiteral(":/Images/window/restore.png")));
        m_ui->btn_RestoreOrMax->setToolTip(tr("Restore"));
    } else {
        showNormal();
        m_ui->btn_RestoreOrMax->setIcon(pngIcon(QStringLiteral(":/Images/window/fullscreen.png")));
        m_ui->btn_RestoreOrMax->setToolTip(tr("Maximize"));
    }
    if (DeviceState::instance()->deviceType() == Dev0409S)
        m_wallCanvas->relayout();
}

bool Widget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->SettingTabWidget && event->type() == QEvent::Show) {
        m_ui->SettingTabWidget->removeEventFilter(this);
        for (QComboBox *box : {m_ui->languageComboBox, m_ui->HdmiAudioComboBox})
            box->setView(new QListView(box));
    }
    if (watched == panel() && event->type() == QEvent::Resize && !m_isMaximized) {
        const QSize wanted = panel()->size() + QSize(30, 30);
        if (size() != wanted)
            setFixedSize(wanted);
    } else if (event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent *>(event)->key() == Qt::Key_F2) {
        if (watched == m_ui->listWidget) {
            m_menus->renameInputItem(m_ui->listWidget->currentItem());
            return true;
        }
        for (TableWidget *table : tables()) {
            if (watched == table) {
                m_menus->renameOutputItem(table->currentItem());
                return true;
            }
        }
    }
    return BaseWidget::eventFilter(watched, event);
}

void Widget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && m_ui && m_content)
        setConnectionText(AppSettings::instance()->connectionState(), true);
    BaseWidget::changeEvent(event);
}

void Widget::on_languageComboBox_currentIndexChanged(int index)
{
    AppSettings::instance()->setLanguage(index);
    qApp->removeTranslator(&m_translator);
    m_translator.load(index == 0 ? QStringLiteral(":/Chinese") : QStringLiteral(":/English"));
    qApp->installTranslator(&m_translator);
    retranslateForm();
    retranslateDynamicTexts();
    showDefaultNamesAfresh();
}

void Widget::showDefaultNamesAfresh()
{
    // Ports nobody named carry a name in the language shown; named ones keep theirs.
    refrenshSignalSlot();
    SigManager *hub = SigManager::instance();
    AppSettings *settings = AppSettings::instance();
    for (int port = 1; port <= ListWidget::PortsPerKind; ++port) {
        emit hub->Sig_RenameInputSignals(port);
        emit hub->Sig_RenameInputAudioSignals(port);
        emit hub->Sig_RenameInputHDMIAudioSignals(port);
        if (DeviceState::instance()->deviceType() == Dev0409S)
            m_wallCanvas->renameInput(port, settings->inputName(port));
    }
    const QMap<int, QString> outputs = m_portNames->loadPortNames(OutputVideoName);
    for (TableWidget *t : tables())
        t->setOutputNames(outputs);
    if (m_multiviewView)
        m_multiviewView->refresh();
}

void Widget::retranslateDynamicTexts()
{
    DeviceState *store = DeviceState::instance();
    if (store->deviceType() == Dev0409S)
        m_wallCanvas->retranslate();
    if (store->deviceType() == Dev0809M)
        m_ui->tabWidget->setTabText(m_tabJoint, tr("Multiview"));
    else
        m_ui->tabWidget->setTabText(m_tabJoint, tr("Splice"));
    m_ui->btn_RestoreOrMax->setToolTip(m_isMaximized ? tr("Restore") : tr("Maximize"));
    // retranslateUi resets the plan captions and the connection text.
    loadPlanNames();
    setConnectionText(AppSettings::instance()->connectionState(), true);
}

void Widget::applyHdmiAudioFollow(bool follow)
{
    m_reports->setHdmiAudioFollow(follow);
    m_routing->arrangeAudioPage();
}

void Widget::buildTables()
{
    m_routing->buildTables();
}

void Widget::on_hdmiAudioComboBox_currentIndexChanged(int index)
{
    applyHdmiAudioFollow(index == 0);
    m_client->setAudioFollow(index == 0);
}

void Widget::on_CaptionBtn_clicked()
{
    m_dialogs->openCaption();
}

void Widget::sl_NoSignalOut(int port, int kind)
{
    m_dialogs->openNoSignalOutput(port, kind);
}

void Widget::sl_Scalingmode(int port)
{
    m_dialogs->openScalingMode(port);
}

void Widget::showMessage(const QString &title, const QString &text)
{
    MsgDlg dialog(title, text, this);
    dialog.exec();
}

void Widget::showPortWarning()
{
    showMessage(tr("Warning"), tr("The current operation involves one or more ports that the "
                                  "current user does not have permission to use."));
}

void Widget::applyPermissions()
{
    PermissionStore *p = m_permissions.get();
    for (TableWidget *table : tables()) {
        table->setPermissions(p);
        connect(table, &TableWidget::si_showPermissionWarningDialog, this, &Widget::showPortWarning,
                Qt::UniqueConnection);
    }
    m_canvas->setPermissions(p);
    connect(m_canvas, &OutputWidget0409::si_showPermissionWarningDialog, this,
            &Widget::showPortWarning, Qt::UniqueConnection);
    connect(m_ui->videoTableWidget, &TableWidget::si_requsetCheckPermissionLabelClicked, this,
            &Widget::checkVideoCellPermissions, Qt::UniqueConnection);
    checkVideoCellPermissions();

    auto right = [p](int n) { return p->hasListPermission(n); };
    m_ui->usermanageBtn->setEnabled(right(UserFunction));
    m_ui->CaptionBtn->setEnabled(right(CaptionFunction));
    m_ui->btn_caption_0409->setEnabled(right(CaptionFunction));
    m_ui->bezelBtn->setEnabled(right(BezelFunction));
    m_ui->factorResetBtn->setEnabled(right(NetWorkFunction));
    m_ui->netWorkConfirmBtn->setEnabled(right(NetWorkFunction));
    m_ui->DhcpSwitchCheck->setEnabled(right(DhcpFunction));
    m_ui->IsNotNeedLoginCheck->setEnabled(right(LoginFreeFunction));
    m_ui->tabWidget->setTabEnabled(m_tabAbout, right(VersionInformationFunction));
    m_ui->btn_splicing_set->setEnabled(right(SplicingSettingFunction));
    m_ui->btn_0409_close_all->setEnabled(right(SplicingWallFunction));
    m_ui->widget_out_0409->setEnabled(right(SplicingWallFunction));
    const bool spliceBar = right(VideoSwitchFunction) && right(SpliceFunction);
    m_ui->vtcWidBottomVideoTable->setEnabled(spliceBar);
    m_ui->lb_sg->setEnabled(spliceBar);
}

void Widget::checkVideoCellPermissions()
{
    m_ui->videoTableWidget->applyButtonRights();
}

void Widget::loadPlanNames()
{
    const QMap<int, QString> names = PlanNameStore().loadPlanNames(DeviceState::instance()->ip());
    QMap<int, QString> byIndex;
    for (auto it = names.cbegin(); it != names.cend(); ++it)
        byIndex.insert(it.key() - 1, it.value());
    DeviceState::instance()->setPlanNames(byIndex);
    WidgetSplice::showPlanCaptions(m_planGroupVideo, byIndex);
    WidgetSplice::showPlanCaptions(m_planGroupWall, byIndex);
}

void Widget::refrenshSignalSlot()
{
    AppSettings *settings = AppSettings::instance();
    const QMap<int, QString> videoNames = m_portNames->loadPortNames(InputVideoName);
    const QMap<int, QString> audioNames = m_portNames->loadPortNames(InputAudioName);
    settings->setInputNames(videoNames);
    settings->setAudioNames(audioNames);
    settings->setOutputNames(m_portNames->loadPortNames(OutputVideoName));
    // The list shows the names just read; reading them again cost a second pass over project.db.
    m_ui->listWidget->setSignalNames(videoNames, audioNames);
}

void Widget::sl_planBtnClicked(int btnIndex)
{
    auto *group = qobject_cast<QButtonGroup *>(sender());
    m_menus->showPlanMenu(group ? group : m_planGroupVideo, btnIndex);
}

QString Widget::wallPlanWarning(bool windows, bool resolution, bool rotation)
{
    auto state = [](bool received) {
        return received ? tr("Received")
                        : QStringLiteral("<font color='red'>%1</font>").arg(tr("Not Received"));
    };
    return QStringLiteral("<br>%1<br><br>%2<br>%3<br>%4<br>")
        .arg(tr("Since logging in or since the last time you clicked refresh, the program needs "
                "to receive the following three types of information firstly to recall plan "
                "correctly: "),
             tr("(1) Current Windows Property And VIR Mode: %1").arg(state(windows)),
             tr("(2) Current Reasolution: %1").arg(state(resolution)),
             tr("(3) Current Rotate Degree: %1").arg(state(rotation)));
}

void Widget::recallPlan(QButtonGroup *group, int index)
{
    if (!group || !m_splitManager)
        return;
    DeviceState *store = DeviceState::instance();
    if (store->deviceType() == Dev0409S && group == m_planGroupWall) {
        const bool windows = m_wallCanvas->windowsReceived();
        const bool resolution = m_wallCanvas->resolutionReceived();
        const bool rotation = m_wallCanvas->rotationReceived();
        if (!windows || !resolution || !rotation) {
            MsgDlg dialog(this);
            dialog.setRichText(tr("Warning"), wallPlanWarning(windows, resolution, rotation));
            dialog.exec();
            return;
        }
    }
    m_client->recallPlan(index + 1);
    QTimer::singleShot(50, m_client, &MessageDistance::getStatus);
    if (group == m_planGroupVideo && store->deviceType() != Dev0808S)
        QTimer::singleShot(100, m_client, &MessageDistance::getBindInfo);
}
