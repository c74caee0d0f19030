#pragma once
// TMainForm: the program's one permanent window. The language pair, the word list with its
// search field, the bars and commands, settings, autorun and the notification area.
// Its parts are made in MainLayout.cpp; the behaviour is in the handlers here.

#include "engine/KovrObj.h"
#include "engine/Language.h"
#include "ui/Program.h"
#include "ui/ErrorReport.h"
#include "ui/UiText.h"

#include <QDeadlineTimer>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class QTimer;
class QToolBar;

namespace morva {

class IClipboard;
class IDesktopPointer;
class IMessageBox;
class IGlobalShortcuts;
class IPrimarySelection;
class TCardManager;
class TFindHelper;
class TPropStorage;
class TRegPropStorageMan;
class TSelectionCardForm;
class TSelectionWatch;
class IRegistry;
class IShellOpener;
class ISystemInfo;
class ITrayIcon;
class TWordListModel;
class TXUzbekEdit;

// What the main window needs from the platform; none of it is owned.
struct TMainServices {
    IRegistry* Registry = nullptr;
    ISystemInfo* System = nullptr;
    IMessageBox* Messages = nullptr;
    ITrayIcon* Tray = nullptr;
    IShellOpener* Shell = nullptr;
    IClipboard* Clipboard = nullptr;
    // Opens the data file; throws EDictionaryError with a ready-to-show message.
    std::function<std::unique_ptr<TUzDictionary>()> OpenDictionary;
    // The program's own executable: the help file lies beside it and autorun starts it.
    std::filesystem::path ExecutablePath;
    // Other applications' selections and the desktop's pointer, for the selection watch;
    // without them the watch is not offered.
    IPrimarySelection* Selection = nullptr;
    IDesktopPointer* Pointer = nullptr;
    // The desktop's global keys; without them no key is asked for.
    IGlobalShortcuts* GlobalShortcuts = nullptr;
};

// The maker's web site.
inline constexpr const char* SiteAddress = "https://github.com/kovrak/morva";
inline constexpr const char* HelpFileName = "Morva.chm";

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(TMainServices services, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Makes the window ready to show: the creation sequence, then the cards. Afterwards
    // TerminateRequested and ShowOnStart say what the caller is to do with it.
    void Start(const QStringList& arguments);
    TCardManager* Cards() const { return cards_.get(); }
    // Set when a check or the dictionary failed: the program is to end.
    bool TerminateRequested() const { return terminateRequested_; }
    // False when the window is to stay hidden at start (a failed start, or the tray).
    bool ShowOnStart() const { return showOnStart_; }
    // The program sits in the notification area.
    bool InTray() const;

    void SetLangPair(Language src, Language dest, bool initial);

    TUzDictionary* Dictionary() const { return dictionary_.get(); }
    // The selected row of the word list, or -1.
    int SelectedRow() const;

    // Shows the card for a text from outside the program (a command line, another copy) in
    // the main card, without moving the word list. The text is untrusted: it is only ever
    // looked up as a word.
    void LookUpFromOutside(const std::u16string& text);

    // The application's standard error report: an error box with the main caption, over this
    // window while it is shown. Made once; everything that runs events for the window uses it.
    const TErrorReport& ErrorReport() const { return errorReport_; }

    // Commands the program's start-up code also gives: another copy asks for the window, the
    // session asks the program to end. sender false: only the icon goes and the commands are
    // reset (the window is closing).
    void RestoreActionExecute(bool sender = true);
    void ExitActionExecute();

    // What a later copy of the program asks: the window out of minimised, then to the front;
    // its activation token, if it had one, for that activation.
    void RestoreMinimized();
    void BringForward();
    void SetActivationToken(const std::string& token) { activationToken_ = token; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Handlers; reached through the parts' signals.
    void LangChange();
    void SearchEditChange();
    void WordListClick();
    void WordListDblClick();
    void UpdateTimerTimer();
    // Looks for the notification area; after a while it gives up waiting.
    void TrayWaitTimerTimer();
    // Sees whether the notification area is still there while the program sits in it.
    void TrayWatchTimerTimer();
    void CutToClipActionExecute();
    void CopyToClipActionExecute();
    void PasteFromClipActionExecute();
    void WordInfoActionExecute();
    void CascadeCardsActionExecute();
    void ShowBarActionExecute();
    void StayOnTopActionExecute();
    void AutorunChangeActionExecute();
    // Applies both Latin Uzbek switches: Latin input in the search field while the Uzbek list
    // is shown, and Latin in the cards.
    void UzbekLatinActionExecute();
    // Applies both selection watch switches.
    void WatchSelectionActionExecute();
    void DesktopKeyActionExecute();
    void CallHelpActionExecute();
    void GoToSiteActionExecute();
    void AboutActionExecute();
    void MinimizeActionExecute();

    // The creation sequence: checks, settings, dictionary, pair, autorun state, tray.
    void FormCreate(const QStringList& arguments);
    // The main card and then the history dialog; after FormCreate.
    void CreateCards();
    // The watch on other applications' selections and its card; after CreateCards.
    void CreateSelectionWatch();
    void ShowSelectionCard(const QString& text, QPoint pointer);
    void OpenSelectionCardEntry(LanguagePair pair, int index);
    void DesktopKeyPressed(const QString& activationToken);
    void LookUpSelectionOnceActive();

    // The data file's date, for the about box.
    TSystemTime DataFileDate;

    // The parts, under their object names; tests find them by those names.
    QToolBar* EditToolBar = nullptr;
    QToolBar* LangToolBar = nullptr;
    QComboBox* SrcLangCB = nullptr;
    QLabel* DirectionImage = nullptr;
    QComboBox* DestLangCB = nullptr;
    QListView* WordList = nullptr;
    QWidget* SearchPanel = nullptr;
    TXUzbekEdit* SearchEdit = nullptr;
    QToolBar* ServiceToolBar = nullptr;
    QTimer* UpdateTimer = nullptr;
    // Runs while a start with the autorun switch waits for the notification area to appear.
    QTimer* TrayWaitTimer = nullptr;
    // Runs while the program's icon is in the notification area.
    QTimer* TrayWatchTimer = nullptr;
    QMenu* SrcLangPopupMenu = nullptr;
    QMenu* DestLangPopupMenu = nullptr;
    QMenu* TrayPopupMenu = nullptr;
    std::unique_ptr<TRegPropStorageMan> RegPropStorageMan;
    std::unique_ptr<TPropStorage> MainPropStorage;

    QAction* CutToClipAction = nullptr;
    QAction* CopyToClipAction = nullptr;
    QAction* PasteFromClipAction = nullptr;
    QAction* WordInfoAction = nullptr;
    QAction* CascadeCardsAction = nullptr;
    QAction* CloseTempCardsAction = nullptr;
    QAction* CloseAllCardsAction = nullptr;
    QAction* CardsHostoryAction = nullptr;
    QAction* ShowEditBarAction = nullptr;
    QAction* ShowLangBarAction = nullptr;
    QAction* ShowServiceBarAction = nullptr;
    QAction* StayOnTopAction = nullptr;
    QAction* AutorunChangeAction = nullptr;
    QAction* UzbekLatinInputAction = nullptr;
    QAction* UzbekLatinCardsAction = nullptr;
    QAction* WatchSelectionAction = nullptr;
    QAction* WatchSelectionCtrlAction = nullptr;
    QAction* DesktopKeyAction = nullptr;
    QAction* CallHelpAction = nullptr;
    QAction* GoToSiteAction = nullptr;
    QAction* AboutAction = nullptr;
    QAction* MinimizeAction = nullptr;
    QAction* RestoreAction = nullptr;
    QAction* ExitAction = nullptr;
    QAction* SrcEnglishLangAction = nullptr;
    QAction* SrcUzbekLangAction = nullptr;
    QAction* SrcRussianLangAction = nullptr;
    QAction* SrcChangeLangAction = nullptr;
    QAction* DestEnglishLangAction = nullptr;
    QAction* DestUzbekLangAction = nullptr;
    QAction* DestRussianLangAction = nullptr;
    QAction* DestChangeLangAction = nullptr;

    // Runs a handler step; what it throws gets the standard error report.
    template <class Handler>
    void Reported(Handler handler)
    {
        RunReported(handler, errorReport_);
    }

    // MainLayout.cpp.
    void CreateLayout();
    void CreateActions();
    void CreateMenus();
    void CreateBars();
    // Names the controls that show no caption of their own, for screen readers.
    void NameForReaders();
    // The command icons and the direction arrow, drawn to read on the current palette.
    void ApplyPaletteIcons();
    void ConnectHandlers();

    bool SearchEditKeyDown(QKeyEvent* event);
    bool SearchEditKeyUp(QKeyEvent* event);
    bool WordListKeyPress(QKeyEvent* event);
    // Runs the command that holds the key; true when one holds it, even a disabled one (the
    // key then has no effect).
    bool HandleCommandKey(QKeyCombination key);

    void FindAndTidy();
    // MainFind.cpp: a card for a word the helps found; a word of another pair first shows
    // that pair with the word in the field, so the window and the card agree.
    void CreateFindHelper();
    void OpenFoundWord(LanguagePair pair, std::int32_t index);
    void SelectRow(int row);
    void SetSearchText(const std::string& text);
    void SourceLangActionExecute(QAction* action, Language language);
    void DestLangActionExecute(QAction* action, Language language);
    void SrcChangeLangActionExecute();
    void DestChangeLangActionExecute();
    void ApplyStayOnTop();
    void ShowError(const QString& text);
    bool CanUseTray() const;
    void StartInTray();
    // The tray state without its icon: the commands switched and the program's windows hidden.
    void HideProgram();
    // Adds the icon and watches the notification area.
    void AddTrayIcon();

    TMainServices services_;
    TErrorReport errorReport_;
    std::unique_ptr<TUzDictionary> dictionary_;
    // Declared after the dictionary: the cards refer to it, so they must go first.
    std::unique_ptr<TCardManager> cards_;
    std::unique_ptr<TSelectionCardForm> selectionCard_;
    std::unique_ptr<TSelectionWatch> selectionWatch_;
    // Until then, the window's next activation looks up the selection (the desktop key was
    // pressed where the selection can be read only with the keyboard).
    QDeadlineTimer lookUpWhenActive_;
    // The word-finding helps read the dictionary from their own thread: gone before it.
    std::unique_ptr<TFindHelper> findHelper_;
    TWordListModel* wordListModel_ = nullptr;
    std::array<QAction*, LanguageCount> srcLangActions_{};
    std::array<QAction*, LanguageCount> destLangActions_{};
    bool terminateRequested_ = false;
    bool showOnStart_ = true;
    // Minimising goes to the notification area once the creation sequence has set it up.
    bool minimizeToTray_ = false;
    int trayWaitTicks_ = 0;
    int trayLostTicks_ = 0;
    // The program's other windows hidden with it and where they were, shown there again when
    // it comes back.
    std::vector<std::pair<QPointer<QWidget>, QPoint>> programWindows_;
    QPoint mainWindowPosition_;
    // Program logic selecting a row is not the user choosing it.
    bool selectingRow_ = false;
    // Minimised on Wayland and not active since: the window system reports such a window as
    // normal at once and tells nothing when the user brings it back.
    bool minimizedUnseen_ = false;
    std::string activationToken_;
};

} // namespace morva
