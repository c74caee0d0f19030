// The parts of the main window: commands, menus, bars, the word list and the search field,
// with their names, captions, sizes and places. The behaviour is in Main.cpp.

#include "shell/Main.h"

#include "shell/FindHelper.h"
#include "shell/WordListModel.h"
#include "shell/WordListView.h"
#include "text/XUzbekEdit.h"
#include "ui/Mnemonic.h"
#include "ui/Palette.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace morva {
namespace {

constexpr int WindowWidth = 310, WindowHeight = 433;
constexpr int MinimumWidth = 308, MinimumHeight = 200;
constexpr int SelectorWidth = 80;
constexpr int SearchPanelHeight = 26;
constexpr int ServiceBarHeight = 41;
constexpr QSize ServiceButtonSize(39, 38);
constexpr QSize DirectionImageSize(19, 22);
constexpr int UpdateInterval = 200;
constexpr int TrayWaitInterval = 500;
constexpr int TrayWatchInterval = 1000;

QIcon CommandIcon(const QString& name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}

QFont PixelFont(const QString& family, int pixels)
{
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

// Narrows the selector's font just enough for its longest item to show whole at the
// selector's width: fonts that stand in for Tahoma are wider than Tahoma.
void FitItemsToWidth(QComboBox& selector)
{
    QStyleOptionComboBox option;
    option.initFrom(&selector);
    option.rect = QRect(QPoint(), QSize(selector.maximumWidth(), selector.sizeHint().height()));
    option.editable = false;
    // The label keeps a pixel clear on each side of the edit field.
    const int room = selector.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &selector).width() - 2;
    QFont font = WindowFont();
    int widest = 0;
    for (int item = 0; item < selector.count(); ++item)
        widest = std::max(widest, QFontMetrics(font).horizontalAdvance(selector.itemText(item)));
    if (widest <= room || room <= 0)
        return;
    font.setStretch(100 * room / widest);
    selector.setFont(font);
}

struct TCommand {
    QAction** Action;
    const char* Name;
    QString Caption;
    QKeySequence Shortcut;
    bool Icon;
    bool Enabled;
    // -1: no check mark; 0 or 1: toggles its own check mark, starting in that state.
    int Checked;
};

} // namespace

void TMainForm::CreateLayout()
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QString::fromLatin1(MainCaption));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QString::fromLatin1(ProgramIconPath)));
    setFont(WindowFont());
    resize(WindowWidth, WindowHeight);
    setMinimumSize(MinimumWidth, MinimumHeight);

    CreateFindHelper();
    CreateActions();
    CreateMenus();
    CreateBars();

    const QFont displayFont = PixelFont(QString::fromLatin1(DisplayFontName), 12);

    wordListModel_ = new TWordListModel(this);
    WordList = new TWordListView;
    WordList->setObjectName(QStringLiteral("WordList"));
    WordList->setModel(wordListModel_);
    WordList->setFont(displayFont);
    WordList->setUniformItemSizes(true);
    WordList->setSelectionMode(QAbstractItemView::SingleSelection);
    WordList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    WordList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    WordList->setEnabled(false);

    SearchPanel = new QWidget;
    SearchPanel->setObjectName(QStringLiteral("SearchPanel"));
    SearchPanel->setFixedHeight(SearchPanelHeight);
    SearchEdit = new TXUzbekEdit(SearchPanel);
    SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
    SearchEdit->setFont(displayFont);
    SearchEdit->setEnabled(false);
    // The field always takes the panel's full width.
    auto* searchLayout = new QHBoxLayout(SearchPanel);
    searchLayout->setContentsMargins(0, 0, 0, 0);
    searchLayout->addWidget(SearchEdit);

    // The order never changes: a bar shown again comes back to its own place.
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(EditToolBar);
    column->addWidget(LangToolBar);
    column->addWidget(WordList, 1);
    column->addWidget(SearchPanel);
    column->addWidget(findHelper_->HintLine());
    column->addWidget(ServiceToolBar);
    setCentralWidget(central);

    UpdateTimer = new QTimer(this);
    UpdateTimer->setObjectName(QStringLiteral("UpdateTimer"));
    UpdateTimer->setInterval(UpdateInterval);
    TrayWaitTimer = new QTimer(this);
    TrayWaitTimer->setObjectName(QStringLiteral("TrayWaitTimer"));
    TrayWaitTimer->setInterval(TrayWaitInterval);
    TrayWatchTimer = new QTimer(this);
    TrayWatchTimer->setObjectName(QStringLiteral("TrayWatchTimer"));
    TrayWatchTimer->setInterval(TrayWatchInterval);

    NameForReaders();
    ApplyPaletteIcons();

    // F10 opens the menu bar at its first menu, as on other desktops.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    menuKey->setObjectName(QStringLiteral("MenuBarShortcut"));
    connect(menuKey, &QShortcut::activated, this, [this] {
        if (const QList<QAction*> menus = menuBar()->actions(); !menus.isEmpty())
            menuBar()->setActiveAction(menus.first());
    });

    TrayPopupMenu = new QMenu(this);
    TrayPopupMenu->setObjectName(QStringLiteral("TrayPopupMenu"));
    TrayPopupMenu->addAction(RestoreAction);
    TrayPopupMenu->addSeparator();
    TrayPopupMenu->addAction(ExitAction);
    TrayPopupMenu->setDefaultAction(RestoreAction);
    QFont bold = RestoreAction->font();
    bold.setBold(true);
    RestoreAction->setFont(bold);
}

