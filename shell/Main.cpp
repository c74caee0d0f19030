#include "shell/Main.h"

#include "shell/FindHelper.h"

#include "about/About.h"
#include "cards/CardManager.h"
#include "cards/CardsHostory.h"
#include "cards/WindowList.h"
#include "engine/DictionaryError.h"
#include "engine/SearchRule.h"
#include "engine/TextRules.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"
#include "platform/ShellOpener.h"
#include "platform/SystemInfo.h"
#include "platform/TrayIcon.h"
#include "platform/WindowSystem.h"
#include "placement/CardPropStorage.h"
#include "placement/PropStorage.h"
#include "placement/RegPropStorageMan.h"
#include "shell/Autorun.h"
#include "cards/SelectionCard.h"
#include "shell/SelectionWatch.h"
#include "shell/Settings.h"
#include "shell/WordListModel.h"
#include "text/CodePage1251.h"
#include "text/XUzbekEdit.h"
#include "ui/CommandKeys.h"
#include "ui/Program.h"
#include "ui/UiText.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QTimer>
#include <QToolBar>
#include <QRegularExpression>
#include <QWindow>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace morva {
namespace {

// Ticks of the tray wait timer (500 ms each) before a start with the autorun switch stops
// waiting for the notification area: half a minute.
constexpr int TrayWaitTicks = 60;

// Ticks of the tray watch timer (1 s each) without a notification area before the program
// comes back out of it: a panel that restarts is given the time to return.
constexpr int TrayLostTicks = 3;

bool IsListMoveKey(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}

// A window manager places a window anew each time it is mapped, unless the window names its
// own position: name where it was.
void KeepPosition(QWidget& window, QPoint position)
{
    if (QWindow* handle = window.windowHandle())
        handle->setPosition(position);
}

// A word for the shell as the user would type it: quoted where it holds more than the plain
// characters of a path.
QString ShellWord(const QString& word)
{
    static const QRegularExpression plain(u"^[A-Za-z0-9_./+-]+$"_s);
    if (plain.match(word).hasMatch())
        return word;
    QString quoted = word;
    quoted.replace(u"'"_s, u"'\\''"_s);
    return u"'"_s + quoted + u"'"_s;
}

// The refusal says what is wrong; a user at a terminal also learns how to start the program.
// LC_ALL wins over every other locale variable, so the line works whatever the session sets.
void PrintRussianSessionHint(const QString& program)
{
    const QString hint = u"Kovrak MORVA needs a Russian session; start it as: LC_ALL=ru_RU.UTF-8 %1\n"_s.arg(ShellWord(program));
    std::fputs(hint.toLocal8Bit().constData(), stderr);
}

class TBusyCursor {
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

} // namespace

TMainForm::TMainForm(TMainServices services, QWidget* parent)
    : QMainWindow(parent)
    , services_(std::move(services))
    , errorReport_(StandardErrorReport(*services_.Messages, [this]() -> QWidget* { return isVisible() ? this : nullptr; }))
{
    CreateLayout();
    ConnectHandlers();
    RegPropStorageMan = std::make_unique<TRegPropStorageMan>(*services_.Registry);
    MainPropStorage = MakeWidgetPropStorage(*this, *RegPropStorageMan, "MainWindow", errorReport_);
    // The close-time store runs in closeEvent, with the settings, as one registry write.
    MainPropStorage->InstallHooks(*this, false);
    UpdateTimer->start();
}

TMainForm::~TMainForm()
{
    MainPropStorage->DestroyHook();
    RestoreActionExecute(false);
    wordListModel_->Refill(nullptr);
}

void TMainForm::Start(const QStringList& arguments)
{
    FormCreate(arguments);
    CreateCards();
    CreateSelectionWatch();
    DesktopKeyActionExecute();
}

bool TMainForm::InTray() const
{
    return RestoreAction->isEnabled();
}

void TMainForm::CreateCards()
{
    cards_ = std::make_unique<TCardManager>(*services_.Messages, *services_.Clipboard,
                                            MakeCardPlacementFactory(*RegPropStorageMan), errorReport_);
    QList<QAction*> commands;
    for (QAction* action : actions())
        if (!action->shortcuts().isEmpty())
            commands.append(action);
    cards_->SetMainWindow(this, commands);
    connect(CloseTempCardsAction, &QAction::triggered, cards_.get(), &TCardManager::CloseTempCardsActionExecute);
    connect(CloseAllCardsAction, &QAction::triggered, cards_.get(), &TCardManager::CloseAllCardsActionExecute);
    connect(CardsHostoryAction, &QAction::triggered, cards_.get(), &TCardManager::CardsHostoryActionExecute);
    connect(&cards_->CardsHostoryForm(), &TCardsHostoryForm::CardSelected, cards_.get(), &TCardManager::OpenHistoryCard);
    UzbekLatinActionExecute();
}

void TMainForm::ConnectHandlers()
{
    connect(SrcLangCB, &QComboBox::activated, this, &TMainForm::LangChange);
    connect(DestLangCB, &QComboBox::activated, this, &TMainForm::LangChange);
    connect(SearchEdit, &QLineEdit::textChanged, this, &TMainForm::SearchEditChange);
    connect(WordList->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TMainForm::WordListClick);
    // A click on the row already selected writes it into the field again (the user may have
    // typed since).
    connect(WordList, &QAbstractItemView::clicked, this, &TMainForm::WordListClick);
    connect(WordList, &QAbstractItemView::doubleClicked, this, &TMainForm::WordListDblClick);
    connect(UpdateTimer, &QTimer::timeout, this, &TMainForm::UpdateTimerTimer);
    connect(TrayWaitTimer, &QTimer::timeout, this, &TMainForm::TrayWaitTimerTimer);
    connect(TrayWatchTimer, &QTimer::timeout, this, &TMainForm::TrayWatchTimerTimer);

    connect(CutToClipAction, &QAction::triggered, this, &TMainForm::CutToClipActionExecute);
    connect(CopyToClipAction, &QAction::triggered, this, &TMainForm::CopyToClipActionExecute);
    connect(PasteFromClipAction, &QAction::triggered, this, &TMainForm::PasteFromClipActionExecute);
    connect(WordInfoAction, &QAction::triggered, this, &TMainForm::WordInfoActionExecute);
    connect(CascadeCardsAction, &QAction::triggered, this, &TMainForm::CascadeCardsActionExecute);
    for (QAction* action : {ShowEditBarAction, ShowLangBarAction, ShowServiceBarAction})
        connect(action, &QAction::triggered, this, &TMainForm::ShowBarActionExecute);
    connect(StayOnTopAction, &QAction::triggered, this, &TMainForm::StayOnTopActionExecute);
    connect(AutorunChangeAction, &QAction::triggered, this, &TMainForm::AutorunChangeActionExecute);
    for (QAction* action : {UzbekLatinInputAction, UzbekLatinCardsAction})
        connect(action, &QAction::triggered, this, &TMainForm::UzbekLatinActionExecute);
    for (QAction* action : {WatchSelectionAction, WatchSelectionCtrlAction})
        connect(action, &QAction::triggered, this, &TMainForm::WatchSelectionActionExecute);
    connect(DesktopKeyAction, &QAction::triggered, this, &TMainForm::DesktopKeyActionExecute);
    connect(CallHelpAction, &QAction::triggered, this, &TMainForm::CallHelpActionExecute);
    connect(GoToSiteAction, &QAction::triggered, this, &TMainForm::GoToSiteActionExecute);
    connect(AboutAction, &QAction::triggered, this, &TMainForm::AboutActionExecute);
    connect(MinimizeAction, &QAction::triggered, this, &TMainForm::MinimizeActionExecute);
    connect(RestoreAction, &QAction::triggered, this, [this] { RestoreActionExecute(true); });
    connect(ExitAction, &QAction::triggered, this, &TMainForm::ExitActionExecute);

    for (Language language = 0; language < LanguageCount; ++language) {
        QAction* src = srcLangActions_[language];
        QAction* dest = destLangActions_[language];
        connect(src, &QAction::triggered, this, [this, src, language] { SourceLangActionExecute(src, language); });
        connect(dest, &QAction::triggered, this, [this, dest, language] { DestLangActionExecute(dest, language); });
    }
    connect(SrcChangeLangAction, &QAction::triggered, this, &TMainForm::SrcChangeLangActionExecute);
    connect(DestChangeLangAction, &QAction::triggered, this, &TMainForm::DestChangeLangActionExecute);

    // The window sees keys before its controls.
    for (QWidget* control : std::initializer_list<QWidget*>{SrcLangCB, DestLangCB, WordList, SearchEdit})
        control->installEventFilter(this);

    if (services_.Tray) {
        services_.Tray->SetMenu(TrayPopupMenu);
        services_.Tray->OnClick([this](TTrayClick click) {
            if (click == TTrayClick::Left)
                RestoreActionExecute(true);
        });
    }
}

// ---- Creation and closing ----

void TMainForm::FormCreate(const QStringList& arguments)
{
    auto fail = [this](const QString& text) {
        ShowError(text);
        terminateRequested_ = true;
    };
    if (services_.System->SystemDefaultLangID() != LangRussian) {
        PrintRussianSessionHint(arguments.value(0, u"morva"_s));
        return fail(u"This program require to set system default language to RUSSIAN."_s);
    }
    for (const char* family : {DisplayFontName, IpaFontName})
        if (!services_.System->HasFontFamily(QString::fromLatin1(family)))
            return fail(u"Dastur ishlashi uchun \"%1\" shrifti zarur."_s.arg(QString::fromLatin1(family)));

    try {
        MainPropStorage->LoadStoredProps();
    } catch (const std::exception&) {
        // A first run has nothing stored: the window system places the window.
    }

    const TShellSettings settings = ReadSettings(*services_.Registry);
    EditToolBar->setVisible(settings.EditBarVisible);
    ShowEditBarAction->setChecked(settings.EditBarVisible);
    LangToolBar->setVisible(settings.LangBarVisible);
    ShowLangBarAction->setChecked(settings.LangBarVisible);
    ServiceToolBar->setVisible(settings.ServiceBarVisible);
    ShowServiceBarAction->setChecked(settings.ServiceBarVisible);
    StayOnTopAction->setChecked(settings.StayOnTop);
    if (settings.StayOnTop)
        ApplyStayOnTop();
    UzbekLatinInputAction->setChecked(settings.UzbekLatinInput);
    UzbekLatinCardsAction->setChecked(settings.UzbekLatinCards);
    WatchSelectionAction->setChecked(settings.WatchSelection);
    WatchSelectionCtrlAction->setChecked(settings.WatchSelectionCtrl);
    DesktopKeyAction->setChecked(settings.DesktopKey);
    findHelper_->FormsHintAction()->setChecked(settings.WordFormsHint);
    findHelper_->SpellingHintAction()->setChecked(settings.SpellingHint);
    findHelper_->ArticleSearchEnabledAction()->setChecked(settings.ArticleSearch);

    try {
        dictionary_ = services_.OpenDictionary();
        DataFileDate = dictionary_->FileDate();
        // The dictionary starts with English as its source.
        DestEnglishLangAction->setVisible(false);
        SetLangPair(settings.SrcLang, settings.DestLang, true);
        SearchEdit->setFocus();
        findHelper_->Start(*dictionary_);
    } catch (const std::exception& error) {
        ShowError(ErrorText(error));
        showOnStart_ = false;
        terminateRequested_ = true;
    }

    AutorunChangeAction->setChecked(ReadAutorunState(*services_.Registry));
    minimizeToTray_ = true;
    if (HasAutorunSwitch(arguments))
        StartInTray();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // The placement and the settings reach the registry in one write: a close cut short
    // leaves them all old or all new.
    TRegistryTransaction transaction(*services_.Registry);
    MainPropStorage->CloseQueryHook(true);
    try {
        MainPropStorage->SaveStoredProps();
    } catch (const std::exception&) {
        // Closing never stops for the placement.
    }
    TShellSettings settings;
    settings.EditBarVisible = !EditToolBar->isHidden();
    settings.LangBarVisible = !LangToolBar->isHidden();
    settings.ServiceBarVisible = !ServiceToolBar->isHidden();
    settings.StayOnTop = StayOnTopAction->isChecked();
    settings.UzbekLatinInput = UzbekLatinInputAction->isChecked();
    settings.UzbekLatinCards = UzbekLatinCardsAction->isChecked();
    settings.WatchSelection = WatchSelectionAction->isChecked();
    settings.WatchSelectionCtrl = WatchSelectionCtrlAction->isChecked();
    settings.DesktopKey = DesktopKeyAction->isChecked();
    settings.WordFormsHint = findHelper_->FormsHintAction()->isChecked();
    settings.SpellingHint = findHelper_->SpellingHintAction()->isChecked();
    settings.ArticleSearch = findHelper_->ArticleSearchEnabledAction()->isChecked();
    if (dictionary_) {
        settings.SrcLang = dictionary_->SourceLanguage();
        settings.DestLang = dictionary_->TargetLanguage();
    }
    SaveSettings(*services_.Registry, settings);
    Reported([&] { transaction.Commit(); });
    event->accept();
    // Closing the main window always ends the program, whatever other windows are open.
    QCoreApplication::quit();
}

void TMainForm::ShowError(const QString& text)
{
    services_.Messages->Show(isVisible() ? this : nullptr, text, QString::fromLatin1(MainCaption),
                             TMessageIcon::Error);
}

// ---- The language pair ----

void TMainForm::SetLangPair(Language src, Language dest, bool initial)
{
    if (!dictionary_)
        return;
    const Language current = dictionary_->SourceLanguage();
    if (src != current) {
        if (dest == src)
            dest = current;
        for (Language language = 0; language < LanguageCount; ++language)
            destLangActions_[language]->setVisible(language != src);
    }
    if (src != dest) {
        for (QAction* action : destLangActions_)
            action->setChecked(false);
        destLangActions_[dest]->setChecked(true);
        DestChangeLangAction->setText(destLangActions_[dest]->text());
        DestChangeLangAction->setIcon(destLangActions_[dest]->icon());
        DestLangCB->setCurrentIndex(dest);
        dictionary_->SetTargetLanguage(dest);
    }
    if (!initial && src == dictionary_->SourceLanguage())
        return;

    for (QAction* action : srcLangActions_)
        action->setChecked(false);
    srcLangActions_[src]->setChecked(true);
    SrcChangeLangAction->setText(srcLangActions_[src]->text());
    SrcChangeLangAction->setIcon(srcLangActions_[src]->icon());
    SrcLangCB->setCurrentIndex(src);
    dictionary_->SelectSourceLanguage(src);
    UzbekLatinActionExecute();
    SearchEdit->clear();
    {
        TBusyCursor busy;
        wordListModel_->Refill(dictionary_.get(), src);
    }
    // A new list starts at its top, whatever row the old one showed.
    WordList->scrollToTop();
    const bool filled = wordListModel_->rowCount() > 0;
    WordInfoAction->setEnabled(filled);
    WordList->setEnabled(filled);
    SearchEdit->setEnabled(filled);
    if (!initial && SearchEdit->isVisible() && SearchEdit->isEnabled())
        SearchEdit->setFocus();
}

void TMainForm::LangChange()
{
    if (!dictionary_)
        return;
    const auto s = Language(SrcLangCB->currentIndex());
    const auto t = Language(DestLangCB->currentIndex());
    // The current source picked as the target: swap the pair.
    if (s == t && t != dictionary_->TargetLanguage())
        SetLangPair(dictionary_->TargetLanguage(), dictionary_->SourceLanguage(), false);
    else
        SetLangPair(s, t, false);
}

void TMainForm::SourceLangActionExecute(QAction* action, Language language)
{
    // Running a language command does not toggle it: the pair sets the check marks.
    action->setChecked(!action->isChecked());
    if (dictionary_)
        SetLangPair(language, dictionary_->TargetLanguage(), false);
}

void TMainForm::DestLangActionExecute(QAction* action, Language language)
{
    action->setChecked(!action->isChecked());
    if (dictionary_)
        SetLangPair(dictionary_->SourceLanguage(), language, false);
}

void TMainForm::SrcChangeLangActionExecute()
{
    if (!dictionary_)
        return;
    const Language next = Language((dictionary_->SourceLanguage() + 1) % LanguageCount);
    SetLangPair(next, dictionary_->TargetLanguage(), false);
}

void TMainForm::DestChangeLangActionExecute()
{
    if (!dictionary_)
        return;
    // The two languages other than the source, in order; the target moves to the other one.
    const Language src = dictionary_->SourceLanguage();
    const Language first = src == English ? Uzbek : English;
    const Language second = src == Russian ? Uzbek : Russian;
    SetLangPair(src, dictionary_->TargetLanguage() == second ? first : second, false);
}

// ---- Search field and word list ----

int TMainForm::SelectedRow() const
{
    const QModelIndexList rows = WordList->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TMainForm::SelectRow(int row)
{
    QScopedValueRollback<bool> programSelection(selectingRow_, true);
    const QModelIndex index = wordListModel_->index(row);
    WordList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    WordList->scrollTo(index);
}

void TMainForm::SetSearchText(const std::string& text)
{
    SearchEdit->SetText(text);
}

void TMainForm::SearchEditChange()
{
    if (!dictionary_)
        return;
    // A damaged entry ends this change with the standard error report, as any event would.
    Reported([&] { FindAndTidy(); });
}

void TMainForm::FindAndTidy()
{
    const std::string text = SearchEdit->Text();
    const SearchOutcome outcome =
        SearchAndTidy(*dictionary_, wordListModel_->List(), text, SelectedRow(), wordListModel_->rowCount());
    if (outcome.Selected >= 0)
        SelectRow(outcome.Selected);
    if (outcome.Text == text) {
        findHelper_->TextChanged(wordListModel_->List(), text);
        return;
    }
    // Setting the text runs this handler again, on a text already tidy.
    const int caret = SearchEdit->cursorPosition();
    SetSearchText(outcome.Text);
    SearchEdit->setCursorPosition(std::min(caret, int(SearchEdit->text().size())));
}

void TMainForm::WordListClick()
{
    if (selectingRow_ || !dictionary_)
        return;
    const int row = SelectedRow();
    if (row < 0)
        return;
    Reported([&] { SetSearchText(dictionary_->Headword(wordListModel_->List(), row)); });
}

void TMainForm::WordListDblClick()
{
    WordInfoAction->trigger();
}

bool TMainForm::SearchEditKeyDown(QKeyEvent* event)
{
    if (!IsListMoveKey(event->key()))
        return false;
    // The list moves as if it had the focus, and the next typed character replaces the text.
    QKeyEvent copy(QEvent::KeyPress, event->key(), event->modifiers(), event->text(), event->isAutoRepeat());
    QCoreApplication::sendEvent(WordList, &copy);
    SearchEdit->selectAll();
    return true;
}

bool TMainForm::SearchEditKeyUp(QKeyEvent* event)
{
    if (!IsListMoveKey(event->key()))
        return false;
    QKeyEvent copy(QEvent::KeyRelease, event->key(), event->modifiers(), event->text(), event->isAutoRepeat());
    QCoreApplication::sendEvent(WordList, &copy);
    return true;
}

bool TMainForm::WordListKeyPress(QKeyEvent* event)
{
    const QString typed = event->text();
    if (typed.size() != 1 || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const auto code = static_cast<unsigned char>(WideToDictText(typed.toStdU16String())[0]);
    std::string text = SearchEdit->Text();
    if (code == '\b') {
        if (!text.empty()) {
            text.pop_back();
            SetSearchText(text);
        }
        return true;
    }
    // Delete (127) is a key, not a typed character.
    if (code < 32 || code == 127)
        return false;
    SearchEdit->TypeText(std::string(1, char(code)));
    return true;
}

// ---- Keys ----

bool TMainForm::HandleCommandKey(QKeyCombination key)
{
    QAction* action = CommandForKey(actions(), key);
    if (!action)
        return false;
    if (action->isEnabled())
        action->trigger();
    return true;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);

    // A command's key goes to the command, before the control can claim it for itself.
    if (type == QEvent::ShortcutOverride) {
        if (!CommandForKey(actions(), key->keyCombination()))
            return false;
        event->accept();
        return true;
    }
    if (type == QEvent::KeyPress && HandleCommandKey(key->keyCombination()))
        return true;

    if (watched == SearchEdit)
        return type == QEvent::KeyPress ? SearchEditKeyDown(key) : SearchEditKeyUp(key);
    if (watched == WordList && type == QEvent::KeyPress)
        return WordListKeyPress(key);
    return false;
}

// ---- Commands ----

void TMainForm::UpdateTimerTimer()
{
    const bool hasText = !TrimmedText(SearchEdit->Text()).empty();
    CutToClipAction->setEnabled(hasText);
    CopyToClipAction->setEnabled(hasText);
    PasteFromClipAction->setEnabled(services_.Clipboard && services_.Clipboard->HasText());
}

void TMainForm::CutToClipActionExecute()
{
    if (TrimmedText(SearchEdit->Text()).empty())
        return;
    SearchEdit->selectAll();
    services_.Clipboard->SetText(SearchEdit->selectedText());
    SearchEdit->del();
}

void TMainForm::CopyToClipActionExecute()
{
    if (TrimmedText(SearchEdit->Text()).empty())
        return;
    SearchEdit->selectAll();
    services_.Clipboard->SetText(SearchEdit->selectedText());
}

void TMainForm::PasteFromClipActionExecute()
{
    if (!services_.Clipboard->HasText())
        return;
    SearchEdit->clear();
    SearchEdit->insert(services_.Clipboard->Text());
}

void TMainForm::WordInfoActionExecute()
{
    if (cards_ && dictionary_)
        cards_->WordInfoActionExecute(dictionary_.get(), {wordListModel_->List(), dictionary_->TargetLanguage()},
                                      SelectedRow(), WordInfoAction->isEnabled());
}

void TMainForm::CascadeCardsActionExecute()
{
    // The cascade starts below the bars above the word list.
    if (cards_)
        cards_->CascadeCardsActionExecute(WordList->y());
}

void TMainForm::ShowBarActionExecute()
{
    // The bars sit in a fixed column, so a bar shown again is back in its own place.
    EditToolBar->setVisible(ShowEditBarAction->isChecked());
    LangToolBar->setVisible(ShowLangBarAction->isChecked());
    ServiceToolBar->setVisible(ShowServiceBarAction->isChecked());
}

void TMainForm::StayOnTopActionExecute()
{
    ApplyStayOnTop();
}

void TMainForm::ApplyStayOnTop()
{
    // Tell the window system directly: going through setWindowFlags would hide the window
    // and show it again, moved and activated.
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, StayOnTopAction->isChecked());
    overrideWindowFlags(flags);
    if (QWindow* window = windowHandle())
        window->setFlags(flags);
}

void TMainForm::AutorunChangeActionExecute()
{
    ChangeAutorun(*services_.Registry, AutorunChangeAction->isChecked(), services_.ExecutablePath.string());
    // A write or delete may have failed: the check mark shows what the entry really is.
    AutorunChangeAction->setChecked(ReadAutorunState(*services_.Registry));
}

void TMainForm::CallHelpActionExecute()
{
    const QString failed = u"Ma‘lumot faylini ochish o‘nglanmayapti."_s;
    const std::filesystem::path help = services_.ExecutablePath.parent_path() / HelpFileName;
    std::error_code error;
    if (!std::filesystem::exists(help, error))
        return ShowError(failed);
    services_.Shell->Open(QUrl::fromLocalFile(QString::fromStdString(help.string())),
                          [form = QPointer<TMainForm>(this), failed](bool opened) {
                              if (form && !opened)
                                  form->ShowError(failed);
                          });
}

void TMainForm::GoToSiteActionExecute()
{
    services_.Shell->Open(QUrl(QString::fromLatin1(SiteAddress)), [form = QPointer<TMainForm>(this)](bool opened) {
        if (form && !opened)
            form->ShowError(u"Sayt ko‘rish dasturini ochish o‘nglanmayapti."_s);
    });
}

void TMainForm::AboutActionExecute()
{
    Reported([&] { ShowAboutBox(DataFileDate, this); });
}

// ---- The notification area ----

bool TMainForm::CanUseTray() const
{
    return services_.Tray && services_.Tray->IsAvailable();
}

void TMainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && DirectionImage)
        ApplyPaletteIcons();
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        minimizedUnseen_ = false;
        LookUpSelectionOnceActive();
    }
    if (event->type() != QEvent::WindowStateChange || !isMinimized())
        return;
    minimizedUnseen_ = IsWaylandSession();
    if (!minimizeToTray_ || !CanUseTray())
        return;
    // Hiding the window from inside its own state change would confuse the window system.
    QTimer::singleShot(0, this, [this] {
        if (isMinimized() || minimizedUnseen_)
            MinimizeActionExecute();
    });
}

