#include "usermanagerdialog.h"

#include "permissiondialog.h"
#include "permissionstore.h"
#include "storage/fileaccess.h"
#include "storage/projectdatabase.h"
#include "ui_usermanagerdialog.h"
#include "uikit/msgdlg.h"

#include <QDebug>
#include <QFile>
#include <QHeaderView>
#include <QSettings>
#include <QTimer>

namespace {
const QString Administrator = QStringLiteral("ADMIN");
const QString PasswordGroup = QStringLiteral("UserList");

enum Column
{
    IdColumn = 0,
    NameColumn = 1
};
} // namespace

Usermanagerdialog::Usermanagerdialog(PermissionStore *permissions, QWidget *parent)
    : FramelessDialog(parent), m_ui(new Ui::Usermanagerdialog), m_permissions(permissions),
      m_tipTimer(new QTimer(this))
{
    m_ui->setupUi(this);
    setModal(true);
    applyShadow(m_ui->widget_bg, 35);

    QTableWidget *table = m_ui->tableWidget;
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(30);
    table->setFocusPolicy(Qt::NoFocus);

    m_tipTimer->setSingleShot(true);
    m_tipTimer->setInterval(TipMs);
    connect(m_tipTimer, &QTimer::timeout, m_ui->tipLabel, &QLabel::clear);

    fillUserList();
    setState(Idle);
}

Usermanagerdialog::~Usermanagerdialog()
{
    delete m_ui;
}

void Usermanagerdialog::fillUserList()
{
    const QList<QVariantList> rows = m_users.allUsers();
    QTableWidget *table = m_ui->tableWidget;
    table->clearContents();
    table->setRowCount(rows.size());
    m_userNames.clear();

    for (int row = 0; row < rows.size(); ++row) {
        const QVariantList &record = rows.at(row);
        const QString name = record.value(1).toString();
        m_userNames.append(name);
        auto *id = new QTableWidgetItem(QString::number(record.value(0).toInt()));
        id->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, IdColumn, id);
        auto *user = new QTableWidgetItem(name);
        user->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, NameColumn, user);
    }
    writePasswordFile(rows);
}