void TMainForm::NameForReaders()
{
    SearchEdit->setAccessibleName(u"Qidiriladigan so‘z"_s);
    WordList->setAccessibleName(u"So‘zlar ro‘yxati"_s);
    // Readers on Linux name a selector by the language it shows; what it picks is said here.
    SrcLangCB->setAccessibleDescription(u"Boshlang‘ich til"_s);
    DestLangCB->setAccessibleDescription(u"Tarjima tili"_s);
    DirectionImage->setAccessibleName(u"Tarjima yo‘nalishi"_s);
    EditToolBar->setAccessibleName(WithoutMnemonic(ShowEditBarAction->text()));
    LangToolBar->setAccessibleName(WithoutMnemonic(ShowLangBarAction->text()));
    ServiceToolBar->setAccessibleName(WithoutMnemonic(ShowServiceBarAction->text()));
    // The button a bar shows when it is too narrow for all of its own.
    for (QToolBar* bar : {EditToolBar, LangToolBar, ServiceToolBar})
        if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
            more->setAccessibleName(u"Boshqa tugmalar"_s);
}

void TMainForm::ApplyPaletteIcons()
{
    const QPalette colours = palette();
    for (QAction* action : findChildren<QAction*>(Qt::FindDirectChildrenOnly)) {
        const QString resource = u":/icons/%1.svg"_s.arg(action->objectName());
        if (!action->icon().isNull() && QFile::exists(resource))
            action->setIcon(PaletteIcon(resource, colours));
    }
    for (QAction* action : srcLangActions_)
        if (action->isChecked())
            SrcChangeLangAction->setIcon(action->icon());
    for (QAction* action : destLangActions_)
        if (action->isChecked())
            DestChangeLangAction->setIcon(action->icon());
    DirectionImage->setPixmap(PaletteIcon(u":/icons/LangArrow.svg"_s, colours).pixmap(DirectionImageSize));
}

