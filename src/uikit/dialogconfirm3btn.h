#pragma once

#include "framelessdialog.h"

namespace Ui {
class DialogConfirm3Btn;
}

/// Modal question with three answers: Yes, No and Cancel (the close button counts as Cancel).
class DialogConfirm3Btn : public FramelessDialog
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

    QString title() const;
    QString text() const;
    void setTextAlignLeft(bool left);
    void setRichText(bool rich);

public slots:
    void on_btnYes_clicked();
    void on_btnNo_clicked();
    void on_btnCancel_clicked();
    void on_btnClose_clicked();

private:
    Ui::DialogConfirm3Btn *m_ui;
};
