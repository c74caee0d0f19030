#pragma once
// Lets a window's timer run out now: its timeout signal is emitted, so the window's own
// connection runs the handler, with no waiting in the test.

#include <QMetaObject>
#include <QTimer>

#include <stdexcept>

namespace morva::test {

inline void Elapse(QTimer& timer)
{
    // timeout is a private signal: only the meta-object system may emit it from outside.
    if (!QMetaObject::invokeMethod(&timer, "timeout", Qt::DirectConnection))
        throw std::logic_error("the timer's timeout could not be emitted");
}

} // namespace morva::test
