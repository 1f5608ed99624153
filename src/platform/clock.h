#pragma once

#include <QDateTime>

// Where "today" comes from, so tests never depend on the wall clock.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
};
