#include "dialogconfirm.h"

#include "ui_dialogconfirm.h"

DialogConfirm::DialogConfirm(QWidget *parent, const QString &title, const QString &text)
    : FramelessDialog(parent), m_ui(new Ui::DialogConfirm)
{
    m_ui->setupUi(this);
    setModal(true);
    applyShadow(m_ui->widget_bg, 25);
    setWindowTitle(title);
    m_ui->lb_title->setTextFormat(Qt::PlainText);
    m_ui->lb_title->setText(title);
    // Plain unless asked: a name with "<" in it must show as typed.
    m_ui->lb_content->setTextFormat(Qt::PlainText);
    m_ui->lb_content->setText(text);
}

DialogConfirm::~DialogConfirm()
{
    delete m_ui;
}

QString DialogConfirm::title() const
{
    return m_ui->lb_title->text();
}

QString DialogConfirm::text() const
{
    return m_ui->lb_content->text();
}

void DialogConfirm::setTextAlignLeft(bool left)
{
    m_ui->lb_content->setAlignment(left ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
}

void DialogConfirm::setRichText(bool rich)
{
    m_ui->lb_content->setTextFormat(rich ? Qt::RichText : Qt::PlainText);
}

void DialogConfirm::on_btnOk_clicked()
{
    done(1);
}

void DialogConfirm::on_btnCancel_clicked()
{
    done(0);
}

void DialogConfirm::on_btnClose_clicked()
{
    done(0);
}
