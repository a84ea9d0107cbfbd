#pragma once

#include <QDebug>
#include <QtTest>

// Rows of a call's result and the expected value, both as QDebug prints them.
template <typename T> QString shown(const T &value)
{
    QString text;
    QDebug(&text).nospace() << value;
    return text;
}

inline void checkColumns()
{
    QTest::addColumn<QString>("got");
    QTest::addColumn<QString>("want");
}

// The whole of a check table's test function.
inline void compareCheck()
{
    QFETCH(QString, got);
    QTEST(got, "want");
}

#define CHECK(expr, ...) QTest::newRow(#expr) << shown(expr) << shown(decltype(expr){__VA_ARGS__})