void TMainForm::RestoreMinimized()
{
    if (!minimizedUnseen_) {
        if (isMinimized())
            showNormal();
        return;
    }
    // Wayland has no request that takes a window out of minimised: a window mapped anew
    // comes back. Mapping it is not a show that takes the stored placement.
    minimizedUnseen_ = false;
    if (!isVisible())
        return;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    MainPropStorage->Active = false;
    hide();
    show();
    MainPropStorage->Active = true;
}

void TMainForm::BringForward()
{
    if (!isVisible())
        return;
    raise();
    ActivateWindow(*this, std::exchange(activationToken_, {}));
}

void TMainForm::MinimizeActionExecute()
{
    if (!MinimizeAction->isEnabled())
        return;
    if (!CanUseTray()) {
        // No notification area: an ordinary minimise, so the user never loses the program.
        setWindowState(windowState() | Qt::WindowMinimized);
        return;
    }
    AddTrayIcon();
    HideProgram();
}

void TMainForm::AddTrayIcon()
{
    services_.Tray->Add(windowIcon(), QString::fromLatin1(MainCaption));
    trayLostTicks_ = 0;
    TrayWatchTimer->start();
}

void TMainForm::TrayWatchTimerTimer()
{
    if (!RestoreAction->isEnabled()) {
        TrayWatchTimer->stop();
        return;
    }
    if (CanUseTray()) {
        trayLostTicks_ = 0;
        return;
    }
    if (++trayLostTicks_ < TrayLostTicks)
        return;
    // The notification area has gone and the icon with it: the program must not stay out of
    // sight with no way back.
    TrayWatchTimer->stop();
    RestoreActionExecute(true);
}

