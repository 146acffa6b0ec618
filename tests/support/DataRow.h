#pragma once

#include <QtTest>

// One row of a data table on one line: DataRow("name", a, b, c).
template <typename... Values> void DataRow(const char *name, const Values &...values)
{
    (QTest::newRow(name) << ... << values);
}
