#pragma once
// The application's standard error report: what an exception that ends an event shows. The
// main window makes it once and hands it to whatever runs events for it.

#include <QWidget>

#include <exception>
#include <functional>

namespace morva {

class IMessageBox;

using TErrorReport = std::function<void(const std::exception&)>;

// An error box titled with the main caption, over the window that owner gives at that moment
// (none when it gives null or is empty).
TErrorReport StandardErrorReport(IMessageBox& messages, std::function<QWidget*()> owner = {});

} // namespace morva
