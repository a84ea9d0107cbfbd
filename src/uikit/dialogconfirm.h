#pragma once

#include "questiondialog.h"

namespace Ui {
class DialogConfirm;
}

/// Modal question with OK (result 1), Cancel and close (result 0). The text is plain unless rich
/// text is asked for.
class DialogConfirm : public QuestionDialog
{
    Q_OBJECT

public:
    DialogConfirm(QWidget *parent, const QString &title, const QString &text);
    ~DialogConfirm() override;

public slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();
    void on_btnClose_clicked();

private:
    Ui::DialogConfirm *m_ui;
};
