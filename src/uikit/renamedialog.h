#pragma once

#include "framelessdialog.h"

namespace Ui {
class RenameDialog;
}

/// Asks for a new name. OK, Return and Enter announce the typed name through Sig_SetNewName when
/// it is not empty and differs from the preset text, and close with result 1 either way.
class RenameDialog : public FramelessDialog
{
    Q_OBJECT

public:
    explicit RenameDialog(const QString &text, QWidget *parent = nullptr);
    ~RenameDialog() override;

    QString presetText() const { return m_presetText; }
    QString text() const;

signals:
    void Sig_SetNewName(const QString &name);

public slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();
    void on_btnClose_clicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void placeCursorAtEnd();

    Ui::RenameDialog *m_ui;
    QString m_presetText;
};
