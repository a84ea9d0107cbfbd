#pragma once

#include "storage/useraccountstore.h"
#include "uikit/framelessdialog.h"

#include <QStringList>

class PermissionStore;
class QTimer;

namespace Ui {
class Usermanagerdialog;
}

/// Lists the local accounts, adds ordinary users, renames them and changes passwords, deletes
/// them and opens the permission dialog for the selected one. Every fill of the list also
/// rewrites password.txt with the accounts read.
class Usermanagerdialog : public FramelessDialog
{
    Q_OBJECT

public:
    /// Which buttons and edits are usable.
    enum State
    {
        Idle = 0,
        UserSelected = 1,
        Editing = 2,
        AdministratorSelected = 3
    };

    /// `permissions` may be null: users are then added and deleted without permission rows.
    explicit Usermanagerdialog(PermissionStore *permissions = nullptr, QWidget *parent = nullptr);
    ~Usermanagerdialog() override;

    /// Re-reads the accounts into the table and password.txt.
    void fillUserList();

    State state() const { return m_state; }
    bool isAdding() const { return m_adding; }
    QStringList userNames() const { return m_userNames; }
    QString tipText() const;

    /// How long a tip stays before it is cleared.
    static constexpr int TipMs = 2000;

public slots:
    void on_btnAdd_clicked();
    void on_btnEdit_clicked();
    void on_btnSave_clicked();
    void on_btnDel_clicked();
    void on_btnPermission_clicked();
    void on_btnClose_clicked();
    void on_tableWidget_cellClicked(int row, int column);

private:
    void setState(State state);
    void showTip(const QString &text);
    int selectedRow() const;
    QString cellText(int row, int column) const;
    bool hasCell(int row, int column) const;
    void writePasswordFile(const QList<QVariantList> &rows) const;
    /// Shows why `name` cannot be stored (on a row other than `ownRow`); true when it can.
    bool acceptableName(const QString &name, int ownRow);
    /// Tells the operator that a change was refused by the database, and why.
    void refuseUnsaved(const QString &what);

    Ui::Usermanagerdialog *m_ui;
    PermissionStore *m_permissions;
    UserAccountStore m_users;
    QStringList m_userNames;
    bool m_adding = false;
    State m_state = Idle;
    QTimer *m_tipTimer;
};
