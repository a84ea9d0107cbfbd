#include "titlebar.h"
#include "widgetforms.h"
#include "windowstyle.h"

#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "uikit/pngicon.h"
#include "uikit/svglabel.h"

#include <QDebug>
#include <QLabel>
#include <QStyle>
#include <QTabBar>
#include <QTimer>

TitleBar::TitleBar(WidgetForms *ui, MessageDistance *client, DeviceState *state, QWidget *content,
                   QWidget *window)
    : QObject(window), m_ui(ui), m_client(client), m_state(state), m_content(content),
      m_window(window)
{
    ui->logoLabel->hide();
    auto *logo = new SvgLabel(ui->titleBar);
    logo->setSvg(QStringLiteral(":/Images/logo.svg"), QSize(194, 39));
    logo->setGeometry(10, 3, 194, 39);
    ui->mini->setIcon(pngIcon(QStringLiteral(":/Images/window/mini.png")));
    ui->btn_RestoreOrMax->setIcon(pngIcon(QStringLiteral(":/Images/window/fullscreen.png")));
    ui->btnClose->setIcon(pngIcon(QStringLiteral(":/Images/window/close.png")));
    connect(ui->btn_RestoreOrMax, &QPushButton::clicked, this, &TitleBar::toggleMaximized);
    connect(ui->btnClose, &QPushButton::clicked, window, &QWidget::close);
    connect(ui->mini, &QPushButton::clicked, window, &QWidget::showMinimized);

    connect(client, &MessageDistance::connectingSig, this,
            [this] { setState(AppSettings::Connecting); });
    connect(client, &MessageDistance::connectFailureSig, this,
            [this] { setState(AppSettings::Disconnected); });
    connect(client, &MessageDistance::connectSuccessFulSig, this, [this] {
        m_linkNoticeShown = false;
        if (m_linkNotice)
            m_linkNotice->hide();
        setState(AppSettings::Connected);
    });
    // Commands from anywhere (dialogs included) that found the link down.
    connect(client, &MessageDistance::si_commandNotSent, this, &TitleBar::showLinkNotice);
}

void TitleBar::setState(AppSettings::ConnectionState state)
{
    AppSettings::instance()->setConnectionState(state);
    showConnection(state);
}

void TitleBar::showConnection(AppSettings::ConnectionState state, bool afterLanguageChange)
{
    QString text;
    if (state == AppSettings::Disconnected) {
        text = tr("%4MatrixControl  User:%3  Ip:%1  Port:%2 disconnected");
    } else if (state == AppSettings::Connected) {
        text = afterLanguageChange ? tr("%4MatrixControl  User:%3  Ip:%1  Port:%2 connected")
                                   : tr("%4MatrixControl  User:%3   Ip:%1  Port:%2  connected");
    } else {
        text = tr("%4MatrixControl  User:%3  Ip:%1  Port:%2 connecting");
    }
    QLabel *label = m_ui->connectState;
    // The user's name shows as typed, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(text.arg(m_state->ip(), QString::number(m_state->port()),
                            AppSettings::instance()->currentUser(), WindowStyle::brand()));
    // The state in colour too: an operator glancing up must not mistake a dead link for a live one.
    const char *link = state == AppSettings::Disconnected ? "down"
                       : state == AppSettings::Connected  ? "up"
                                                          : "connecting";
    if (label->property("link").toByteArray() != link) {
        label->setProperty("link", QByteArray(link));
        label->style()->unpolish(label);
        label->style()->polish(label);
    }
}

void TitleBar::retranslate()
{
    m_ui->btn_RestoreOrMax->setToolTip(m_maximized ? tr("Restore") : tr("Maximize"));
    showConnection(AppSettings::instance()->connectionState(), true);
}

bool TitleBar::linkReady(const QString &what)
{
    if (m_client->isConnected())
        return true;
    qDebug().noquote() << "not sent (disconnected):" << what;
    showLinkNotice();
    return false;
}

// Told once per disconnected spell, without a dialog: the title says the rest.
void TitleBar::showLinkNotice()
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
    QTabWidget *tabs = m_ui->tabWidget;
    const QRect page(tabs->mapTo(m_content, QPoint(0, 0)), tabs->size());
    m_linkNotice->move(page.center().x() - m_linkNotice->width() / 2,
                       page.top() + tabs->tabBar()->height() + 48);
    m_linkNotice->raise();
    m_linkNotice->show();
    QTimer::singleShot(3000, m_linkNotice, &QLabel::hide);
}

void TitleBar::toggleMaximized()
{
    m_maximized = !m_maximized;
    if (m_maximized)
        m_window->showMaximized();
    else
        m_window->showNormal();
    m_ui->btn_RestoreOrMax->setIcon(
        pngIcon(m_maximized ? QStringLiteral(":/Images/window/restore.png")
                            : QStringLiteral(":/Images/window/fullscreen.png")));
    m_ui->btn_RestoreOrMax->setToolTip(m_maximized ? tr("Restore") : tr("Maximize"));
    emit maximizedChanged(m_maximized);
}
