#pragma once
// What every window does with engine text: dictionary text to QString, an exception to its
// message, and a handler run so that what it throws reaches the error report.

#include <QString>

#include <exception>
#include <string_view>

namespace morva {

QString FromDictText(std::string_view text);

// Every exception's message is UTF-8.
QString ErrorText(const std::exception& error);

// Runs the handler; what it throws goes to the report instead of ending the event.
template <class Handler, class Report>
void RunReported(Handler&& handler, Report&& report)
{
    try {
        handler();
    } catch (const std::exception& error) {
        report(error);
    }
}

} // namespace morva
