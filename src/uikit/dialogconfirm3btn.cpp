#include "dialogconfirm3btn.h"

#include "ui_dialogconfirm3btn.h"

DialogConfirm3Btn::DialogConfirm3Btn(QWidget *parent, const QString &title, const QString &text)
    : QuestionDialog(parent), m_ui(new Ui::DialogConfirm3Btn)
{
    m_ui->setupUi(this);
    setUpQuestion(m_ui->widget_bg, m_ui->lb_title, m_ui->lb_content, title, text);
    setEnterButton(m_ui->btnYes);
}

DialogConfirm3Btn::~DialogConfirm3Btn()
{
    delete m_ui;
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