void TMainForm::HideProgram()
{
    showOnStart_ = false;
    minimizedUnseen_ = false;
    MinimizeAction->setEnabled(false);
    RestoreAction->setEnabled(true);
    programWindows_.clear();
    // Before the cards exist (a start into the tray) no other window of the program is up.
    const QList<QWidget*> windows = cards_ ? cards_->Windows().Windows() : QList<QWidget*>();
    for (QWidget* window : windows)
        if (window != this && window->isVisible()) {
            programWindows_.push_back({window, window->geometry().topLeft()});
            window->hide();
        }
    mainWindowPosition_ = geometry().topLeft();
    hide();
}

void TMainForm::StartInTray()
{
    if (CanUseTray()) {
        MinimizeActionExecute();
        return;
    }
    // At the start of a session the notification area often comes up after the program: wait
    // for it out of sight, in the tray state without the icon (a second start brings the
    // program back), and go into it when it appears.
    HideProgram();
    trayWaitTicks_ = 0;
    TrayWaitTimer->start();
}

void TMainForm::TrayWaitTimerTimer()
{
    if (!RestoreAction->isEnabled()) {
        // Brought back meanwhile: nothing to wait for.
        TrayWaitTimer->stop();
        return;
    }
    if (CanUseTray()) {
        TrayWaitTimer->stop();
        AddTrayIcon();
        return;
    }
    if (++trayWaitTicks_ < TrayWaitTicks)
        return;
    // No notification area after all: an ordinary minimised window, so the user never loses
    // the program.
    TrayWaitTimer->stop();
    programWindows_.clear();
    MinimizeAction->setEnabled(true);
    RestoreAction->setEnabled(false);
    setWindowState(windowState() | Qt::WindowMinimized);
    show();
}

void TMainForm::RestoreActionExecute(bool sender)
{
    if (!RestoreAction->isEnabled())
        return;
    if (services_.Tray)
        services_.Tray->Remove();
    if (sender) {
        for (const auto& [window, position] : programWindows_)
            if (window) {
                KeepPosition(*window, position);
                window->show();
            }
        setWindowState(windowState() & ~Qt::WindowMinimized);
        KeepPosition(*this, mainWindowPosition_);
        // Coming back from the notification area is not a show: the window keeps its place.
        MainPropStorage->Active = false;
        show();
        MainPropStorage->Active = true;
        raise();
        ActivateWindow(*this, std::exchange(activationToken_, {}));
        SearchEdit->setFocus();
    }
    programWindows_.clear();
    MinimizeAction->setEnabled(true);
    RestoreAction->setEnabled(false);
}

void TMainForm::ExitActionExecute()
{
    close();
}

} // namespace morva
