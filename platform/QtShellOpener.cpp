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

} // namespace

// Qt hands a document to xdg-open and counts that as opened; xdg-open only then finds that
// nothing opens this type. So ask first, as xdg-open will.
bool DesktopHasViewerFor(const QString& file)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return true; // Qt opens it its own way and says so itself when it cannot.
    const QString type = AskXdgMime(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), file});
    return !type.isEmpty() && !AskXdgMime(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type}).isEmpty();
}

bool TQtShellOpener::Open(const QUrl& target)
{
    if (!target.isValid())
        return false;
    if (target.isLocalFile() && !DesktopHasViewerFor(target.toLocalFile()))
        return false;
    return QDesktopServices::openUrl(target);
}

} // namespace morva