void TMainForm::CreateActions()
{
    const QKeySequence none;
    const TCommand commands[] = {
        {&CutToClipAction, "CutToClipAction", u"&Qirqish"_s, QKeySequence(Qt::CTRL | Qt::Key_X), true, false, -1},
        {&CopyToClipAction, "CopyToClipAction", u"&Nusxalash"_s, QKeySequence(Qt::CTRL | Qt::Key_C), true, false, -1},
        {&PasteFromClipAction, "PasteFromClipAction", u"&Joylashtirish"_s, QKeySequence(Qt::CTRL | Qt::Key_V), true, false, -1},
        {&WordInfoAction, "WordInfoAction", u"&Ro‘yxatdagi so‘z tarjimasi"_s, QKeySequence(Qt::Key_Return), true, false, -1},
        {&CascadeCardsAction, "CascadeCardsAction", u"&Kartochkalarni kaskadli joylashtirish"_s, QKeySequence(Qt::CTRL | Qt::Key_A), true, true, -1},
        {&CloseTempCardsAction, "CloseTempCardsAction", u"&Muvaqqat kartochkalarni yopish"_s, QKeySequence(Qt::SHIFT | Qt::Key_Escape), true, true, -1},
        {&CloseAllCardsAction, "CloseAllCardsAction", u"&Barcha kartochkalarni yopish"_s, QKeySequence(Qt::SHIFT | Qt::Key_F4), false, true, -1},
        {&CardsHostoryAction, "CardsHostoryAction", u"Kartochkalar &tarixi"_s, QKeySequence(Qt::CTRL | Qt::Key_H), true, true, -1},
        {&ShowEditBarAction, "ShowEditBarAction", u"&To‘g‘rilash paneli"_s, none, false, true, 1},
        {&ShowLangBarAction, "ShowLangBarAction", u"T&illar paneli"_s, none, false, true, 1},
        {&ShowServiceBarAction, "ShowServiceBarAction", u"&Servis paneli"_s, none, false, true, 1},
        {&StayOnTopAction, "StayOnTopAction", u"&Boshqa darchalar ustida"_s, QKeySequence(Qt::CTRL | Qt::Key_T), true, true, 0},
        {&AutorunChangeAction, "AutorunChangeAction", u"Tizim ishga tushganda &yuklash"_s, none, true, true, 0},
        {&UzbekLatinInputAction, "UzbekLatinInputAction", u"&Lotin harflarini kirillga o‘girish"_s, none, false, true, 1},
        {&UzbekLatinCardsAction, "UzbekLatinCardsAction", u"&Kartochkalarda lotin yozuvi"_s, none, false, true, 0},
        {&WatchSelectionAction, "WatchSelectionAction", u"Boshqa &dasturda belgilangan so‘z tarjimasi"_s, none, false, true, 0},
        {&WatchSelectionCtrlAction, "WatchSelectionCtrlAction", u"&Faqat Ctrl bosib belgilanganda"_s, none, false, true, 0},
        {&DesktopKeyAction, "DesktopKeyAction", u"Ti&zim tugmasi bilan belgilangan so‘z tarjimasi"_s, none, false, true, 0},
        {&CallHelpAction, "CallHelpAction", u"&Ma‘lumot"_s, QKeySequence(Qt::Key_F1), true, true, -1},
        {&GoToSiteAction, "GoToSiteAction", u"&Kovrak sayti"_s, none, false, true, -1},
        {&AboutAction, "AboutAction", u"MORVA tizimi &haqida"_s, none, false, true, -1},
        {&MinimizeAction, "MinimizeAction", u"&O‘raltirish"_s, none, false, true, -1},
        {&RestoreAction, "RestoreAction", u"&Lug‘atni ochish"_s, none, false, false, -1},
        {&ExitAction, "ExitAction", u"&Yopish"_s, none, false, true, -1},
    };
    for (const TCommand& command : commands) {
        auto* action = new QAction(command.Caption, this);
        action->setObjectName(QString::fromLatin1(command.Name));
        action->setToolTip(WithoutMnemonic(command.Caption));
        action->setShortcut(command.Shortcut);
        if (command.Icon)
            action->setIcon(CommandIcon(action->objectName()));
        action->setIconVisibleInMenu(false);
        action->setEnabled(command.Enabled);
        if (command.Checked >= 0) {
            action->setCheckable(true);
            action->setChecked(command.Checked == 1);
        }
        addAction(action);
        *command.Action = action;
    }
    // The keypad's Enter opens the word as the main Enter does.
    WordInfoAction->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});

    // The language commands: checked by the pair, not by running them.
    struct TLangCommand {
        QAction** Action;
        const char* Name;
        QString Caption, Hint;
    };
    const TLangCommand langCommands[] = {
        {&SrcEnglishLangAction, "SrcEnglishLangAction", u"&Inglizcha"_s, u"Inglizcha"_s},
        {&SrcUzbekLangAction, "SrcUzbekLangAction", u"&O'zbekcha"_s, u"O'zbekcha"_s},
        {&SrcRussianLangAction, "SrcRussianLangAction", u"&Ruscha"_s, u"Переводить с русского языка"_s},
        {&SrcChangeLangAction, "SrcChangeLangAction", u"&Inglizcha"_s, u"Boshlang‘ich til"_s},
        {&DestEnglishLangAction, "DestEnglishLangAction", u"&Inglizcha"_s, u"Inglizcha"_s},
        {&DestUzbekLangAction, "DestUzbekLangAction", u"&O'zbekcha"_s, u"O'zbekcha"_s},
        {&DestRussianLangAction, "DestRussianLangAction", u"&Ruscha"_s, u"Переводить на русский язык"_s},
        {&DestChangeLangAction, "DestChangeLangAction", u"&O'zbekcha"_s, u"Tarjima tili"_s},
    };
    for (const TLangCommand& command : langCommands) {
        auto* action = new QAction(command.Caption, this);
        action->setObjectName(QString::fromLatin1(command.Name));
        action->setToolTip(command.Hint);
        action->setStatusTip(command.Hint);
        *command.Action = action;
    }
    srcLangActions_ = {SrcEnglishLangAction, SrcUzbekLangAction, SrcRussianLangAction};
    destLangActions_ = {DestEnglishLangAction, DestUzbekLangAction, DestRussianLangAction};
    for (QAction* action : srcLangActions_) {
        action->setIcon(CommandIcon(action->objectName()));
        action->setCheckable(true);
    }
    for (QAction* action : destLangActions_) {
        action->setIcon(CommandIcon(action->objectName()));
        action->setCheckable(true);
    }
    SrcEnglishLangAction->setChecked(true);
    DestUzbekLangAction->setChecked(true);
    SrcChangeLangAction->setIcon(SrcEnglishLangAction->icon());
    DestChangeLangAction->setIcon(DestUzbekLangAction->icon());
}