void Usermanagerdialog::writePasswordFile(const QList<QVariantList> &rows) const
{
    const QString path = FileAccess::passwordFilePath();
    // The file holds passwords as typed: it must come into being readable by its owner only,
    // and a copy left readable by others (by an older version, or by hand) is closed again.
    if (!FileAccess::createOwnerOnly(path))
        qDebug() << "cannot create" << path;
    else if (!QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        qDebug() << "cannot restrict" << path;

    QSettings file(path, QSettings::IniFormat);
    // Rewritten whole every time, so it never keeps a deleted or renamed account.
    file.clear();
    file.beginGroup(PasswordGroup);
    for (const QVariantList &record : rows) {
        const QString name = record.value(1).toString();
        if (record.size() == 4 && !name.isEmpty())
            file.setValue(name, record.at(3).toString());
    }
    file.endGroup();
    file.sync();
    if (file.status() != QSettings::NoError)
        qDebug() << "cannot write" << path;
}

QString Usermanagerdialog::tipText() const
{
    return m_ui->tipLabel->text();
}

void Usermanagerdialog::setState(State state)
{
    m_state = state;
    // Only Save in the editing state inserts; any other state forgets a pending Add, so a
    // later Edit updates the selected user instead of adding one.
    if (state != Editing)
        m_adding = false;

    const bool editing = state == Editing;
    m_ui->btnAdd->setEnabled(!editing);
    m_ui->btnEdit->setEnabled(state == UserSelected || state == AdministratorSelected);
    m_ui->btnDel->setEnabled(state == UserSelected);
    m_ui->btnSave->setEnabled(editing);
    m_ui->btnPermission->setEnabled(state == UserSelected);
    m_ui->usernameEdit->setEnabled(editing && m_ui->usernameEdit->text() != Administrator);
    m_ui->passwordEdit->setEnabled(editing);
    m_ui->repeatEdit->setEnabled(editing);

    m_ui->passwordEdit->clear();
    m_ui->repeatEdit->clear();
    if (state == Idle) {
        m_ui->usernameEdit->clear();
        m_ui->tableWidget->clearSelection();
    }
    if (editing)
        (m_ui->usernameEdit->isEnabled() ? m_ui->usernameEdit : m_ui->passwordEdit)->setFocus();
}

void Usermanagerdialog::showTip(const QString &text)
{
    m_ui->tipLabel->setText(text);
    m_tipTimer->start();
}

int Usermanagerdialog::selectedRow() const
{
    const QModelIndexList rows = m_ui->tableWidget->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

bool Usermanagerdialog::hasCell(int row, int column) const
{
    return row >= 0 && m_ui->tableWidget->item(row, column) != nullptr;
}

QString Usermanagerdialog::cellText(int row, int column) const
{
    const QTableWidgetItem *item = row >= 0 ? m_ui->tableWidget->item(row, column) : nullptr;
    return item ? item->text() : QString();
}

void Usermanagerdialog::on_tableWidget_cellClicked(int row, int)
{
    if (!hasCell(row, NameColumn)) {
        m_ui->usernameEdit->clear();
        m_ui->passwordEdit->clear();
        m_ui->repeatEdit->clear();
        return;
    }
    const QString name = cellText(row, NameColumn);
    m_ui->usernameEdit->setText(name);
    setState(name == Administrator ? AdministratorSelected : UserSelected);
}

void Usermanagerdialog::on_btnAdd_clicked()
{
    m_ui->usernameEdit->clear();
    m_ui->tableWidget->clearSelection();
    setState(Editing);
    m_adding = true;
}

void Usermanagerdialog::on_btnEdit_clicked()
{
    setState(Editing);
}

void Usermanagerdialog::on_btnSave_clicked()
{
    const QString name = m_ui->usernameEdit->text();
    const QString password = m_ui->passwordEdit->text();
    // Stored exactly as typed; only the comparison forgives surrounding blanks.
    const QString confirmation = m_ui->repeatEdit->text();

    if (!name.isEmpty() && password.isEmpty()) {
        showTip(tr("password empty!"));
        return;
    }
    if (password.trimmed() != confirmation.trimmed()) {
        showTip(tr("two password not equation!"));
        return;
    }

    if (m_adding) {
        // An empty name stores nothing; the list then simply shows nothing new.
        if (name.isEmpty()) {
            fillUserList();
            setState(Idle);
            return;
        }
        if (!acceptableName(name, -1))
            return;
        if (!m_users.addUser(name, confirmation)) {
            refuseUnsaved(tr("The user could not be added."));
            return;
        }
        if (m_permissions)
            m_permissions->initUserPermissions(name);
        fillUserList();
        setState(Idle);
        return;
    }

    if (name.isEmpty()) {
        showTip(tr("username empty!"));
        return;
    }
    const int row = selectedRow();
    // An account named before the rule keeps its name; only a new name has to be storable.
    if (name != cellText(row, NameColumn) && !acceptableName(name, row))
        return;
    if (hasCell(row, IdColumn) &&
        !m_users.updateUser(cellText(row, IdColumn).toInt(nullptr, 10), name, confirmation)) {
        refuseUnsaved(tr("The user could not be changed."));
        return;
    }
    fillUserList();
    setState(Idle);
}

bool Usermanagerdialog::acceptableName(const QString &name, int ownRow)
{
    if (!UserAccountStore::isStorableName(name)) {
        showTip(tr("user name cannot hold / or \\ or begin or end with a blank!"));
        return false;
    }
    // password.txt tells names apart without regard to case on Windows, so "Op" beside "op"
    // would leave one of them out.
    for (int i = 0; i < m_userNames.size(); ++i) {
        if (i != ownRow && m_userNames.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            showTip(tr("user have exsits!"));
            return false;
        }
    }
    return true;
}

void Usermanagerdialog::refuseUnsaved(const QString &what)
{
    // What was typed stays in the edits, so the operator can try again once the file is fixed.
    const QString error = ProjectDatabase::lastError();
    MsgDlg(tr("Warning"), error.isEmpty() ? what : QStringLiteral("%1\n%2").arg(what, error), this)
        .exec();
}

void Usermanagerdialog::on_btnDel_clicked()
{
    const int row = selectedRow();
    if (hasCell(row, IdColumn) && cellText(row, NameColumn) != Administrator) {
        const int id = cellText(row, IdColumn).toInt(nullptr, 10);
        // A user whose row could not be removed keeps its rights: without a permission row
        // it would be allowed everything.
        if (!m_users.deleteUser(id))
            refuseUnsaved(tr("The user could not be deleted."));
        else if (m_permissions)
            m_permissions->deletePermissions(id);
    }
    setState(Idle);
    fillUserList();
}

void Usermanagerdialog::on_btnPermission_clicked()
{
    const int row = selectedRow();
    if (!m_permissions || !hasCell(row, IdColumn))
        return;
    PermissionDialog dialog(cellText(row, IdColumn), cellText(row, NameColumn), m_permissions,
                            this);
    dialog.exec();
}

void Usermanagerdialog::on_btnClose_clicked()
{
    done(0);
}
