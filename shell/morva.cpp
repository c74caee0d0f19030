// Kovrak MORVA: entry and exit. One copy runs at a time; it shows the splash, creates the
// main window, the main card and the history dialog in that order, and runs until the main
// window closes.

#include "engine/DictionaryError.h"
#include "platform/FileInstanceBlock.h"
#include "platform/FileRegistry.h"
#include "platform/LocalOtherCopy.h"
#include "platform/PortalGlobalShortcuts.h"
#include "platform/QtClipboard.h"
#include "platform/QtMessageBox.h"
#include "platform/QtSelection.h"
#include "platform/QtShellOpener.h"
#include "platform/QtSystemInfo.h"
#include "platform/QtTrayIcon.h"
#include "platform/SystemCloseRequests.h"
#include "shell/CommandLine.h"
#include "shell/Main.h"
#include "shell/OneInst.h"
#include "shell/Splash.h"
#include "text/CodePage1251.h"
#include "ui/Program.h"

#include <QAction>
#include <QApplication>

#include <cstdio>
#include <memory>

namespace morva {
namespace {

// An exception that no handler caught ends its event with an error box; the program goes on.
class TMorvaApplication : public QApplication {
public:
    using QApplication::QApplication;

    TErrorReport ReportError;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            if (ReportError)
                ReportError(error);
            return false;
        }
    }
};

// What a later copy asks of this one, answered by the main window once it exists. A word
// that comes before the window is ready waits in `early`.
TWindowRequests MainWindowRequests(TMainForm* const& mainForm, std::u16string& early)
{
    TWindowRequests requests;
    // The program is on screen unless it sits in the notification area.
    requests.IsVisible = [&mainForm] { return !mainForm || !mainForm->InTray(); };
    requests.Restore = [&mainForm] {
        if (mainForm)
            mainForm->RestoreMinimized();
    };
    requests.Activate = [&mainForm] {
        if (mainForm)
            mainForm->BringForward();
    };
    // A user who starts the program again wants to see it, also when it sits in the tray.
    requests.WakeUp = [&mainForm] {
        if (mainForm)
            mainForm->RestoreActionExecute();
    };
    requests.ActivationToken = [&mainForm](const std::string& token) {
        if (mainForm)
            mainForm->SetActivationToken(token);
    };
    requests.LookUp = [&mainForm, &early](const std::u16string& text) {
        if (mainForm)
            mainForm->LookUpFromOutside(text);
        else
            early = text;
    };
    return requests;
}

// The text the command line asks to look up; empty for a plain start.
std::u16string WordToLookUp(const TCommandLine& line, const IClipboard& clipboard, const IPrimarySelection& selection)
{
    switch (line.Source) {
    case TWordSource::Arguments:
        return line.Words.toStdU16String();
    case TWordSource::Selection:
        if (!selection.IsAvailable())
            std::fputs("morva: this desktop does not let programs read the selection; try --clipboard\n", stderr);
        return selection.Text().toStdU16String();
    case TWordSource::Clipboard:
        return clipboard.Text().toStdU16String();
    case TWordSource::None:
        break;
    }
    return {};
}

int Run(int argc, char** argv)
{
    // What the launcher gave this start to come forward with, read before Qt may use it up.
    const std::string activationToken = qEnvironmentVariable("XDG_ACTIVATION_TOKEN").toStdString();
    TMorvaApplication app(argc, argv);
    const TCommandLine line = ParseCommandLine(QCoreApplication::arguments());
    if (!line.Error.isEmpty()) {
        std::fputs(line.Error.toLocal8Bit().constData(), stderr);
        return 2;
    }
    TQtClipboard clipboard;
    TQtPrimarySelection selection;
    const std::u16string word = WordToLookUp(line, clipboard, selection);

    TMainForm* mainForm = nullptr;
    std::u16string earlyWord;
    TFileInstanceBlock instanceBlock;
    TLocalOtherCopy otherCopy;
    TLocalOtherCopyServer otherCopyServer;
    if (GuardSingleInstance(instanceBlock, otherCopy, otherCopyServer, MainWindowRequests(mainForm, earlyWord), word,
                            activationToken)
        == TInstanceCheck::OtherCopy)
        return 0;
    // From here on a signal to end does not kill the program: it closes once it can.
    TSystemCloseRequests closeRequests;

    QApplication::setApplicationName(QString::fromLatin1(MainCaption));
    QGuiApplication::setDesktopFileName(QStringLiteral(MORVA_APP_ID));
    QApplication::setWindowIcon(QIcon(QString::fromLatin1(ProgramIconPath)));

    TFileRegistry registry;
    TQtSystemInfo system;
    TQtMessageBox messages;
    TQtTrayIcon tray;
    TQtShellOpener shell;
    TMainServices services;
    services.Registry = &registry;
    services.System = &system;
    services.Messages = &messages;
    services.Tray = &tray;
    services.Shell = &shell;
    services.Clipboard = &clipboard;
    TX11DesktopPointer pointer;
    services.Selection = &selection;
    services.Pointer = &pointer;
    TPortalGlobalShortcuts desktopKeys(QStringLiteral(MORVA_APP_ID));
    services.GlobalShortcuts = &desktopKeys;
    services.OpenDictionary = [] { return std::make_unique<TUzDictionary>(); };
    services.ExecutablePath = QCoreApplication::applicationFilePath().toStdString();

    std::unique_ptr<TMainForm> form;
    {
        TSplashForm splash;
        RunSplashWait(splash, [] { return false; });
        form = std::make_unique<TMainForm>(services);
        mainForm = form.get();
        app.ReportError = form->ErrorReport();
        form->Start(QCoreApplication::arguments());
    }
    if (form->TerminateRequested())
        return 1;
    if (form->ShowOnStart())
        form->show();
    QObject::connect(&closeRequests, &TSystemCloseRequests::CloseRequested, form.get(), &TMainForm::ExitActionExecute);
    closeRequests.Deliver();
    // The card comes once the main window is ready; at an autorun start, the card alone.
    for (const std::u16string& text : {word, earlyWord})
        if (!text.empty())
            form->LookUpFromOutside(text);
    const int exitCode = QApplication::exec();
    mainForm = nullptr;
    return exitCode;
}

} // namespace
} // namespace morva

int main(int argc, char** argv)
{
    return morva::Run(argc, argv);
}
