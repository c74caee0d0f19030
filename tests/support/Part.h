#pragma once
// Finds a window's part by its object name, the way a user of the window sees it: tests reach
// the parts without the window exposing them.

#include <QObject>
#include <QString>

#include <stdexcept>
#include <string>

namespace morva::test {

template <class T>
T* Part(const QObject& owner, const char* name)
{
    T* part = owner.findChild<T*>(QString::fromLatin1(name));
    if (!part)
        throw std::logic_error(std::string("no part named ") + name);
    return part;
}

} // namespace morva::test
