#pragma once

#include "questiondialog.h"

namespace Ui {
class DialogConfirm3Btn;
}

/// Modal question with three answers: Yes, No and Cancel (the close button counts as Cancel).
class DialogConfirm3Btn : public QuestionDialog
{
    Q_OBJECT

public:
    enum Choice
    {
        Cancel = 0,
        Yes = 1,
        No = 2
    };

    DialogConfirm3Btn(QWidget *parent, const QString &title, const QString &text);
    ~DialogConfirm3Btn() override;

public slots:
    void on_btnYes_clicked();
    void on_btnNo_clicked();
    void on_btnCancel_clicked();
    void on_btnClose_clicked();

private:
    Ui::DialogConfirm3Btn *m_ui;
};
