#include "startup.h"

#include <QApplication>
#include <QFont>

void prepareApplication()
{
    qputenv("QT_SCALE_FACTOR", QByteArray::number(1));
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
}

void configureApplication()
{
    QFont font = QApplication::font();
    font.setFamily(QStringLiteral("Microsoft YaHei"));
    QApplication::setFont(font);
}
