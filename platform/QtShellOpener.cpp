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

} // namespace

// Qt hands a document to xdg-open and counts that as opened; xdg-open only then finds that
// nothing opens this type. So ask first, as xdg-open will.
void AskDesktopForViewer(const QString& file, std::chrono::milliseconds timeout, std::function<void(bool)> answer)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return answer(true); // Qt opens it its own way and says so itself when it cannot.
    AskXdgMime(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), file}, timeout,
               [xdgMime, timeout, answer](const QString& type) {
                   if (type.isEmpty())
                       return answer(false);
                   AskXdgMime(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type}, timeout,
                              [answer](const QString& application) { answer(!application.isEmpty()); });
               });
}

void TQtShellOpener::Open(const QUrl& target, std::function<void(bool opened)> done)
{
    if (!target.isValid())
        return done(false);
    if (!target.isLocalFile())
        return done(QDesktopServices::openUrl(target));
    AskDesktopForViewer(target.toLocalFile(), askTimeout_, [target, done](bool viewer) {
        done(viewer && QDesktopServices::openUrl(target));
    });
}

} // namespace morva
