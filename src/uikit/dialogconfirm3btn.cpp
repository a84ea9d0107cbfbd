#include "dialogconfirm3btn.h"

#include "ui_dialogconfirm3btn.h"

DialogConfirm3Btn::DialogConfirm3Btn(QWidget *parent, const QString &title, const QString &text)
    : FramelessDialog(parent), m_ui(new Ui::DialogConfirm3Btn)
{
    m_ui->setupUi(this);
    setModal(true);
    applyShadow(m_ui->widget_bg, 25);
    setWindowTitle(title);
    m_ui->lb_title->setTextFormat(Qt::PlainText);
    m_ui->lb_title->setText(title);
    m_ui->lb_content->setTextFormat(Qt::PlainText);
    m_ui->lb_content->setText(text);
}

DialogConfirm3Btn::~DialogConfirm3Btn()
{
    delete m_ui;
}

QString DialogConfirm3Btn::title() const
{
    return m_ui->lb_title->text();
}

QString DialogConfirm3Btn::text() const
{
    return m_ui->lb_content->text();
}

void DialogConfirm3Btn::setTextAlignLeft(bool left)
{
    m_ui->lb_content->setAlignment(left ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
}

void DialogConfirm3Btn::setRichText(bool rich)
{
    m_ui->lb_content->setTextFormat(rich ? Qt::RichText : Qt::PlainText);
}

void DialogConfirm3Btn::on_btnYes_clicked()
{
    done(Yes);
}

void DialogConfirm3Btn::on_btnNo_clicked()
{
    done(No);
}

void DialogConfirm3Btn::on_btnCancel_clicked()
{
    done(Cancel);
}

void DialogConfirm3Btn::on_btnClose_clicked()
{
    done(Cancel);
}
