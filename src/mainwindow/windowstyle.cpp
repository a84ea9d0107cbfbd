#include "windowstyle.h"

#include "mainwindow/tableitemwidget.h"

namespace {

const char TabStyle[] =
    "QTabWidget::pane{border:none;background:transparent;}"
    "QTabWidget{background:transparent;}"
    "QTabWidget::tab-bar{left:%1px;}"
    "QTabBar::tab{font-family:\"Microsoft YaHei\";font-size:15px;font-weight:bold;color:#2c3e50;"
    "background:transparent;min-width:100px;min-height:34px;padding:0px 12px;margin-right:4px;}"
    "QTabBar::tab:selected{background:#338c56;color:#ffffff;border-radius:4px;}"
    "QTabBar::tab:hover:!selected{background:rgba(51,140,86,40);border-radius:4px;}"
    "QTabBar::tab:disabled{color:rgba(44,62,80,90);}";

const char ContentStyle[] =
    "QWidget#titleBar{background:#ffffff;border-bottom:1px solid #e3e8e6;"
    "border-top-left-radius:10px;border-top-right-radius:10px;}"
    "QLabel#connectState{font-family:\"Microsoft YaHei\";font-size:14px;color:#2c3e50;}"
    "QLabel#connectState[link=\"down\"]{color:#c0392b;font-weight:bold;}"
    "QLabel#connectState[link=\"connecting\"]{color:#b9770e;}"
    "QLabel#connectState[link=\"up\"]{color:#338c56;}"
    "QLabel#linkNotice{font-family:\"Microsoft YaHei\";font-size:14px;color:#ffffff;"
    "background:#c0392b;border-radius:6px;padding:8px 16px;}"
    "QWidget#leftContentWidget{background:#f4f7f5;border-right:1px solid #e3e8e6;"
    "border-bottom-left-radius:10px;}"
    "QLabel#lb_signalList{font-family:\"Microsoft YaHei\";font-size:15px;font-weight:bold;"
    "color:#2c3e50;border-left:4px solid #338c56;padding-left:8px;}"
    "QListWidget{background:transparent;border:none;font-family:\"Microsoft YaHei\";"
    "font-size:14px;}"
    "QPushButton{font-family:\"Microsoft YaHei\";font-size:14px;color:#2c3e50;background:#ffffff;"
    "border:1px solid #c9d3ce;border-radius:4px;padding:0px 10px;}"
    "QPushButton:hover{border-color:#338c56;}"
    "QPushButton:checked{background:#338c56;color:#ffffff;border-color:#338c56;}"
    "QPushButton:disabled{color:rgba(44,62,80,110);background:#eef1ef;}"
    "QPushButton#refrenshBtn,QPushButton#netWorkConfirmBtn{background:#338c56;color:#ffffff;"
    "border:none;}"
    "QPushButton#mini,QPushButton#btn_RestoreOrMax,QPushButton#btnClose,QPushButton#btnUndo,"
    "QPushButton#btnRedo{border:none;background:transparent;}"
    "QPushButton#mini:hover,QPushButton#btn_RestoreOrMax:hover,QPushButton#btnUndo:hover,"
    "QPushButton#btnRedo:hover{background:#e8efeb;}"
    "QPushButton#btnClose:hover{background:#f3d6d2;}"
    "QGroupBox{font-family:\"Microsoft YaHei\";font-size:15px;font-weight:bold;color:#2c3e50;"
    "border:1px solid #dfe6e2;border-radius:8px;margin-top:14px;background:#ffffff;}"
    "QGroupBox::title{subcontrol-origin:margin;left:12px;padding:0px 6px;}"
    "QLabel{font-family:\"Microsoft YaHei\";font-size:14px;color:#2c3e50;}"
    "QLineEdit,QComboBox{font-family:\"Microsoft YaHei\";font-size:14px;color:#2c3e50;"
    "border:1px solid #c9d3ce;border-radius:4px;padding:0px 6px;background:#ffffff;}"
    "QLineEdit:focus,QComboBox:focus{border-color:#338c56;}"
    "QLabel#typeLabel{font-size:20px;font-weight:bold;}";

} // namespace

QString WindowStyle::brand()
{
    return QStringLiteral("CVN");
}

QString WindowStyle::content()
{
    return QString::fromLatin1(ContentStyle) + TableItemWidget::sharedStyleSheet();
}

QString WindowStyle::tabs(bool shifted)
{
    return QString::fromLatin1(TabStyle).arg(shifted ? 200 : 0);
}
