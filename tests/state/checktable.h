#pragma once

#include <QDebug>
#include <QtTest>

// A table of calls to pure functions: each row holds the result and the
// expected value as QDebug prints them, so one test function compares values of
// any printable type.
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

#define CHECK(expr, ...) QTest::newRow(#expr) << shown(expr) << shown(decltype(expr){__VA_ARGS__})
