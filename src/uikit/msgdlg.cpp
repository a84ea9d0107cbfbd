#include "msgdlg.h"

#include "ui_msgdlg.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QTextDocument>

#include <cmath>

namespace {
// Horizontal room around the content label inside the panel, and around the panel inside the
// dialog (its shadow).
const int PanelExtra = 21;
const int DialogExtra = 96;
// Button offsets from the content width: close sits at the title bar's right end, OK below it.
const int CloseOffset = -6;
const int OkOffset = -50;
} // namespace

MsgDlg::MsgDlg(QWidget *parent) : FramelessDialog(parent), m_ui(new Ui::MsgDlg)
{
    m_ui->setupUi(this);
    setModal(true);
    applyShadow(m_ui->widget_bg, 35);
    setEnterButton(m_ui->btnOk);
    m_ui->lb_content->setTextFormat(Qt::PlainText);
    m_ui->lb_title->setTextFormat(Qt::PlainText);
    applyContentWidth(DesignedPanelWidth - PanelExtra);
}

MsgDlg::MsgDlg(const QString &title, const QString &message, QWidget *parent) : MsgDlg(parent)
{
    setText(title, message);
}

MsgDlg::~MsgDlg()
{
    delete m_ui;
}

QString MsgDlg::title() const
{
    return m_ui->lb_title->text();
}

QString MsgDlg::message() const
{
    return m_ui->lb_content->text();
}

int MsgDlg::widestContentWidth() const
{
    m_ui->lb_content->ensurePolished();
    if (m_ui->lb_content->textFormat() == Qt::RichText) {
        QTextDocument document;
        document.setDefaultFont(m_ui->lb_content->font());
        document.setDocumentMargin(0);
        document.setHtml(m_ui->lb_content->text());
        return qMin(int(std::ceil(document.idealWidth())), RichWrapWidth);
    }
    const QFontMetrics metrics(m_ui->lb_content->font());
    // A message with line breaks is as wide as its widest line.
    int widest = 0;
    const QStringList lines = m_ui->lb_content->text().split(QLatin1Char('\n'));
    for (const QString &line : lines)
        widest = qMax(widest, metrics.horizontalAdvance(line));
    return widest;
}

void MsgDlg::setText(const QString &title, const QString &message)
{
    m_ui->lb_title->setText(title);
    m_ui->lb_content->setTextFormat(Qt::PlainText);
    m_ui->lb_content->setText(message);
    fitContent();
}

void MsgDlg::setRichText(const QString &title, const QString &html)
{
    m_ui->lb_title->setText(title);
    m_ui->lb_content->setTextFormat(Qt::RichText);
    m_ui->lb_content->setText(html);
    fitContent();
}

void MsgDlg::fitContent()
{
    int width = widestContentWidth();
    if (width + PanelExtra <= DesignedPanelWidth) {
        applyContentWidth(DesignedPanelWidth - PanelExtra);
        m_ui->lb_content->setWordWrap(false);
        return;
    }
    // Never wider than the screen: past that the message wraps.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int limit = screen ? screen->availableGeometry().width() - DialogExtra - 40 : 0;
    bool wrap = limit > 0 && width > limit;
    if (wrap)
        width = qMax(DesignedPanelWidth - PanelExtra, limit);
    // Markup longer than its wrap width flows over lines of that width.
    if (m_ui->lb_content->textFormat() == Qt::RichText && width >= RichWrapWidth)
        wrap = true;
    m_ui->lb_content->setWordWrap(wrap);
    applyContentWidth(width);
}

void MsgDlg::applyContentWidth(int width)
{
    m_ui->widget_bg->setFixedWidth(width + PanelExtra);
    m_ui->widget_title->setFixedWidth(width + PanelExtra);
    m_ui->lb_content->setFixedWidth(width + 1);
    setFixedWidth(width + DialogExtra);

    m_ui->btnClose->move(width + CloseOffset, m_ui->btnClose->y());
    m_ui->btnOk->move(width + OkOffset, m_ui->btnOk->y());
    // The title runs up to the close button.
    m_ui->lb_title->resize(qMax(0, m_ui->btnClose->x() - 4 - m_ui->lb_title->x()),
                           m_ui->lb_title->height());
    // The layouts are asked afresh, so a message of several lines gets the height it needs.
    for (QLayout *l : std::initializer_list<QLayout *>{m_ui->lyt_bg, layout()}) {
        l->invalidate();
        l->activate();
    }
    adjustSize();
}

void MsgDlg::on_btnOk_clicked()
{
    done(1);
}

void MsgDlg::on_btnClose_clicked()
{
    done(0);
}
