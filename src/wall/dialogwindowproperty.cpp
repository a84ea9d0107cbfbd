#include "dialogwindowproperty.h"
#include "ui_dialogwindowproperty.h"

#include "protocol/messagedistance.h"
#include "uikit/msgdlg.h"

#include <QDebug>
#include <QSpinBox>

#include <cmath>

namespace {
// The wall model has four inputs; another entry of the box keeps the window's own input.
const int WallInputs = 4;
} // namespace

DialogWindowProperty::DialogWindowProperty(const WallWindowProperties &window,
                                           const QMap<int, QString> &inputNames, QWidget *parent)
    : FramelessDialog(parent), m_ui(new Ui::DialogWindowProperty), m_inputNames(inputNames)
{
    m_ui->setupUi(this);
    setModal(true);
    applyShadow(m_ui->widget_bg, 25);
    m_ui->sb_x->setRange(0, 99999);
    m_ui->sb_y->setRange(0, 99999);
    // A window of no width or height could never be seen or grabbed again.
    m_ui->sb_width->setRange(1, 99999);
    m_ui->sb_height->setRange(1, 99999);
    for (auto it = m_inputNames.cbegin(); it != m_inputNames.cend(); ++it)
        m_ui->cbb_source->addItem(it.value(), it.key());
    setWindow(window);
}

DialogWindowProperty::~DialogWindowProperty()
{
    delete m_ui;
}

int DialogWindowProperty::roundHalfUp(double value)
{
    if (value >= 0)
        return static_cast<int>(std::trunc(value + 0.5));
    const double t = std::trunc(value - 1);
    return static_cast<int>(t + std::trunc(value - t + 0.5));
}

void DialogWindowProperty::setWindow(const WallWindowProperties &window)
{
    m_window = window;
    m_ui->le_id->setText(QString::number(window.id));
    m_ui->le_layer->setText(QString::number(window.layer));
    m_ui->cbb_source->setCurrentIndex(m_ui->cbb_source->findData(window.input));
    const QSize wall = window.virtualSize;
    const QRectF r = window.relativeRect;
    m_ui->sb_x->setValue(roundHalfUp(r.x() * wall.width()));
    m_ui->sb_y->setValue(roundHalfUp(r.y() * wall.height()));
    m_ui->sb_width->setValue(roundHalfUp(r.width() * wall.width()));
    m_ui->sb_height->setValue(roundHalfUp(r.height() * wall.height()));
    // Without a wall size no value can be placed on the canvas: nothing can be applied.
    const bool placeable = wall.width() > 0 && wall.height() > 0;
    m_ui->btn_apply->setEnabled(placeable);
    m_ui->btn_ok->setEnabled(placeable);
}

bool DialogWindowProperty::apply()
{
    const QSize wall = m_window.virtualSize;
    if (wall.width() <= 0 || wall.height() <= 0)
        return false;
    if (!MessageDistance::instance()->isConnected()) {
        // The canvas would show a window the device never got.
        qDebug() << "window property not applied: the device is not connected";
        MsgDlg warning(tr("Warning"), tr("The device is not connected: nothing was sent"), this);
        warning.exec();
        return false;
    }
    const QRectF relative(double(m_ui->sb_x->value()) / wall.width(),
                          double(m_ui->sb_y->value()) / wall.height(),
                          double(m_ui->sb_width->value()) / wall.width(),
                          double(m_ui->sb_height->value()) / wall.height());
    const int index = m_ui->cbb_source->currentIndex();
    const int chosen = index >= 0 ? m_ui->cbb_source->itemData(index).toInt() : 0;
    const bool known = chosen >= 1 && chosen <= WallInputs;
    const int input = known ? chosen : m_window.input;
    const int id = m_window.id;
    if (input == m_window.input) {
        m_window.relativeRect = relative;
        emit si_resizeWindow(id, relative);
    } else {
        m_window.input = input;
        m_window.relativeRect = relative;
        emit si_reopenWindow(id, input, m_ui->cbb_source->itemText(index), relative);
    }
    return true;
}

void DialogWindowProperty::sl_windowRemoved(int id)
{
    if (id == m_window.id)
        reject();
}

void DialogWindowProperty::on_btn_ok_clicked()
{
    if (apply())
        accept();
}

void DialogWindowProperty::on_btn_apply_clicked()
{
    apply();
}

void DialogWindowProperty::on_btn_cancel_clicked()
{
    reject();
}

void DialogWindowProperty::on_btn_close_clicked()
{
    reject();
}