void TMainForm::CreateMenus()
{
    QMenu* edit = menuBar()->addMenu(u"&To‘g‘rilash"_s);
    edit->addActions({CutToClipAction, CopyToClipAction, PasteFromClipAction});

    QMenu* service = menuBar()->addMenu(u"&Servis"_s);
    service->addAction(WordInfoAction);
    service->addSeparator();
    service->addActions({CascadeCardsAction, CloseTempCardsAction, CloseAllCardsAction});
    service->addSeparator();
    service->addAction(CardsHostoryAction);
    service->addSeparator();
    service->addActions({findHelper_->ArticleSearchAction(), findHelper_->OpenHintAction()});
    service->addSeparator();
    QMenu* setup = service->addMenu(u"&Sozlash"_s);
    setup->addActions({ShowEditBarAction, ShowLangBarAction, ShowServiceBarAction});
    setup->addSeparator();
    setup->addActions({StayOnTopAction, AutorunChangeAction});
    setup->addSeparator();
    setup->addActions({UzbekLatinInputAction, UzbekLatinCardsAction});
    setup->addSeparator();
    setup->addActions({WatchSelectionAction, WatchSelectionCtrlAction, DesktopKeyAction});
    setup->addSeparator();
    setup->addActions({findHelper_->FormsHintAction(), findHelper_->SpellingHintAction(),
                       findHelper_->ArticleSearchEnabledAction()});

    QMenu* help = menuBar()->addMenu(u"&?"_s);
    help->addActions({CallHelpAction, GoToSiteAction});
    help->addSeparator();
    help->addAction(AboutAction);

    // Not in the main menu: the selectors offer them on a right click.
    SrcLangPopupMenu = new QMenu(this);
    SrcLangPopupMenu->setObjectName(QStringLiteral("SrcLangPopupMenu"));
    SrcLangPopupMenu->addActions({srcLangActions_.begin(), srcLangActions_.end()});
    DestLangPopupMenu = new QMenu(this);
    DestLangPopupMenu->setObjectName(QStringLiteral("DestLangPopupMenu"));
    DestLangPopupMenu->addActions({destLangActions_.begin(), destLangActions_.end()});
}

void TMainForm::CreateBars()
{
    EditToolBar = new QToolBar;
    EditToolBar->setObjectName(QStringLiteral("EditToolBar"));
    EditToolBar->setIconSize(QSize(16, 16));
    EditToolBar->addActions({CutToClipAction, CopyToClipAction, PasteFromClipAction});

    LangToolBar = new QToolBar;
    LangToolBar->setObjectName(QStringLiteral("LangToolBar"));
    const QStringList languages = {u"Inglizcha"_s, u"O'zbekcha"_s, u"Ruscha"_s};
    auto makeSelector = [&](const char* name, QMenu* menu) {
        auto* selector = new QComboBox;
        selector->setObjectName(QString::fromLatin1(name));
        selector->addItems(languages);
        selector->setFixedWidth(SelectorWidth);
        FitItemsToWidth(*selector);
        selector->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(selector, &QWidget::customContextMenuRequested, menu,
                [selector, menu](const QPoint& at) { menu->popup(selector->mapToGlobal(at)); });
        return selector;
    };
    SrcLangCB = makeSelector("SrcLangCB", SrcLangPopupMenu);
    DestLangCB = makeSelector("DestLangCB", DestLangPopupMenu);
    SrcLangCB->setCurrentIndex(English);
    DestLangCB->setCurrentIndex(Uzbek);
    DirectionImage = new QLabel;
    DirectionImage->setObjectName(QStringLiteral("DirectionImage"));
    DirectionImage->setFixedSize(DirectionImageSize);
    DirectionImage->setAlignment(Qt::AlignCenter);
    LangToolBar->addWidget(SrcLangCB);
    LangToolBar->addWidget(DirectionImage);
    LangToolBar->addWidget(DestLangCB);

    ServiceToolBar = new QToolBar;
    ServiceToolBar->setObjectName(QStringLiteral("ServiceToolBar"));
    ServiceToolBar->setIconSize(QSize(32, 32));
    ServiceToolBar->setFixedHeight(ServiceBarHeight);
    ServiceToolBar->addAction(WordInfoAction);
    ServiceToolBar->addSeparator();
    ServiceToolBar->addActions({CascadeCardsAction, CloseTempCardsAction, CardsHostoryAction});
    ServiceToolBar->addSeparator();
    ServiceToolBar->addActions({StayOnTopAction, AutorunChangeAction});
    ServiceToolBar->addSeparator();
    ServiceToolBar->addAction(CallHelpAction);
    for (QAction* action : ServiceToolBar->actions())
        if (QWidget* button = ServiceToolBar->widgetForAction(action); button && !action->isSeparator())
            button->setFixedSize(ServiceButtonSize);

    for (QToolBar* bar : {EditToolBar, LangToolBar, ServiceToolBar}) {
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setContextMenuPolicy(Qt::PreventContextMenu);
    }
}

} // namespace morva
