#include "platform/QtShellOpener.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace morva {
namespace {

// What xdg-mime answers, or "" when it cannot be asked or does not answer in time. The
// process belongs to the application, so one still running at the end is ended with it.
void AskXdgMime(const QString& xdgMime, const QStringList& arguments, std::chrono::milliseconds timeout,
                std::function<void(QString)> answer)
{
    auto* query = new QProcess(QCoreApplication::instance());
    auto* timer = new QTimer(query);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, query, &QProcess::kill);
    QObject::connect(query, &QProcess::finished, query, [query, answer](int code, QProcess::ExitStatus status) {
        const bool answered = status == QProcess::NormalExit && code == 0;
        answer(answered ? QString::fromLocal8Bit(query->readAllStandardOutput()).section(u';', 0, 0).trimmed()
                        : QString());
        query->deleteLater();
    });
    QObject::connect(query, &QProcess::errorOccurred, query, [query, answer](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // finished follows
        answer({});
        query->deleteLater();
    });
    query->start(xdgMime, arguments);
    timer->start(timeout);
}

// The type whose default application opens the target: a file's MIME type (xdg-mime's
// answer, "" when it has none), an address's URL scheme handler.
void AskHandlerType(const QString& xdgMime, const QUrl& target, std::chrono::milliseconds timeout,
                    std::function<void(QString)> answer)
{
    if (!target.isLocalFile())
        return answer(QStringLiteral("x-scheme-handler/") + target.scheme());
    AskXdgMime(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), target.toLocalFile()}, timeout,
               std::move(answer));
}

} // namespace

// Qt hands the target to xdg-open and counts that as opened; xdg-open only then finds that
// nothing opens it. So ask first, as xdg-open will.
void AskDesktopForHandler(const QUrl& target, std::chrono::milliseconds timeout, std::function<void(bool)> answer)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return answer(true); // Qt opens it its own way and says so itself when it cannot.
    // Without a registered application, xdg-open tries the user's own choice of browser.
    const bool browser = !target.isLocalFile() && !qEnvironmentVariable("BROWSER").isEmpty();
    AskHandlerType(xdgMime, target, timeout, [xdgMime, timeout, browser, answer](const QString& type) {
        if (type.isEmpty())
            return answer(browser);
        AskXdgMime(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type}, timeout,
                   [browser, answer](const QString& application) { answer(browser || !application.isEmpty()); });
    });
}

void TQtShellOpener::Open(const QUrl& target, std::function<void(bool opened)> done)
{
    if (!target.isValid())
        return done(false);
    AskDesktopForHandler(target, askTimeout_, [target, done](bool handler) {
        done(handler && QDesktopServices::openUrl(target));
    });
}

} // namespace morva
