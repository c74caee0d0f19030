#include "platform/QtShellOpener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace morva {
namespace {

// What xdg-mime answers, or nothing when it cannot be asked.
QString AskXdgMime(const QString& xdgMime, const QStringList& arguments)
{
    QProcess query;
    query.start(xdgMime, arguments);
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished();
        return {};
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(query.readAllStandardOutput()).section(u';', 0, 0).trimmed();
}

// The type whose default application opens the target: a file's MIME type, an address's
// URL scheme handler. Empty when the file's type is unknown.
QString HandlerType(const QString& xdgMime, const QUrl& target)
{
    if (target.isLocalFile())
        return AskXdgMime(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), target.toLocalFile()});
    return QStringLiteral("x-scheme-handler/") + target.scheme();
}

} // namespace

// Qt hands the target to xdg-open and counts that as opened; xdg-open only then finds that
// nothing opens it. So ask first, as xdg-open will.
bool DesktopHasHandlerFor(const QUrl& target)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return true; // Qt opens it its own way and says so itself when it cannot.
    const QString type = HandlerType(xdgMime, target);
    if (!type.isEmpty() && !AskXdgMime(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type}).isEmpty())
        return true;
    // Without a registered application, xdg-open tries the user's own choice of browser.
    return !target.isLocalFile() && !qEnvironmentVariable("BROWSER").isEmpty();
}

bool TQtShellOpener::Open(const QUrl& target)
{
    if (!target.isValid() || !DesktopHasHandlerFor(target))
        return false;
    return QDesktopServices::openUrl(target);
}

} // namespace morva
